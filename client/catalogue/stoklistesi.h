#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "clientdataset.h"
#include "connection.h"
#include "records.h"

class QLineEdit;
class QModelIndex;
class QPainter;
class QStyleOptionViewItem;
class QTabWidget;
class QToolButton;
class QWidget;

namespace zerda {

class TcxGrid;
class TcxGridView;

// The stock list tab: the search box and its buttons, the search on a background task, the grid
// of the items found with the dealer's prices, and its layout by the window's width.
class StokListesi : public QObject {
    Q_OBJECT
public:
    // What the tab works with; all of it belongs to the main window.
    struct Parts {
        QWidget* window = nullptr;  // its width decides the layout
        QLineEdit* araedit = nullptr;
        QToolButton* ara = nullptr;      // SpeedButton2
        QToolButton* temizle = nullptr;  // SpeedButton1
        QWidget* gifstokara = nullptr;
        QTabWidget* pages = nullptr;
        QWidget* tab = nullptr;  // sstoklistesi
        TcxGrid* grid = nullptr;
        ClientDataSet* stok = nullptr;
        Connection* bagc = nullptr;
        const TSonucBilgisi* sbilgi = nullptr;
        std::function<void(const QString&)> setCaption;
    };

    static constexpr int kGenisEkran = 1152;  // wider windows show the prices in columns

    StokListesi(Parts parts, QObject* parent = nullptr);

    // What a key typed into the search box becomes: Turkish letters as their plain forms.
    static QChar aramaHarfi(QChar typed);
    // The text of the price-information cell, each line ending with a line break.
    static QString fiyatBilgisiMetni(double liste, double kampanya, double net, double kdvli);

    // "Ara": a search as Enter starts it; nothing while one runs.
    void SpeedButton2Click();
    // "Temizle": the list, the header filter and the box are cleared; nothing while a search runs.
    void SpeedButton1Click();
    // Lays the grid out for the window's width.
    void StokKolonlariAyarla();
    bool searching() const;
    // Double-click on a row, or "Sepete Ekle": asks for the focused row's item.
    void cxGrid1DBTableView1DblClick();

Q_SIGNALS:
    void searchStarted(const QString& text);
    void searchFinished(bool failed);
    // A row was double-clicked or "Sepete Ekle" chosen: the item, by its stock number.
    void urunIstendi(int stokno);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildColumns();
    void araeditEnter();
    void searchDone(bool hata, std::shared_ptr<DataTable> rows);
    void cxGrid1Resize();
    void drawPriceCell(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const;
    TcxGridView* view() const;

    Parts m_parts;
};

}  // namespace zerda
