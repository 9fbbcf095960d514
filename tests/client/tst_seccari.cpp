#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "application.h"
#include "appserverprocess.h"
#include "beklesin.h"
#include "databasecheck.h"
#include "grid.h"
#include "identity.h"
#include "mainwindow.h"
#include "proxim.h"
#include "seccari.h"
#include "settings.h"

using namespace zerda;

// The customer selection against the reference server, as the salesperson SATICI.
class TestSeccari : public QObject {
    Q_OBJECT
    std::unique_ptr<AppServerProcess> m_server;
    std::unique_ptr<Connection> m_connection;
    TSonucBilgisi m_session;
    std::unique_ptr<DatabaseCheck> m_db;
    QList<int> m_exits;
    QStringList m_errors;

    int count(const QString& sql) { return m_db->value(sql).toInt(); }

    std::unique_ptr<Tseccari> opened() {
        auto w = std::make_unique<Tseccari>();
        w->bag = m_connection.get();
        w->bilgim = &m_session;
        w->SepetSayisiYaz();
        w->TusSonuclari();
        w->show();
        return w;
    }

private Q_SLOTS:
    void initTestCase() {
        setProcessTerminator([this](int code) { m_exits << code; });
        setErrorReporter([this](const QString& m) { m_errors << m; });
        m_server = std::make_unique<AppServerProcess>(300);
        QVERIFY(m_server->ready());
        QCOMPARE(m_server->command({QStringLiteral("bind-workstation"), QStringLiteral("WS-SATICI"),
                                    QStringLiteral("SATICI")}),
                 0);
        QVERIFY(m_server->start());
        m_connection = std::make_unique<Connection>();
        m_connection->setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
        m_connection->setParam(QStringLiteral("Port"), QString::number(m_server->port()));
        m_connection->Open();
        m_session = *TServerMethods1Client(*m_connection).BuyukGetir(QStringLiteral("WS-SATICI"));
        m_connection->Close();
        QCOMPARE(m_session.MusteriTipi(), 2);
        m_db = std::make_unique<DatabaseCheck>(m_server->databasePath());
        QVERIFY(m_db->isOpen());
    }

    void cleanupTestCase() { m_db.reset(); }

    void searchText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sent");
        QTest::newRow("dotless i") << "  KILIÇ ı "
                                   << "KILIÇ i";
        QTest::newRow("empty") << "   "
                               << "";
    }
    void searchText() {
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        QCOMPARE(Tseccari::AramaMetniDuzelt(typed), sent);
    }

    void statusButtonsCarryTheCounts() {
        auto w = opened();
        const int baskets = count(QStringLiteral("SELECT COUNT(DISTINCT carino) FROM sepet"));
        QCOMPARE(w->findChild<QToolButton*>(QStringLiteral("sepettus"))->text(),
                 baskets >= 1 ? QString::number(baskets) : QString());
        QCOMPARE(w->findChild<QToolButton*>(QStringLiteral("alinditus"))->text(),
                 QString::number(
                     count(QStringLiteral("SELECT COUNT(*) FROM siparisler WHERE durum = 0"))));
        QCOMPARE(w->findChild<QToolButton*>(QStringLiteral("parcalihazirlandi"))->text(),
                 QString::number(
                     count(QStringLiteral("SELECT COUNT(*) FROM siparisler WHERE durum = 4"))));
        QVERIFY(w->findChild<QToolButton*>(QStringLiteral("sepettus"))
                    ->toolTip()
                    .contains(QLatin1Char('\n')));
        QVERIFY(!w->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->isVisible());
    }

    void searchShowsDetailsAndChoosing() {
        auto w = opened();
        auto* search = w->findChild<QLineEdit*>(QStringLiteral("NEdit1"));
        QTest::keyClicks(search, QStringLiteral("demo t"));
        QTest::sendKeyEvent(QTest::Click, search, Qt::Key_unknown, QStringLiteral("ı"),
                            Qt::NoModifier);
        QTest::keyClicks(search, QStringLiteral("c"));
        QCOMPARE(search->text(), QStringLiteral("DEMO TIC"));
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(w->CARILER.RecordCount(), 1);
        QVERIFY(w->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->isVisible());
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("carikod"))->text(),
                 QStringLiteral("120.01.001"));
        QVERIFY(w->findChild<QLabel*>(QStringLiteral("ilce"))->text().contains(QLatin1Char('/')));
        QVERIFY(w->findChild<QLabel*>(QStringLiteral("bakiye"))->text().contains(QLatin1Char(',')));
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(m_session.CARINO(), 1);
        QCOMPARE(m_session.carikod(), QStringLiteral("120.01.001"));
        QVERIFY(m_session.CariAdi().startsWith(QStringLiteral("DEMO")));
    }

    void listsAndAnEmptyResult() {
        auto w = opened();
        QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("tumcaritus")), Qt::LeftButton);
        QCOMPARE(int(w->CARILER.RecordCount()),
                 count(QStringLiteral("SELECT COUNT(*) FROM cariler")));
        QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("sepettus")), Qt::LeftButton);
        QCOMPARE(int(w->CARILER.RecordCount()),
                 count(QStringLiteral("SELECT COUNT(DISTINCT carino) FROM sepet")));
        auto* search = w->findChild<QLineEdit*>(QStringLiteral("NEdit1"));
        search->setText(QStringLiteral("BÖYLE BİR CARİ YOK"));
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(w->CARILER.RecordCount(), 0);
        QVERIFY(!w->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->isVisible());
        const int before = m_session.CARINO();
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        QVERIFY(w->isVisible());  // nothing to choose: the window stays
        QCOMPARE(m_session.CARINO(), before);
    }

    void cancellingEndsTheProgram() {
        auto w = opened();
        m_exits.clear();
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
        QCOMPARE(m_exits, QList<int>{0});
    }

    void serverDownGoesToTheErrorReport() {
        Connection down;
        down.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
        down.setParam(QStringLiteral("Port"), QString::number(AppServerProcess::freePort()));
        Tseccari w;
        w.bag = &down;
        w.bilgim = &m_session;
        w.show();
        m_errors.clear();
        QTest::mouseClick(w.findChild<QToolButton*>(QStringLiteral("tumcaritus")), Qt::LeftButton);
        QCOMPARE(m_errors.size(), 1);
        QVERIFY(m_errors[0].contains(QStringLiteral("bağlanılamadı")));
    }

    void mainWindowTakesTheChosenAccountOver() {
        IdentitySources s = defaultIdentitySources();
        s.root = QStringLiteral(ZERDA_FIXTURES "/identity/serial-with-blanks");
        setIdentitySources(s);
        Settings::override(Setting::B2BPort, QString::number(m_server->port()));
        TForm1 main;
        main.sbilgi().Kopyala(m_session);
        main.MusteriTipineGoreAyarla();
        QVERIFY(!main.findChild<QPushButton*>(QStringLiteral("musteritus"))->isHidden());
        main.findChild<QTabWidget*>(QStringLiteral("sPageControl1"))->setCurrentIndex(2);
        QTimer::singleShot(0, [] {
            auto* choice = qobject_cast<Tseccari*>(QApplication::activeModalWidget());
            QVERIFY(choice);
            choice->CariSepetListele(1);
            choice->SeciliCariyiAl();
        });
        QTest::mouseClick(main.findChild<QPushButton*>(QStringLiteral("musteritus")),
                          Qt::LeftButton);
        Settings::override(Setting::B2BPort, QString());
        auto* pages = main.findChild<QTabWidget*>(QStringLiteral("sPageControl1"));
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(pages->tabText(0), QStringLiteral("0=Stok Listesi"));
        QVERIFY(main.sbilgi().CARINO() > 0);
        QCOMPARE(main.findChild<QLabel*>(QStringLiteral("cariadilbl"))->text(),
                 main.sbilgi().CariAdi());
        // The basket of the chosen account, one with lines, is loaded.
        const int lines = count(QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = %1")
                                    .arg(main.sbilgi().CARINO()));
        QVERIFY(lines > 0);
        QCOMPARE(pages->tabText(1), QStringLiteral("%1=Sepet").arg(lines));
    }
};

int main(int argc, char* argv[]) {
    Application app(argc, argv);
    TestSeccari test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_seccari.moc"
