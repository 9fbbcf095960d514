#pragma once

#include <QList>
#include <QMap>
#include <QString>

#include "grid.h"

namespace zerda {

// How a column of the product lists looks and behaves.
enum KolonBayragi {
    Gorunur = 1,          // shown at start
    Secilebilir = 2,      // the user may show or hide it from the header menu
    Simge = 4,            // an icon for each value, no text
    Ortali = 8,           // centred
    Buyuk = 16,           // bold, larger
    Cizilen = 32,         // drawn by the program, bound to no field
    Kaydirilan = 64,      // text wraps, centred vertically
    SifirSimgesiz = 128,  // the value 0 has a name but no icon
    Onay = 256,           // a tick box: 1 ticked, 0 not
};

struct KolonTanimi {
    const char* field;
    const char* caption;
    int weight;
    int flags;
    const char* name = nullptr;  // the column's name when it is not the view's name + field
};

// The icons of the state, picture, new and campaign columns by value, with their names.
QMap<int, GridColumn::IconEntry> stokSimgeleri(const QString& field, bool zeroWithoutIcon = false);

// Adds the columns to the view, in order.
void kolonlariEkle(TcxGridView* view, const QList<KolonTanimi>& columns);

// A read-only list of whole rows with a 40-pixel header and the columns; rowHeight 0 leaves the
// rows as they are (a layout sets them).
void listeyiKur(TcxGridView* view, const QList<KolonTanimi>& columns, int rowHeight);

}  // namespace zerda
