#pragma once

#include <QObject>
#include <functional>

#include "clientdataset.h"
#include "connection.h"
#include "records.h"

class QTabWidget;
class QWidget;

namespace zerda {

class TcxGrid;
class TcxGridView;
class TServerMethods1Client;

// A list of products the server chooses, new or on campaign: loaded on a background task every
// time its tab is shown, its rows opened into the product dialog by a double-click.
class UrunListesi : public QObject {
    Q_OBJECT
public:
    enum class Tur { Yeniler, Kampanyalilar };

    struct Parts {
        QTabWidget* pages = nullptr;
        QWidget* tab = nullptr;
        TcxGrid* grid = nullptr;
        QWidget* gif = nullptr;
        ClientDataSet* list = nullptr;
        Connection* bagc = nullptr;
        const TSonucBilgisi* sbilgi = nullptr;
        std::function<void(const QString&)> setCaption;
    };

    UrunListesi(Tur kind, Parts parts, QObject* parent = nullptr);

    // The tab's show handler: starts the load.
    void Goster();
    bool loading() const;
    // Double-click: asks for the focused row's item.
    void DblClick();

Q_SIGNALS:
    void loadFinished(bool hata);
    void urunIstendi(int stokno);

private:
    void buildColumns();
    void loadDone(bool hata, bool loaded, std::shared_ptr<DataTable> rows);
    TcxGridView* view() const;

    Tur m_kind;
    Parts m_parts;
};

}  // namespace zerda
