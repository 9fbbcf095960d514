#pragma once

#include <QDialog>

#include "clientdataset.h"
#include "connection.h"
#include "records.h"
#include "tablereader.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace zerda {

class TcxGrid;

// "Cari Seçimi": a salesperson finds the dealer account to work for, by a search text, as the
// full list or by order status, sees its details and chooses it into the session record.
class Tseccari : public QDialog {
    Q_OBJECT
public:
    explicit Tseccari(QWidget* owner = nullptr);

    Connection* bag = nullptr;        // the opener's connection itself
    TSonucBilgisi* bilgim = nullptr;  // the session record itself: choosing writes into it
    ClientDataSet CARILER;

    // The counts on the status buttons, read as the window opens.
    void SepetSayisiYaz();
    void TusSonuclari();

    // "ı" becomes "i"; blanks at both ends go.
    static QString AramaMetniDuzelt(const QString& text);

    void CarileriAra();
    void CariSepetListele(int n);
    void SeciliCariyiAl();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildStatusButtons(QWidget* strip);
    void buildGrid();
    QGroupBox* buildDetails();
    void buildContextMenu();
    void FocusedRecordChanged();
    void Button2Click();
    void loadRows(TableReader&& reader);
    // A window call: opened plainly (an error goes to the default error report), closed after.
    template <class F>
    void onConnection(F&& call);

    QLineEdit* m_search = nullptr;
    TcxGrid* m_grid = nullptr;
    QGroupBox* m_details = nullptr;
};

}  // namespace zerda
