#pragma once

#include <QObject>

#include "clientdataset.h"
#include "connection.h"
#include "records.h"

class QWidget;

namespace zerda {

class Sepet;
class Tstokayarinti;

// Opens a product of a list in the product dialog and sends what the user chose to the basket:
// an item of the stock, new-products or campaign list is added, an item already in the basket
// opens as its basket line and changes that line.
class UrunAcici : public QObject {
    Q_OBJECT
public:
    enum class Mod { Stok, Yeni, Kampanya, SepetSatiri };

    struct Parts {
        QWidget* owner = nullptr;
        Connection* bagc = nullptr;
        const TSonucBilgisi* sbilgi = nullptr;
        ClientDataSet* sepet = nullptr;
        Sepet* basket = nullptr;
    };

    explicit UrunAcici(Parts parts, QObject* parent = nullptr);

    // The item of the list's row with the stock number: its basket line when there is one,
    // else the list's own mode.
    void UrunuAc(Mod mode, ClientDataSet& list, int stokno);
    // The dialog for the current row of a list; OK adds the line.
    void ListeSatiriAc(Mod mode, ClientDataSet& list, int stokno);
    // The dialog for the current basket line; OK changes it. The basket is reloaded either way.
    void SepetSatiriAc(int sirano);

    void SepeteEkle(ClientDataSet& list, double miktar, double fiyat, double isk1, double isk2,
                    double isk3, double isk4);
    void SepetSatiriGuncelle(int sirano, double miktar, double fiyat);
    // The item's picture through the server, into the dialog's Image1.
    void ResimGetir(int stokno, Tstokayarinti& dialog);

Q_SIGNALS:
    // The dialog is about to be shown modally; tests answer it from here.
    void dialogReady(Tstokayarinti* dialog);

private:
    bool isSalesperson() const;

    Parts m_parts;
};

}  // namespace zerda
