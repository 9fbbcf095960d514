#pragma once

#include <QHash>
#include <QString>
#include <functional>

#include "clientdataset.h"
#include "connection.h"
#include "records.h"

class QLabel;

namespace zerda {

// The basket tab's data: the lines the server keeps for the account, the tab caption and the
// totals of the ticked lines.
class Sepet {
public:
    struct Parts {
        ClientDataSet* sepet = nullptr;
        Connection* bagc = nullptr;
        const TSonucBilgisi* sbilgi = nullptr;
        std::function<void(const QString&)> setCaption;
        // aratoplaml, indiriml, nettutarl, vergil, geneltoplaml
        QHash<QString, QLabel*> totals;
    };

    explicit Sepet(Parts parts) : m_parts(std::move(parts)) {}

    // Loads the lines on a connection clone. When the connection can't be opened the message is
    // shown and the lines, caption and totals stay as they were.
    void SepetGetir();
    // The totals of the ticked lines, each sum rounded to cents as it grows.
    void ToplamlariHesapla();

private:
    Parts m_parts;
};

}  // namespace zerda
