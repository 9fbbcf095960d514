#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include "application.h"
#include "appserverprocess.h"
#include "ayarlar.h"
#include "beklesin.h"
#include "databasecheck.h"
#include "desktop.h"
#include "dosyaindir.h"
#include "girisformu.h"
#include "identity.h"
#include "mainwindow.h"
#include "mesajgoster.h"
#include "seccari.h"
#include "settings.h"

using namespace zerda;

namespace {

// Answers every request with 200 and an empty body: an IP-lookup service that says nothing.
class EmptyAnswers : public QTcpServer {
public:
    EmptyAnswers() {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [s] {
                    s->readAll();
                    s->write("HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                    s->disconnectFromHost();
                });
            }
        });
    }
};

// A shown login dialog on a connection to the configured server and a session record of its own.
struct LoginFixture {
    TSonucBilgisi session;
    Connection bagc;
    Tgirisform dialog;
    LoginFixture() {
        bagc.setParam(QStringLiteral("Port"), Settings::text(Setting::B2BPort));
        dialog.bagim = &bagc;
        dialog.Bilgim = &session;
        dialog.show();
    }
};

}  // namespace

class TestLogin : public QObject {
    Q_OBJECT
    std::unique_ptr<AppServerProcess> m_server;
    QList<int> m_exits;
    QList<QUrl> m_opened;
    QList<std::pair<QString, QStringList>> m_started;

    void sql(const QString& statement) {
        const DatabaseCheck db(m_server->databasePath());
        QVERIFY2(db.execute(statement), qPrintable(statement));
    }

    // One attempt with the typed entries; returns the message shown last.
    std::optional<ShownMessage> attempt(Tgirisform& dialog, const QString& name,
                                        const QString& password) {
        dialog.findChild<QLineEdit*>(QStringLiteral("adi"))->setText(name);
        dialog.findChild<QLineEdit*>(QStringLiteral("sifre"))->setText(password);
        MessageBox::resetLog();
        MessageBox::setNextAnswer(kSonucTamam);
        QSignalSpy finished(&dialog, &Tgirisform::attemptFinished);
        dialog.Button1Click();
        if (!finished.wait(20000))
            return std::nullopt;
        MessageBox::clearNextAnswer();
        return MessageBox::lastMessage();
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        setProcessTerminator([this](int code) { m_exits << code; });
        setUrlOpener([this](const QUrl& url) {
            m_opened << url;
            return true;
        });
        setProgramStarter([this](const QString& program, const QStringList& arguments) {
            m_started.append({program, arguments});
            return true;
        });
        IdentitySources s = defaultIdentitySources();
        s.root = QStringLiteral(ZERDA_FIXTURES "/identity/serial-with-blanks");  // WS-7A12
        setIdentitySources(s);
        m_server = std::make_unique<AppServerProcess>(200);
        QVERIFY(m_server->ready());
        QVERIFY(m_server->start());
        const QString base = QStringLiteral("http://127.0.0.1:%1").arg(m_server->port());
        Settings::override(Setting::B2BPort, QString::number(m_server->port()));
        Settings::override(Setting::IpLookupBase, base);
        Settings::override(Setting::UpdateBase, base);
        Settings::override(Setting::WebBase, base + QLatin1Char('/'));
    }

    void init() {
        QFile::remove(ayarDosyasi());
        m_exits.clear();
        m_opened.clear();
        m_started.clear();
        QCOMPARE(m_server->command({QStringLiteral("bind-workstation"), QStringLiteral("WS-7A12"),
                                    QStringLiteral("DEMO")}),
                 0);
    }

    void settingsFile() {
        GirisAyari read;
        QVERIFY(!AyarOku(ayarDosyasi(), read));
        AyarKaydet(ayarDosyasi(), {QStringLiteral("DEMO"), QStringLiteral("ŞİFRE1"), false});
        QFile file(ayarDosyasi());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("[kullanici]\nisim=DEMO\nsifre=ŞİFRE1\nhatırla=0\n"));
        file.close();
        QVERIFY(AyarOku(ayarDosyasi(), read));
        QCOMPARE(read.isim, QStringLiteral("DEMO"));
        QCOMPARE(read.sifre, QStringLiteral("ŞİFRE1"));
        QVERIFY(!read.hatirla);
        for (const QByteArray& text : {QByteArray("[kullanici]\nisim=X\n"),
                                       QByteArray("[kullanici]\nhat\xC4\xB1rla=evet\n")}) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(text);
            file.close();
            QVERIFY(AyarOku(ayarDosyasi(), read));
            QVERIFY(read.hatirla);  // missing or unreadable: true
            QVERIFY(read.sifre.isEmpty());
        }
    }

    void dialogReadsTheRememberedEntries() {
        {
            Tgirisform fresh;
            QVERIFY(fresh.findChild<QCheckBox*>(QStringLiteral("benihatirla"))->isChecked());
            QVERIFY(fresh.findChild<QLineEdit*>(QStringLiteral("adi"))->text().isEmpty());
            QCOMPARE(fresh.idsi, QStringLiteral("WS-7A12"));
        }
        AyarKaydet(ayarDosyasi(), {QStringLiteral("DEMO"), QStringLiteral("1234"), true});
        {
            Tgirisform remembered;
            QCOMPARE(remembered.findChild<QLineEdit*>(QStringLiteral("adi"))->text(),
                     QStringLiteral("DEMO"));
            QCOMPARE(remembered.findChild<QLineEdit*>(QStringLiteral("sifre"))->text(),
                     QStringLiteral("1234"));
        }
        AyarKaydet(ayarDosyasi(), {QStringLiteral("DEMO"), QStringLiteral("1234"), false});
        Tgirisform forgotten;
        QVERIFY(!forgotten.findChild<QCheckBox*>(QStringLiteral("benihatirla"))->isChecked());
        QVERIFY(forgotten.findChild<QLineEdit*>(QStringLiteral("adi"))->text().isEmpty());
    }

    void enterWithAnEmptyFieldWarns() {
        Tgirisform dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        MessageBox::resetLog();
        MessageBox::setNextAnswer(kSonucTamam);
        QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("adi")), Qt::Key_Return);
        QCOMPARE(MessageBox::lastMessage()->text,
                 QStringLiteral("Lütfen kullanıcı adını giriniz !"));
        QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("adi")),
                         QStringLiteral("demo"));
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("adi"))->text(),
                 QStringLiteral("DEMO"));
        QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("adi")), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(),
                 dialog.findChild<QLineEdit*>(QStringLiteral("sifre")));
        MessageBox::setNextAnswer(kSonucTamam);
        QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("sifre")), Qt::Key_Return);
        QCOMPARE(MessageBox::lastMessage()->text,
                 QStringLiteral("Lütfen kullanıcı şifresini giriniz !"));
        QCOMPARE(MessageBox::shownCount(), 2);
    }

    void failures_data() {
        QTest::addColumn<QString>("setup");  // an SQL statement or a command, "" for none
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong password")
            << ""
            << "9999"
            << "Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !";
        QTest::newRow("inactive user") << "UPDATE kullanicilar SET aktif = 0 WHERE adi = 'DEMO'"
                                       << "1234"
                                       << "Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !";
        QTest::newRow("lower-case answer")
            << "UPDATE kullanicilar SET sifre = 'abcd' WHERE adi = 'DEMO'"
            << "ABCD"
            << "Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !";
    }
    void failures() {
        QFETCH(QString, setup);
        QFETCH(QString, password);
        QFETCH(QString, message);
        if (!setup.isEmpty())
            sql(setup);
        LoginFixture f;
        Tgirisform& dialog = f.dialog;
        const auto shown = attempt(dialog, QStringLiteral("DEMO"), password);
        sql(QStringLiteral("UPDATE kullanicilar SET aktif = 1, sifre = '1234' WHERE adi = 'DEMO'"));
        QVERIFY(shown.has_value());
        QCOMPARE(shown->text, message);
        QCOMPARE(shown->kind, MesajTipi::Uyari);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->isEnabled());
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("Button1"))->text(),
                 QStringLiteral("Giriş!"));
        // An inactive user whose entries matched had them remembered.
        QCOMPARE(QFile::exists(ayarDosyasi()),
                 QTest::currentDataTag() == QByteArray("inactive user"));
        QVERIFY(m_exits.isEmpty());
    }

    void dealerLogsIn() {
        LoginFixture f;
        Tgirisform& dialog = f.dialog;
        attempt(dialog, QStringLiteral("DEMO"), QStringLiteral("1234"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.session.ADI(), QStringLiteral("DEMO"));
        QCOMPARE(f.session.CARINO(), 1);
        QCOMPARE(f.session.Disip(), QStringLiteral("127.0.0.1"));
        QCOMPARE(f.session.BILGISAYARID(), QStringLiteral("WS-7A12"));
        GirisAyari saved;
        QVERIFY(AyarOku(ayarDosyasi(), saved));
        QCOMPARE(saved.isim, QStringLiteral("DEMO"));
    }

    void unknownWorkstationOpensTheRequestForm() {
        QCOMPARE(m_server->command({QStringLiteral("bind-workstation"), QStringLiteral("BASKA"),
                                    QStringLiteral("DEMO")}),
                 0);
        // The page opens in the desktop's browser here; the embedded one has tests of its own.
        Settings::override(Setting::EmbeddedBrowser, QStringLiteral("0"));
        LoginFixture f;
        Tgirisform& dialog = f.dialog;
        // The request form is modal: close it as soon as it is open.
        QTimer closer;
        connect(&closer, &QTimer::timeout, [] {
            if (auto* form = QApplication::activeModalWidget();
                form && form->objectName() == QLatin1String("formistekyeni"))
                static_cast<QDialog*>(form)->accept();
        });
        closer.start(50);
        dialog.findChild<QLineEdit*>(QStringLiteral("adi"))->setText(QStringLiteral("DEMO"));
        dialog.findChild<QLineEdit*>(QStringLiteral("sifre"))->setText(QStringLiteral("1234"));
        dialog.Button1Click();
        QTRY_VERIFY_WITH_TIMEOUT(!m_exits.isEmpty(), 20000);
        Settings::override(Setting::EmbeddedBrowser, QString());
        QCOMPARE(m_exits, QList<int>{0});
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_opened[0].toDisplayString(),
                 QStringLiteral(
                     "http://127.0.0.1:%1/formmailgonder.aspx?carino=0&kullanici= &id=WS-7A12")
                     .arg(m_server->port()));
    }

    void otherVersionDownloadsAndStartsTheInstaller() {
        QCOMPARE(m_server->command(
                     {QStringLiteral("set-version"), QStringLiteral("DEMO"), QStringLiteral("4")}),
                 0);
        LoginFixture f;
        Tgirisform& dialog = f.dialog;
        QTimer closer;  // the download window never closes by itself: the program ends
        connect(&closer, &QTimer::timeout, [this] {
            if (auto* w = QApplication::activeModalWidget();
                w && w->objectName() == QLatin1String("dosyaindir") && !m_exits.isEmpty())
                static_cast<QDialog*>(w)->reject();
        });
        closer.start(50);
        dialog.findChild<QLineEdit*>(QStringLiteral("adi"))->setText(QStringLiteral("DEMO"));
        dialog.findChild<QLineEdit*>(QStringLiteral("sifre"))->setText(QStringLiteral("1234"));
        dialog.Button1Click();
        QTRY_VERIFY_WITH_TIMEOUT(!m_exits.isEmpty(), 20000);
        QCOMPARE(m_server->command(
                     {QStringLiteral("set-version"), QStringLiteral("DEMO"), QStringLiteral("3")}),
                 0);
        QCOMPARE(m_started.size(), 1);
        QCOMPARE(m_started[0].first, Tdosyaindir::installerPath());
        QCOMPARE(m_started[0].second, QStringList{QStringLiteral("/silent")});
        QFile installer(Tdosyaindir::installerPath());
        QVERIFY(installer.open(QIODevice::ReadOnly));
        QVERIFY(installer.readAll().startsWith("#!/bin/sh"));
        QVERIFY(installer.permissions() & QFileDevice::ExeOwner);
    }

    void downloadErrorStatusIsAFailure() {
        Settings::override(Setting::UpdateBase,
                           QStringLiteral("http://127.0.0.1:%1/yok").arg(m_server->port()));
        QFile::remove(Tdosyaindir::installerPath());
        MessageBox::resetLog();
        MessageBox::setNextAnswer(kSonucTamam);
        Tdosyaindir window(nullptr, 4);
        QTimer::singleShot(0, &window, [&] { window.show(); });
        QTRY_VERIFY_WITH_TIMEOUT(!m_exits.isEmpty(), 20000);
        Settings::override(Setting::UpdateBase,
                           QStringLiteral("http://127.0.0.1:%1").arg(m_server->port()));
        QVERIFY(
            MessageBox::lastMessage()->text.startsWith(QStringLiteral("Hata Oluştu !\r\nHata: ")));
        QVERIFY(MessageBox::lastMessage()->text.contains(QStringLiteral("404")));
        QVERIFY(!QFile::exists(Tdosyaindir::installerPath()));
        QVERIFY(m_started.isEmpty());
    }

    void progressText() {
        QLocale::setDefault(QLocale(QStringLiteral("tr_TR")));
        QCOMPARE(Tdosyaindir::ilerlemeYazisi(1024 * 1024, 2 * 1024 * 1024),
                 QStringLiteral("Bilgi: %50,00  İndirilen: 1,00/2,00 Mb"));
        QLocale::setDefault(QLocale::c());
        Tdosyaindir window(nullptr, 4);
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("sLabel1"))
                    ->text()
                    .endsWith(QStringLiteral("Version: 4-3")));
    }

    void serverDownAndSilentLookUp() {
        EmptyAnswers silent;
        Settings::override(Setting::IpLookupBase,
                           QStringLiteral("http://127.0.0.1:%1").arg(silent.serverPort()));
        LoginFixture f;
        Tgirisform& dialog = f.dialog;
        auto shown = attempt(dialog, QStringLiteral("DEMO"), QStringLiteral("1234"));
        QCOMPARE(shown->text, QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"));
        QCOMPARE(shown->kind, MesajTipi::Hata);
        Settings::override(Setting::IpLookupBase,
                           QStringLiteral("http://127.0.0.1:%1").arg(m_server->port()));

        Settings::override(Setting::B2BPort, QString::number(AppServerProcess::freePort()));
        Connection down;
        down.setParam(QStringLiteral("Port"), Settings::text(Setting::B2BPort));
        dialog.bagim = &down;
        shown = attempt(dialog, QStringLiteral("DEMO"), QStringLiteral("1234"));
        Settings::override(Setting::B2BPort, QString::number(m_server->port()));
        QCOMPARE(shown->text, QStringLiteral("Bağlantı Kurulamadı !"));
        QVERIFY(dialog.isVisible());
    }

    void mainWindowAdaptsToTheCustomerType_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("salesperson");
        QTest::addColumn<bool>("campaignTab");
        QTest::newRow("dealer, type 3") << "DEMO" << false << true;
        QTest::newRow("dealer, type 4") << "BAYI4" << false << false;
        QTest::newRow("salesperson, type 2") << "SATICI" << true << true;
    }
    void mainWindowAdaptsToTheCustomerType() {
        QFETCH(QString, user);
        QFETCH(bool, salesperson);
        QFETCH(bool, campaignTab);
        QCOMPARE(m_server->command(
                     {QStringLiteral("bind-workstation"), QStringLiteral("WS-7A12"), user}),
                 0);
        TForm1 w;
        // Drives whatever modal window is open: the login, then (for a salesperson) the choice.
        QTimer driver;
        bool loginStarted = false;
        connect(&driver, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* login = qobject_cast<Tgirisform*>(modal); login && !loginStarted) {
                loginStarted = true;
                login->findChild<QLineEdit*>(QStringLiteral("adi"))->setText(user);
                login->findChild<QLineEdit*>(QStringLiteral("sifre"))
                    ->setText(QStringLiteral("1234"));
                login->Button1Click();
            } else if (auto* choice = qobject_cast<Tseccari*>(modal)) {
                choice->CarileriAra();
                choice->SeciliCariyiAl();
            }
        });
        driver.start(50);
        QVERIFY(w.GirisYap());
        driver.stop();
        QVERIFY(m_exits.isEmpty());
        QCOMPARE(w.sbilgi().ADI(), user);
        QCOMPARE(!w.findChild<QPushButton*>(QStringLiteral("musteritus"))->isHidden(), salesperson);
        QCOMPARE(w.findChild<QAction*>(QStringLiteral("R1"))->isVisible(), salesperson);
        auto* pages = w.findChild<QTabWidget*>(QStringLiteral("sPageControl1"));
        QCOMPARE(pages->isTabVisible(
                     pages->indexOf(w.findChild<QWidget*>(QStringLiteral("skampanyali")))),
                 campaignTab);
        if (salesperson)
            QVERIFY(w.sbilgi().CARINO() > 0);  // the account chosen
    }

    void cancelEndsTheProgram() {
        Tgirisform dialog;
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Button2")),
                          Qt::LeftButton);
        QCOMPARE(m_exits, QList<int>{0});
    }
};

int main(int argc, char* argv[]) {
    Application app(argc, argv);
    TestLogin test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_login.moc"
