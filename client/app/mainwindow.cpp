#include "mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "beklesin.h"
#include "calls.h"
#include "controls.h"
#include "counters.h"
#include "girisformu.h"
#include "grid.h"
#include "identity.h"
#include "kullanicikayit.h"
#include "mesajgoster.h"
#include "ownrowsview.h"
#include "proxim.h"
#include "resources.h"
#include "seccari.h"
#include "sepet.h"
#include "settings.h"
#include "siparispaneli.h"
#include "stoklistesi.h"
#include "tabpainter.h"
#include "urunacici.h"
#include "urunlistesi.h"
#include "utils.h"

namespace zerda {

namespace {

QWidget* panel(QWidget* parent, const QString& name, int height) {
    auto* p = new QWidget(parent);
    p->setObjectName(name);
    p->setFixedHeight(height);
    return p;
}

// A menu item with its layout name; a separator goes before every item but the first.
QAction* menuItem(QMenu* menu, const QString& name, const QString& caption) {
    if (!menu->actions().isEmpty())
        menu->addSeparator();
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), m_bagc(std::make_unique<Connection>()) {
    setObjectName(QStringLiteral("Form1"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);
    resize(1350, 652);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    layout->addWidget(buildSearchBar());
    auto* topBanner = namedLabel(central, QStringLiteral("RxGIFAnimator2"), QString());
    topBanner->setFixedHeight(0);
    topBanner->setScaledContents(true);
    layout->addWidget(topBanner);
    layout->addWidget(buildPages(), 1);
    layout->addWidget(buildLegend());
    layout->addWidget(buildBottom());
    setCentralWidget(central);
    buildMenus();
    buildCatalogue();
    FormCreate();
}

void TForm1::buildCatalogue() {
    Sepet::Parts basket;
    basket.sepet = &sepet;
    basket.bagc = m_bagc.get();
    basket.sbilgi = &m_sbilgi;
    basket.setCaption = [this](const QString& caption) {
        sayacYaz(QStringLiteral("ssepet"), caption);
    };
    for (const char* name : {"aratoplaml", "indiriml", "nettutarl", "vergil", "geneltoplaml"})
        basket.totals.insert(QLatin1String(name), findChild<QLabel*>(QLatin1String(name)));
    basket.pages = m_pages;
    basket.tab = m_pages->findChild<QWidget*>(QStringLiteral("ssepet"));
    basket.grid = findChild<TcxGrid*>(QStringLiteral("cxGrid2"));
    basket.lbluyarbakiye = findChild<QLabel*>(QStringLiteral("lbluyarbakiye"));
    basket.araedit = findChild<QLineEdit*>(QStringLiteral("araedit"));
    basket.teslimKargoGetir = [this] { m_siparisPaneli->TeslimKargoGetir(); };
    m_sepet = std::make_unique<Sepet>(std::move(basket));
    SiparisPaneli::Parts order;
    order.sepet = &sepet;
    order.bagc = m_bagc.get();
    order.sbilgi = &m_sbilgi;
    order.lbluyarbakiye = findChild<QLabel*>(QStringLiteral("lbluyarbakiye"));
    order.grid = findChild<TcxGrid*>(QStringLiteral("cxGrid2"))->view();
    order.sepetGetir = [this] { m_sepet->SepetGetir(); };
    m_siparisPaneli->setParts(std::move(order));
    Sepet* lines = m_sepet.get();
    connect(findChild<QPushButton*>(QStringLiteral("Button4")), &QPushButton::clicked, lines,
            &Sepet::Button4Click);
    connect(findChild<QPushButton*>(QStringLiteral("Button5")), &QPushButton::clicked, lines,
            &Sepet::Button5Click);
    connect(findChild<QAction*>(QStringLiteral("Deitir1")), &QAction::triggered, lines,
            &Sepet::Deitir1Click);
    connect(findChild<QAction*>(QStringLiteral("SatrSil1")), &QAction::triggered, lines,
            &Sepet::SatrSil1Click);
    connect(findChild<QAction*>(QStringLiteral("HepsiniSil1")), &QAction::triggered, lines,
            &Sepet::HepsiniSil1Click);

    UrunAcici::Parts opener;
    opener.owner = this;
    opener.bagc = m_bagc.get();
    opener.sbilgi = &m_sbilgi;
    opener.sepet = &sepet;
    opener.basket = m_sepet.get();
    m_urunAcici = new UrunAcici(opener, this);
    connect(lines, &Sepet::satirAcilsin, m_urunAcici, &UrunAcici::SepetSatiriAc);

    StokListesi::Parts parts;
    parts.window = this;
    parts.araedit = findChild<QLineEdit*>(QStringLiteral("araedit"));
    parts.ara = findChild<QToolButton*>(QStringLiteral("SpeedButton2"));
    parts.temizle = findChild<QToolButton*>(QStringLiteral("SpeedButton1"));
    parts.gifstokara = findChild<QWidget*>(QStringLiteral("gifstokara"));
    parts.pages = m_pages;
    parts.tab = m_pages->findChild<QWidget*>(QStringLiteral("sstoklistesi"));
    parts.grid = findChild<TcxGrid*>(QStringLiteral("cxGrid1"));
    parts.stok = &stok;
    parts.bagc = m_bagc.get();
    parts.sbilgi = &m_sbilgi;
    parts.setCaption = [this](const QString& caption) {
        sayacYaz(QStringLiteral("sstoklistesi"), caption);
    };
    m_stokListesi = new StokListesi(std::move(parts), this);
    connect(findChild<QAction*>(QStringLiteral("S2")), &QAction::triggered, m_stokListesi,
            &StokListesi::cxGrid1DBTableView1DblClick);
    connect(m_stokListesi, &StokListesi::urunIstendi, this,
            [this](int stokno) { m_urunAcici->UrunuAc(UrunAcici::Mod::Stok, stok, stokno); });

    auto productList = [this](UrunListesi::Tur kind, const char* tab, const char* grid,
                              const char* gif, ClientDataSet* list, UrunAcici::Mod mode) {
        UrunListesi::Parts p;
        p.pages = m_pages;
        p.tab = m_pages->findChild<QWidget*>(QLatin1String(tab));
        p.grid = findChild<TcxGrid*>(QLatin1String(grid));
        p.gif = findChild<QWidget*>(QLatin1String(gif));
        p.list = list;
        p.bagc = m_bagc.get();
        p.sbilgi = &m_sbilgi;
        const QString tabName = QLatin1String(tab);
        p.setCaption = [this, tabName](const QString& caption) { sayacYaz(tabName, caption); };
        auto* l = new UrunListesi(kind, std::move(p), this);
        connect(l, &UrunListesi::urunIstendi, this,
                [this, list, mode](int stokno) { m_urunAcici->UrunuAc(mode, *list, stokno); });
        return l;
    };
    m_yeniler = productList(UrunListesi::Tur::Yeniler, "syeniler", "cxGrid6", "gifyeniler",
                            &YENILER, UrunAcici::Mod::Yeni);
    m_kampanyalilar = productList(UrunListesi::Tur::Kampanyalilar, "skampanyali", "cxkampanyali",
                                  "gifkampanyali", &kampstok, UrunAcici::Mod::Kampanya);
}

TForm1::~TForm1() = default;

QWidget* TForm1::buildHeader() {
    QWidget* header = panel(this, QStringLiteral("Panel1"), 100);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(4, 3, 4, 3);
    auto* logo = namedLabel(header, QStringLiteral("Image1"), QString());
    logo->setFixedWidth(193);
    logo->setAlignment(Qt::AlignCenter);
    logo->setPixmap(Icons::logo(QSize(189, 90)));
    row->addWidget(logo);

    auto* info = new QWidget(header);
    info->setObjectName(QStringLiteral("GridPanel1"));
    info->setFixedWidth(442);
    auto* grid = new QGridLayout(info);
    grid->setContentsMargins(0, 0, 0, 0);
    const QList<std::pair<QString, QString>> rows = {
        {QStringLiteral("Kullanıcı: "), QStringLiteral("kullanicilbl")},
        {QStringLiteral("Firma: "), QStringLiteral("cariadilbl")},
        {QStringLiteral("Temsilci: "), QStringLiteral("saticilbl")}};
    for (int i = 0; i < rows.size(); ++i) {
        auto* caption = new QLabel(rows[i].first, info);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(caption, i, 0);
        grid->addWidget(namedLabel(info, rows[i].second, rows[i].second), i, 1);
        grid->setRowStretch(i, 1);
    }
    grid->setColumnStretch(0, 18);
    grid->setColumnStretch(1, 82);
    row->addWidget(info);
    row->addStretch(1);

    auto* banner = namedLabel(header, QStringLiteral("RxGIFAnimator1"), QString());
    // 409 pixels where there is room; on narrower windows the banner gives way, so the window
    // fits screens of 1024 pixels.
    banner->setMaximumWidth(409);
    banner->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    banner->setScaledContents(true);
    row->addWidget(banner, 100);

    auto* menuButton = new QToolButton(header);
    menuButton->setObjectName(QStringLiteral("Button3"));
    menuButton->setFixedSize(84, 94);
    menuButton->setIcon(Icons::menuButton());
    menuButton->setIconSize(QSize(48, 48));
    menuButton->setPopupMode(QToolButton::MenuButtonPopup);
    row->addWidget(menuButton);
    return header;
}

QWidget* TForm1::buildSearchBar() {
    QWidget* bar = panel(this, QStringLiteral("Panel2"), 35);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    auto* icon = namedLabel(bar, QStringLiteral("Image2"), QString());
    icon->setPixmap(Icons::search().pixmap(24, 24));
    row->addWidget(icon);
    for (const auto& [name, hint, picture] :
         {std::tuple{QStringLiteral("SpeedButton1"), QStringLiteral("Temizle"), Icons::clear()},
          std::tuple{QStringLiteral("SpeedButton2"), QStringLiteral("Ara"), Icons::search()}}) {
        auto* button = new QToolButton(bar);
        button->setObjectName(name);
        button->setToolTip(hint);
        button->setIcon(picture);
        button->setAutoRaise(true);
        row->addWidget(button);
    }
    for (const QString& name : {QStringLiteral("gifstokara"), QStringLiteral("gifyeniler"),
                                QStringLiteral("gifkampanyali"), QStringLiteral("gifduyuru"),
                                QStringLiteral("gifekstre"), QStringLiteral("gifoncekiler")}) {
        auto* busy = new TBusyIndicator(name, bar);
        busy->hide();
        row->addWidget(busy);
    }
    auto* search = new QLineEdit(bar);
    search->setObjectName(QStringLiteral("araedit"));
    search->setFixedWidth(340);
    QFont big = search->font();
    big.setPixelSize(20);
    search->setFont(big);
    row->addWidget(search);
    auto* other = new QPushButton(QStringLiteral("Başka Cari Seç"), bar);
    other->setObjectName(QStringLiteral("musteritus"));
    other->hide();
    connect(other, &QPushButton::clicked, this, &TForm1::CariDegistir);
    row->addWidget(other);
    row->addStretch(1);
    return bar;
}

QWidget* TForm1::addPage(const QString& name, const QString& caption, int icon) {
    auto* page = new QWidget(m_pages);
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pages->addTab(page, Icons::tab(icon), caption);
    return page;
}

TcxGrid* TForm1::addGrid(QWidget* page, const QString& gridName, const QString& viewName,
                         ClientDataSet* data) {
    auto* grid = new TcxGrid(gridName, viewName, page);
    page->layout()->addWidget(grid);
    grid->view()->setDataSet(data);
    return grid;
}

QWidget* TForm1::buildBasketSelectionBar(QWidget* page) {
    auto* bar = new QWidget(page);
    bar->setObjectName(QStringLiteral("panelsec"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    for (const auto& [name, caption] :
         {std::pair{"Button4", "Hepsini Seç"}, {"Button5", "Seçimleri Kaldır"}}) {
        row->addWidget(namedButton(bar, QLatin1String(name), QString::fromUtf8(caption)));
    }
    auto* warning = namedLabel(bar, QStringLiteral("lbluyarbakiye"), QString());
    warning->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    row->addWidget(warning, 1);
    return bar;
}

QWidget* TForm1::buildPages() {
    m_pages = new TsPageControl(this);
    m_pages->setObjectName(QStringLiteral("sPageControl1"));
    m_pages->setIconSize(QSize(32, 32));
    m_pages->setUsesScrollButtons(true);
    m_pages->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { width: 120px; height: 45px; }"));
    m_pages->painter()->setLabelColour(Qt::white);
    QFont tabFont = font();
    tabFont.setPixelSize(13);
    m_pages->tabBar()->setFont(tabFont);

    addGrid(addPage(QStringLiteral("sstoklistesi"), QStringLiteral("Stok Listesi"), 0),
            QStringLiteral("cxGrid1"), QStringLiteral("cxGrid1DBTableView1"), &stok);
    TcxGrid* basket =
        addGrid(addPage(QStringLiteral("ssepet"), QStringLiteral("Sepet"), 8),
                QStringLiteral("cxGrid2"), QStringLiteral("cxGridDBTableView1"), &sepet);
    basket->parentWidget()->layout()->addWidget(buildBasketSelectionBar(basket->parentWidget()));
    m_siparisPaneli = new SiparisPaneli(basket->parentWidget());
    basket->parentWidget()->layout()->addWidget(m_siparisPaneli);
    addGrid(addPage(QStringLiteral("sonceki"), QStringLiteral("Önceki Siparişler"), 3),
            QStringLiteral("cxGrid3"), QStringLiteral("cxGridDBTableView2"), &ONCEKILER);
    addGrid(addPage(QStringLiteral("sccariekstre"), QStringLiteral("Cari Ekstre"), 1),
            QStringLiteral("cxGrid5"), QStringLiteral("cxGridDBTableView4"), &EKSTRE);
    TcxGrid* newItems =
        addGrid(addPage(QStringLiteral("syeniler"), QStringLiteral("Yeni Stoklar"), 10),
                QStringLiteral("cxGrid6"), QStringLiteral("cxGridDBTableView5"), &YENILER);
    TcxGrid* campaign = addGrid(
        addPage(QStringLiteral("skampanyali"), QStringLiteral("Kampanyalı Stoklar"), 6),
        QStringLiteral("cxkampanyali"), QStringLiteral("cxGridDBTableViewkampanyali"), &kampstok);
    // The announcements are rows of their own, with pictures.
    QWidget* news = addPage(QStringLiteral("sTabSheetduyuru"), QStringLiteral("Duyurular"), 5);
    auto* newsGrid = new QWidget(news);
    newsGrid->setObjectName(QStringLiteral("cxGridduyuru"));
    auto* newsLayout = new QVBoxLayout(newsGrid);
    newsLayout->setContentsMargins(0, 0, 0, 0);
    newsLayout->addWidget(
        new TcxGridBandedView(QStringLiteral("cxGridduyuruBandedDuyuru"), newsGrid));
    news->layout()->addWidget(newsGrid);
    addPage(QStringLiteral("sTabbakiyeler"), QStringLiteral("Bakiyeler"), 7);
    QWidget* payment = addPage(QStringLiteral("ss"), QStringLiteral("Sanal Pos"), 12);
    auto* browser = new QWidget(payment);
    browser->setObjectName(QStringLiteral("sitem"));
    payment->layout()->addWidget(browser);

    // Column sizing by weight as the grids change size.
    connect(basket, &TcxGrid::resized, this, [basket] {
        if (basket->isEnabled())
            KolonGenislikAyarla(basket->view(), basket);
    });
    connect(newItems, &TcxGrid::resized, this,
            [newItems] { KolonGenislikAyarla(newItems->view(), newItems); });
    connect(campaign, &TcxGrid::resized, this, [campaign] {
        if (campaign->isEnabled())
            KolonGenislikAyarla(campaign->view(), campaign);
    });
    m_pages->setCurrentIndex(0);
    return m_pages;
}

QWidget* TForm1::buildLegend() {
    QWidget* legend = panel(this, QStringLiteral("Panel3"), 27);
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(2);
    QFont small = font();
    small.setPixelSize(11);
    auto add = [&](const QString& text) {
        auto* l = new QLabel(text, legend);
        l->setFont(small);
        row->addWidget(l);
    };
    add(QStringLiteral("Durum Açıklaması:    "));
    for (const auto& [state, text] : {std::pair{1, QStringLiteral(" Stok mevcut  ")},
                                      {2, QStringLiteral(" Telefon Açınız  ")},
                                      {3, QStringLiteral(" Yolda  ")},
                                      {5, QStringLiteral(" Tedarik Sürecinde ")},
                                      {4, QStringLiteral(" Özel Sipariş  ")},
                                      {0, QStringLiteral(" Yok  ")}}) {
        auto* icon = new QLabel(legend);
        icon->setPixmap(Icons::stockState(state).pixmap(18, 18));
        row->addWidget(icon);
        add(text);
    }
    row->addStretch(1);
    return legend;
}

QWidget* TForm1::buildBottom() {
    QWidget* bottom = panel(this, QStringLiteral("Panel5"), 40);
    auto* row = new QHBoxLayout(bottom);
    row->setContentsMargins(0, 0, 0, 0);
    auto* strip = namedLabel(bottom, QStringLiteral("kayanyazi"), QString());
    QFont big = font();
    big.setPixelSize(24);
    strip->setFont(big);
    strip->setAutoFillBackground(true);
    strip->setStyleSheet(QStringLiteral("background: #E2EAF1;"));  // colour value 15854306
    row->addWidget(strip, 1);
    auto* pictures = new QWidget(bottom);
    pictures->setObjectName(QStringLiteral("RealTimeMarquee1"));
    pictures->hide();
    auto* picture = namedLabel(pictures, QStringLiteral("Image3"), QString());
    picture->hide();
    row->addWidget(pictures);
    return bottom;
}

void TForm1::buildMenus() {
    m_genelmenu = new QMenu(this);
    m_genelmenu->setObjectName(QStringLiteral("Genelmenu"));
    menuItem(m_genelmenu, QStringLiteral("M1"), QStringLiteral("Mail Gönder"));
    connect(menuItem(m_genelmenu, QStringLiteral("N4"), QStringLiteral("Şifre Değiştirme İsteği")),
            &QAction::triggered, this, &TForm1::N4Click);
    menuItem(m_genelmenu, QStringLiteral("WebSitesi1"), QString());
    connect(menuItem(m_genelmenu, QStringLiteral("G1"), QStringLiteral("Çıkış")),
            &QAction::triggered, this, &TForm1::G1Click);
    menuItem(m_genelmenu, QStringLiteral("R1"), QStringLiteral("Raporlar"))->setVisible(false);
    findChild<QToolButton*>(QStringLiteral("Button3"))->setMenu(m_genelmenu);

    struct PopupItem {
        const char* name;
        const char* caption;
    };
    auto popup = [this](const QString& name, const QString& viewName,
                        std::initializer_list<PopupItem> items) {
        auto* menu = new QMenu(this);
        menu->setObjectName(name);
        for (const PopupItem& item : items)
            menuItem(menu, QLatin1String(item.name), QString::fromUtf8(item.caption));
        auto* view = findChild<TcxGridView*>(viewName);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, menu, [menu, view](const QPoint& pos) {
            menu->popup(view->viewport()->mapToGlobal(pos));
        });
    };
    popup(QStringLiteral("popstok"), QStringLiteral("cxGrid1DBTableView1"),
          {{"S2", "Sepete Ekle"}, {"B1", "Sipariş Bakiyeleriniz"}, {"S3", "Siparişleri Göster"}});
    popup(
        QStringLiteral("PopupMenu1"), QStringLiteral("cxGridDBTableView1"),
        {{"Deitir1", "Satır Değiştir"}, {"SatrSil1", "Satır Sil"}, {"HepsiniSil1", "Hepsini Sil"}});
    popup(QStringLiteral("poponceki"), QStringLiteral("cxGridDBTableView2"),
          {{"S1", "Siparişi İncele"},
           {"SipariBakiyeleriniz1", "Sipariş Bakiyeleriniz"},
           {"T1", "Tüm Siparişler"}});
    popup(QStringLiteral("popekstre"), QStringLiteral("cxGridDBTableView4"),
          {{"H1", "Hareket İncele"}});
}

void TForm1::FormCreate() {
    _acilisadet = 0;
    QApplication::setApplicationDisplayName(QStringLiteral("Zerda Otomotiv B2B"));
    setWindowTitle(QStringLiteral("Zerda Otomotiv B2B Programı"));
    m_sbilgi = TSonucBilgisi::Create();
    m_sbilgi.setBilgiSayarAdi(BilgisayarAdiAl());
    m_sbilgi.setBilgisayarKullanici(WindowsKullaniciAl());
    m_sbilgi.setIcip(YerelIpAl());
    m_sbilgi.setBILGISAYARID(BilgisayarIdAl());
    m_bagc->setParam(QStringLiteral("HostName"), Settings::text(Setting::B2BHost));
    m_bagc->setParam(QStringLiteral("Port"), Settings::text(Setting::B2BPort));
    findChild<QAction*>(QStringLiteral("WebSitesi1"))->setText(Settings::text(Setting::SiteUrl));
    findChild<QLineEdit*>(QStringLiteral("araedit"))->setFocus();
}

bool TForm1::GirisYap() {
    {
        Tgirisform dialog(this);
        dialog.bagim = m_bagc.get();
        dialog.Bilgim = &m_sbilgi;
        if (dialog.exec() != QDialog::Accepted) {
            terminateProcess(0);
            return false;
        }
    }
    if (m_sbilgi.Disip().trimmed().isEmpty()) {
        terminateProcess(0);
        return false;
    }
    MusteriTipineGoreAyarla();
    return true;
}

void TForm1::Baslat() {
    if (!GirisYap())
        return;
    showMaximized();
    BaslangicGorevi();
}

void TForm1::BaslangicGorevi() {
    // The worker gets copies: the session record and the main connection stay with this thread.
    const TSonucBilgisi session = m_sbilgi;
    std::shared_ptr<Connection> clone = m_bagc->CloneConnection();
    QPointer<TForm1> self(this);
    Async([self, session, clone] {
        AnaBilgiAl(self, session);
        BalonYaz(self, *clone, session);
    })->Await([self] {
        if (self)
            Q_EMIT self->startupFinished();
    });
}

void TForm1::AnaBilgiAl(QPointer<TForm1> window, const TSonucBilgisi& s) {
    RunOnUiThread([window, &s] {
        if (!window)
            return;
        window->findChild<QLabel*>(QStringLiteral("kullanicilbl"))->setText(s.ADI());
        window->findChild<QLabel*>(QStringLiteral("cariadilbl"))->setText(s.CariAdi());
        window->findChild<QLabel*>(QStringLiteral("saticilbl"))
            ->setText(s.SaticiAdi() + QStringLiteral(" Telefonu: ") + s.SaticiTelefon() +
                      QStringLiteral(" email: ") + s.SaticiMail());
    });
}

void TForm1::BalonYaz(QPointer<TForm1> window, Connection& clone, const TSonucBilgisi& session) {
    TSonucBilgisi copy;
    copy.Kopyala(session);
    if (!BaglantiKur(clone, 1))
        return;
    TServerMethods1Client proxy(clone);
    TableReader counters = proxy.BalonGetir(copy);
    while (counters.Next()) {
        const int basket = counters.GetInt32(0), newItems = counters.GetInt32(1),
                  campaign = counters.GetInt32(2), news = counters.GetInt32(3);
        const double balances = counters.GetDouble(4);
        RunOnUiThread([&] {
            if (!window)
                return;
            window->sayacYaz(QStringLiteral("ssepet"),
                             sayacBasligi(basket, QStringLiteral("Sepet")));
            window->sayacYaz(QStringLiteral("syeniler"),
                             sayacBasligi(newItems, QStringLiteral("Yeni Stoklar")));
            window->sayacYaz(QStringLiteral("skampanyali"),
                             sayacBasligi(campaign, QStringLiteral("Kampanyalı")));
            window->sayacYaz(QStringLiteral("sTabSheetduyuru"),
                             sayacBasligi(news, QStringLiteral("Duyurular")));
            window->sayacYaz(QStringLiteral("sTabbakiyeler"),
                             sayacBasligi(balances, QStringLiteral("Bakiyeler")));
        });
    }
    clone.Close();
}

void TForm1::sayacYaz(const QString& tabName, const QString& caption) {
    if (QWidget* page = m_pages->findChild<QWidget*>(tabName)) {
        const int index = m_pages->indexOf(page);
        if (index >= 0)
            m_pages->setTabText(index, caption);
    }
}

namespace {

// The columns a salesperson sees in the stock, campaign, basket and new-product lists; dealers
// don't see them.
const QStringList& salespersonColumns() {
    static const QStringList names = {QStringLiteral("cxGrid1DBTableView1KALAN"),
                                      QStringLiteral("cxGridDBColumnKALAN"),
                                      QStringLiteral("cxGridDBTableView1KALAN"),
                                      QStringLiteral("cxGridDBColumn19"),
                                      QStringLiteral("cxGrid1DBTableView1ALINANSIPARIS"),
                                      QStringLiteral("cxGrid1DBTableView1VERILENSIPARIS"),
                                      QStringLiteral("cxGridDBColumn22"),
                                      QStringLiteral("cxGridDBColumn23"),
                                      QStringLiteral("cxGridDBColumn49"),
                                      QStringLiteral("cxGridDBColumn50")};
    return names;
}

// The campaign columns a dealer of type 4 doesn't see.
const QStringList& campaignColumns() {
    static const QStringList names = {
        QStringLiteral("cxGrid1DBTableView1KAMPFIYAT"), QStringLiteral("cxGrid1DBTableView1K"),
        QStringLiteral("cxGridDBTableView5K"), QStringLiteral("cxGridDBTableView5KAMPFIYAT")};
    return names;
}

}  // namespace

void TForm1::showColumn(const QString& name, bool shown) {
    // A shown column is offered in its grid's column chooser too; a hidden one is not.
    if (auto* column = findChild<GridColumn*>(name)) {
        column->userMayShow = shown;
        column->setVisible(shown);
    }
}

void TForm1::MusteriTipineGoreAyarla() {
    const int type = m_sbilgi.MusteriTipi();
    const bool salesperson = type == 1 || type == 2;
    findChild<QPushButton*>(QStringLiteral("musteritus"))->setVisible(salesperson);
    findChild<QAction*>(QStringLiteral("R1"))->setVisible(salesperson);
    if (salesperson) {
        for (const QString& name : salespersonColumns())
            showColumn(name, true);
        if (auto* remaining = findChild<GridColumn*>(QStringLiteral("cxGridDBTableView1KALAN")))
            remaining->caption = QStringLiteral("Kalan");
    } else if (type == 3) {
        showColumn(QStringLiteral("cxGridDBTableView1DURUM"), false);
    } else if (type == 4) {
        const int campaign =
            m_pages->indexOf(m_pages->findChild<QWidget*>(QStringLiteral("skampanyali")));
        if (campaign >= 0)
            m_pages->setTabVisible(campaign, false);
        for (const QString& name : campaignColumns())
            showColumn(name, false);
    }
}

void TForm1::CariDegistir() {
    {
        Tseccari choice(this);
        choice.bag = m_bagc.get();
        choice.bilgim = &m_sbilgi;
        choice.SepetSayisiYaz();
        choice.TusSonuclari();
        choice.exec();
    }
    findChild<QLabel*>(QStringLiteral("kullanicilbl"))->setText(m_sbilgi.ADI());
    findChild<QLabel*>(QStringLiteral("cariadilbl"))->setText(m_sbilgi.CariAdi());
    findChild<QLabel*>(QStringLiteral("saticilbl"))
        ->setText(m_sbilgi.SaticiAdi() + QStringLiteral(" Telefonu: ") + m_sbilgi.SaticiTelefon() +
                  QStringLiteral(" email: ") + m_sbilgi.SaticiMail());
    m_sepet->SepetGetir();
    if (stok.Active())
        stok.EmptyDataSet();
    sayacYaz(QStringLiteral("sstoklistesi"), sayacBasligi(0, QStringLiteral("Stok Listesi")));
    m_pages->setCurrentIndex(0);
    auto* search = findChild<QLineEdit*>(QStringLiteral("araedit"));
    search->selectAll();
    search->setFocus();
}

bool TForm1::FormCloseQuery() {
    return MesajGoster(QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"), MesajTipi::Soru,
                       {Dugme::Evet, Dugme::Hayir}, Dugme::Evet) == kSonucEvet;
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (m_closing)
        return;
    m_closing = true;
    const bool leave = FormCloseQuery();
    m_closing = false;
    if (leave)
        terminateProcess(0);
}

void TForm1::G1Click() {
    close();
}

void TForm1::N4Click() {
    Tkullanicikayit form(this, *m_bagc, m_sbilgi);
    form.exec();
}

}  // namespace zerda
