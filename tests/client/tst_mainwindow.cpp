#include <QAction>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "application.h"
#include "appserverprocess.h"
#include "beklesin.h"
#include "databasecheck.h"
#include "grid.h"
#include "identity.h"
#include "mainwindow.h"
#include "mesajgoster.h"
#include "ownrowsview.h"
#include "proxim.h"
#include "resources.h"
#include "settings.h"

using namespace zerda;

namespace {

QStringList actionNames(const QMenu* menu) {
    QStringList names;
    for (const QAction* a : menu->actions())
        names << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return names;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    QList<int> m_exits;

private Q_SLOTS:
    void initTestCase() {
        setProcessTerminator([this](int code) { m_exits << code; });
        IdentitySources s = defaultIdentitySources();
        s.root =
            QStringLiteral(ZERDA_FIXTURES "/identity/serial-with-blanks");  // workstation WS-7A12
        setIdentitySources(s);
        registerProgramFonts();
    }

    void layoutCarriesTheNamesOfTheWindow() {
        TForm1 w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Zerda Otomotiv B2B Programı"));
        QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Zerda Otomotiv B2B"));
        QCOMPARE(w.sbilgi().BILGISAYARID(), QStringLiteral("WS-7A12"));
        QCOMPARE(w.sbilgi().MusteriTipi(), 1);
        auto* pages = w.findChild<QTabWidget*>(QStringLiteral("sPageControl1"));
        QVERIFY(pages);
        QStringList names, captions;
        for (int i = 0; i < pages->count(); ++i) {
            names << pages->widget(i)->objectName();
            captions << pages->tabText(i);
        }
        QCOMPARE(names,
                 (QStringList{"sstoklistesi", "ssepet", "sonceki", "sccariekstre", "syeniler",
                              "skampanyali", "sTabSheetduyuru", "sTabbakiyeler", "ss"}));
        QCOMPARE(captions, (QStringList{"Stok Listesi", "Sepet", "Önceki Siparişler", "Cari Ekstre",
                                        "Yeni Stoklar", "Kampanyalı Stoklar", "Duyurular",
                                        "Bakiyeler", "Sanal Pos"}));
        QCOMPARE(pages->currentIndex(), 0);
        for (const char* name :
             {"araedit", "kullanicilbl", "cariadilbl", "saticilbl", "RxGIFAnimator1",
              "RxGIFAnimator2", "kayanyazi", "Image1", "Image2", "GridPanel1", "Panel1", "Panel2",
              "Panel3", "Panel5", "SpeedButton1", "SpeedButton2", "musteritus", "RealTimeMarquee1",
              "sitem"})
            QVERIFY2(w.findChild<QWidget*>(QLatin1String(name)), name);
        for (const char* name :
             {"cxGrid1DBTableView1", "cxGridDBTableView1", "cxGridDBTableView2",
              "cxGridDBTableView4", "cxGridDBTableView5", "cxGridDBTableViewkampanyali"})
            QVERIFY2(w.findChild<TcxGridView*>(QLatin1String(name)), name);
        QVERIFY(w.findChild<TcxGridBandedView*>(QStringLiteral("cxGridduyuruBandedDuyuru")));
        for (const char* name : {"gifstokara", "gifyeniler", "gifkampanyali", "gifduyuru",
                                 "gifekstre", "gifoncekiler"}) {
            auto* busy = w.findChild<TBusyIndicator*>(QLatin1String(name));
            QVERIFY2(busy && busy->isHidden() && busy->size() == QSize(28, 27), name);
        }
        QVERIFY(w.findChild<QPushButton*>(QStringLiteral("musteritus"))->isHidden());
        QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("musteritus"))->text(),
                 QStringLiteral("Başka Cari Seç"));
        QCOMPARE(w.findChild<QWidget*>(QStringLiteral("Panel1"))->height(), 100);
        QCOMPARE(w.findChild<QWidget*>(QStringLiteral("RxGIFAnimator2"))->maximumHeight(), 0);
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("araedit"))->width(), 340);
        const QFontInfo font(w.findChild<QLabel*>(QStringLiteral("kullanicilbl"))->font());
        QVERIFY(font.bold());
        QCOMPARE(font.pixelSize(), 13);
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
            QCOMPARE(font.family(), QStringLiteral("Tahoma"));
    }

    void menusAndTheirItems() {
        TForm1 w;
        auto* button = w.findChild<QToolButton*>(QStringLiteral("Button3"));
        QCOMPARE(button->menu()->objectName(), QStringLiteral("Genelmenu"));
        QCOMPARE(actionNames(button->menu()),
                 (QStringList{"M1", "-", "N4", "-", "WebSitesi1", "-", "G1", "-", "R1"}));
        QVERIFY(!w.findChild<QAction*>(QStringLiteral("R1"))->isVisible());
        QCOMPARE(w.findChild<QAction*>(QStringLiteral("G1"))->text(), QStringLiteral("Çıkış"));
        QCOMPARE(w.findChild<QAction*>(QStringLiteral("WebSitesi1"))->text(),
                 Settings::text(Setting::SiteUrl));
        QCOMPARE(actionNames(w.findChild<QMenu*>(QStringLiteral("popstok"))),
                 (QStringList{"S2", "-", "B1", "-", "S3"}));
        QCOMPARE(actionNames(w.findChild<QMenu*>(QStringLiteral("PopupMenu1"))),
                 (QStringList{"Deitir1", "-", "SatrSil1", "-", "HepsiniSil1"}));
        QCOMPARE(actionNames(w.findChild<QMenu*>(QStringLiteral("poponceki"))),
                 (QStringList{"S1", "-", "SipariBakiyeleriniz1", "-", "T1"}));
        QCOMPARE(actionNames(w.findChild<QMenu*>(QStringLiteral("popekstre"))), QStringList{"H1"});
        QCOMPARE(w.findChild<QAction*>(QStringLiteral("S2"))->text(),
                 QStringLiteral("Sepete Ekle"));
    }

    void columnsFollowTheCustomerType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("salespersonColumns");
        QTest::addColumn<bool>("basketState");
        QTest::addColumn<bool>("campaign");
        QTest::newRow("salesperson 1") << 1 << true << true << true;
        QTest::newRow("salesperson 2") << 2 << true << true << true;
        QTest::newRow("dealer 3") << 3 << false << false << true;
        QTest::newRow("dealer 4") << 4 << false << true << false;
        QTest::newRow("other") << 7 << false << true << true;
    }
    void columnsFollowTheCustomerType() {
        QFETCH(int, type);
        QFETCH(bool, salespersonColumns);
        QFETCH(bool, basketState);
        QFETCH(bool, campaign);
        TForm1 w;
        // The lists' columns as they are designed: the salesperson's hidden, the others shown.
        const QList<std::tuple<const char*, const char*, bool>> columns = {
            {"cxGrid1DBTableView1", "cxGrid1DBTableView1KALAN", false},
            {"cxGrid1DBTableView1", "cxGrid1DBTableView1ALINANSIPARIS", false},
            {"cxGridDBTableViewkampanyali", "cxGridDBColumn50", false},
            {"cxGridDBTableView5", "cxGridDBColumn22", false},
            {"cxGridDBTableView1", "cxGridDBTableView1KALAN", false},
            {"cxGridDBTableView1", "cxGridDBTableView1DURUM", true},
            {"cxGrid1DBTableView1", "cxGrid1DBTableView1KAMPFIYAT", true},
            {"cxGridDBTableView5", "cxGridDBTableView5K", true}};
        for (const auto& [view, name, shown] : columns)
            if (!w.findChild<GridColumn*>(QLatin1String(name))) {
                GridColumn* c = w.findChild<TcxGridView*>(QLatin1String(view))
                                    ->addColumn(QLatin1String(name), QString(), QString());
                c->setVisible(shown);
                c->userMayShow = shown;
            }
        w.sbilgi().setMusteriTipi(type);
        w.MusteriTipineGoreAyarla();
        auto shown = [&](const char* name) {
            const GridColumn* c = w.findChild<GridColumn*>(QLatin1String(name));
            if (c->visible() != c->userMayShow)
                return QStringLiteral("offered unlike shown");
            return c->visible() ? QStringLiteral("shown") : QStringLiteral("hidden");
        };
        const QString s = salespersonColumns ? "shown" : "hidden";
        for (const char* name : {"cxGrid1DBTableView1KALAN", "cxGrid1DBTableView1ALINANSIPARIS",
                                 "cxGridDBColumn50", "cxGridDBColumn22", "cxGridDBTableView1KALAN"})
            QCOMPARE(shown(name), s);
        QCOMPARE(shown("cxGridDBTableView1DURUM"), basketState ? "shown" : "hidden");
        // Campaign columns stay as the layout has them, or are withdrawn from view and chooser.
        for (const char* name : {"cxGrid1DBTableView1KAMPFIYAT", "cxGridDBTableView5K"}) {
            const GridColumn* c = w.findChild<GridColumn*>(QLatin1String(name));
            QCOMPARE(c->userMayShow, campaign);
            if (!campaign)
                QVERIFY(!c->visible());
        }
        if (salespersonColumns)
            QCOMPARE(w.findChild<GridColumn*>(QStringLiteral("cxGridDBTableView1KALAN"))->caption,
                     QStringLiteral("Kalan"));
    }

    void closingAsksFirst() {
        TForm1 w;
        w.show();
        MessageBox::resetLog();
        MessageBox::setNextAnswer(kSonucHayir);
        w.close();
        QVERIFY(w.isVisible());
        QVERIFY(m_exits.isEmpty());
        const auto asked = MessageBox::lastMessage();
        QCOMPARE(asked->text, QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"));
        QCOMPARE(asked->kind, MesajTipi::Soru);
        QCOMPARE(asked->buttons, (QList<Dugme>{Dugme::Evet, Dugme::Hayir}));
        QCOMPARE(asked->defaultButton, Dugme::Evet);

        MessageBox::setNextAnswer(kSonucEvet);
        w.findChild<QAction*>(QStringLiteral("G1"))->trigger();  // "Çıkış" asks the same
        QCOMPARE(m_exits, QList<int>{0});
        QCOMPARE(MessageBox::shownCount(), 2);
        m_exits.clear();
    }

    void visualStyleByName() {
        QVERIFY(visualStyles().contains(QStringLiteral("Sapphire Kamri")));
        QVERIFY(applyVisualStyle(QStringLiteral("Sapphire Kamri")));
        QVERIFY(!qApp->styleSheet().isEmpty());
        const QString before = qApp->styleSheet();
        MessageBox::setNextAnswer(kSonucTamam);
        QVERIFY(!applyVisualStyle(QStringLiteral("Yakut")));
        QVERIFY(MessageBox::lastMessage()->text.contains(QStringLiteral("Yakut")));
        QCOMPARE(qApp->styleSheet(), before);
        qApp->setStyleSheet(QString());
    }

    void startUpFillsHeaderAndCounters() {
        AppServerProcess server(300);
        QVERIFY(server.ready());
        QCOMPARE(server.command({QStringLiteral("bind-workstation"), QStringLiteral("WS-7A12"),
                                 QStringLiteral("DEMO")}),
                 0);
        QVERIFY(server.start());
        Settings::override(Setting::B2BPort, QString::number(server.port()));
        TForm1 w;
        {
            Connection c;
            c.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
            c.setParam(QStringLiteral("Port"), QString::number(server.port()));
            c.Open();
            w.sbilgi().Kopyala(*TServerMethods1Client(c).BuyukGetir(QStringLiteral("WS-7A12")));
        }
        QSignalSpy finished(&w, &TForm1::startupFinished);
        w.BaslangicGorevi();
        QVERIFY(finished.wait(20000));
        Settings::override(Setting::B2BPort, QString());

        const DatabaseCheck db(server.databasePath());
        QVERIFY(db.isOpen());
        auto number = [&](const QString& sql) { return db.value(sql).toString(); };
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("kullanicilbl"))->text(),
                 QStringLiteral("DEMO"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("cariadilbl"))->text(),
                 number(QStringLiteral("SELECT cariadi FROM cariler WHERE carino = 1")));
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("saticilbl"))
                    ->text()
                    .contains(QStringLiteral(" Telefonu: ")));
        auto* pages = w.findChild<QTabWidget*>(QStringLiteral("sPageControl1"));
        QCOMPARE(pages->tabText(1),
                 number(QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = 1")) +
                     QStringLiteral("=Sepet"));
        QCOMPARE(pages->tabText(4),
                 number(QStringLiteral("SELECT COUNT(*) FROM stoklar WHERE yeni = 1")) +
                     QStringLiteral("=Yeni Stoklar"));
        QCOMPARE(pages->tabText(5),
                 number(QStringLiteral("SELECT COUNT(*) FROM stoklar WHERE kampanyali = 1")) +
                     QStringLiteral("=Kampanyalı"));
        QCOMPARE(pages->tabText(6), number(QStringLiteral("SELECT COUNT(*) FROM duyurular")) +
                                        QStringLiteral("=Duyurular"));
        QVERIFY(pages->tabText(7).endsWith(QStringLiteral("=Bakiyeler")));
        QCOMPARE(pages->tabText(0), QStringLiteral("Stok Listesi"));

        // "Şifre Değiştirme İsteği" opens the request form modally over the window.
        QString opened;
        QTimer::singleShot(0, &w, [&] {
            auto* form = QApplication::activeModalWidget();
            QVERIFY(form);
            opened = form->objectName() + QLatin1Char(' ') + form->parentWidget()->objectName();
            static_cast<QDialog*>(form)->reject();
        });
        w.findChild<QAction*>(QStringLiteral("N4"))->trigger();
        QCOMPARE(opened, QStringLiteral("kullanicikayit ") + w.objectName());
    }

    void serverDownLeavesTheDesignCaptions() {
        MessageBox::resetLog();
        MessageBox::setNextAnswer(kSonucTamam);
        Settings::override(Setting::B2BPort, QString::number(AppServerProcess::freePort()));
        TForm1 w;
        QSignalSpy finished(&w, &TForm1::startupFinished);
        w.BaslangicGorevi();
        QVERIFY(finished.wait(20000));
        Settings::override(Setting::B2BPort, QString());
        QCOMPARE(w.findChild<QTabWidget*>(QStringLiteral("sPageControl1"))->tabText(1),
                 QStringLiteral("Sepet"));
        QCOMPARE(MessageBox::lastMessage()->text,
                 QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
        QCOMPARE(MessageBox::lastMessage()->kind, MesajTipi::Hata);
    }
};

int main(int argc, char* argv[]) {
    Application app(argc, argv);
    Application::installReporters();
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mainwindow.moc"
