#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "clientdataset.h"
#include "connection.h"
#include "records.h"

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace zerda {

class Sepet;
class SiparisPaneli;
class StokListesi;
class UrunAcici;
class UrunListesi;
class TcxGrid;
class TsPageControl;
class TBusyIndicator;

// The program's main window: header, search bar, the page control with its nine tabs, the
// status legend and the bottom strip. It owns the main connection, the session record and the
// tabs' data sets for the life of the process. Each tab's logic lives in its own folder; this
// window lays them out and wires them.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    Connection& bagc() { return *m_bagc; }
    TSonucBilgisi& sbilgi() { return m_sbilgi; }
    int acilisAdet() const { return _acilisadet; }
    StokListesi* stokListesi() const { return m_stokListesi; }
    Sepet& sepetim() { return *m_sepet; }
    SiparisPaneli& siparisPaneli() { return *m_siparisPaneli; }
    UrunAcici* urunAcici() const { return m_urunAcici; }
    UrunListesi* yeniler() const { return m_yeniler; }
    UrunListesi* kampanyalilar() const { return m_kampanyalilar; }

    // The login; the program ends unless it succeeds. Adapts the window to the customer type.
    bool GirisYap();
    // The login, then the window is shown and the start-up task runs.
    void Baslat();
    // The start-up task on a worker thread: header labels, then the tab counters.
    void BaslangicGorevi();

    // Start-up steps, run on the start-up task's worker; controls change on the UI thread, and
    // not at all once the window is gone.
    static void AnaBilgiAl(QPointer<TForm1> window, const TSonucBilgisi& session);
    static void BalonYaz(QPointer<TForm1> window, Connection& clone, const TSonucBilgisi& session);

    // Adapts tabs, columns and menu to the session's customer type (1, 2 salespeople; 3 sees no
    // basket state; 4 sees no campaign). Columns a grid doesn't have yet are passed over.
    void MusteriTipineGoreAyarla();
    // "Başka Cari Seç": the customer selection, then the window works for the chosen account.
    void CariDegistir();

    // Writes a tab's caption; the tab painter shows its count.
    void sayacYaz(const QString& tabName, const QString& caption);

    // The tabs' data sets.
    ClientDataSet stok, sepet, kargo, ONCEKILER, EKSTRE, YENILER, kampstok, duyurular;

Q_SIGNALS:
    void startupFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    bool FormCloseQuery();
    void G1Click();
    void N4Click();
    void showColumn(const QString& name, bool shown);

    QWidget* buildHeader();
    QWidget* buildSearchBar();
    QWidget* buildPages();
    QWidget* buildLegend();
    QWidget* buildBottom();
    void buildMenus();
    void buildCatalogue();
    QWidget* buildBasketSelectionBar(QWidget* page);
    QWidget* addPage(const QString& name, const QString& caption, int icon);
    TcxGrid* addGrid(QWidget* page, const QString& gridName, const QString& viewName,
                     ClientDataSet* data);

    std::unique_ptr<Connection> m_bagc;
    TSonucBilgisi m_sbilgi;
    int _acilisadet = 0;
    TsPageControl* m_pages = nullptr;
    std::unique_ptr<Sepet> m_sepet;
    SiparisPaneli* m_siparisPaneli = nullptr;
    StokListesi* m_stokListesi = nullptr;
    UrunAcici* m_urunAcici = nullptr;
    UrunListesi* m_yeniler = nullptr;
    UrunListesi* m_kampanyalilar = nullptr;
    QMenu* m_genelmenu = nullptr;
    bool m_closing = false;
};

}  // namespace zerda
