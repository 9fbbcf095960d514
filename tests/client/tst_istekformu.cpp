#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

#include "appserverprocess.h"
#include "databasecheck.h"
#include "desktop.h"
#include "istekformu.h"
#include "settings.h"
#include "webview.h"

using namespace zerda;

// The embedded browser shares the windows' graphics contexts: set before the application object.
static const bool kSharedContexts = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}();

// The request form window: the page in the embedded browser, and the desktop's browser with a
// note wherever the embedded one can't run.
class TestIstekFormu : public QObject {
    Q_OBJECT
    std::unique_ptr<AppServerProcess> m_server;
    QList<QUrl> m_opened;

    QString formAddress() const {
        return QStringLiteral(
                   "http://127.0.0.1:%1/formmailgonder.aspx?carino=0&kullanici= &id=WS-7A12")
            .arg(m_server->port());
    }

    static QString pageText(QWebEnginePage* page) {
        QString text;
        bool done = false;
        page->toPlainText([&](const QString& t) {
            text = t;
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            return QStringLiteral("(sayfanın metni gelmedi)");
        return text;
    }

private Q_SLOTS:
    void initTestCase() {
        setUrlOpener([this](const QUrl& url) {
            m_opened << url;
            return true;
        });
        m_server = std::make_unique<AppServerProcess>(50);
        QVERIFY(m_server->ready());
        QVERIFY(m_server->start());
    }

    void init() {
        m_opened.clear();
        Settings::override(Setting::EmbeddedBrowser, QString());
        Settings::override(Setting::WebSandbox, QString());
    }

    void whenTheEmbeddedBrowserCanRun_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("sandbox");
        QTest::addColumn<bool>("root");
        QTest::addColumn<bool>("namespaces");
        QTest::addColumn<bool>("helper");
        QTest::addColumn<QString>("blocker");
        QTest::newRow("ordinary user") << true << true << false << true << true << "";
        QTest::newRow("switched off") << false << true << false << true << true << "ayarlardan";
        QTest::newRow("not installed") << true << true << false << true << false << "kurulu değil";
        QTest::newRow("root in the sandbox") << true << true << true << true << true << "root";
        QTest::newRow("root without the sandbox") << true << false << true << true << true << "";
        QTest::newRow("no namespaces") << true << true << false << false << true << "izin vermiyor";
        QTest::newRow("no namespaces, no sandbox") << true << false << false << false << true << "";
    }
    void whenTheEmbeddedBrowserCanRun() {
        QFETCH(bool, enabled);
        QFETCH(bool, sandbox);
        QFETCH(bool, root);
        QFETCH(bool, namespaces);
        QFETCH(bool, helper);
        QFETCH(QString, blocker);
        const QString reason =
            embeddedBrowserBlocker(BrowserEnvironment{enabled, sandbox, root, namespaces, helper});
        if (blocker.isEmpty())
            QCOMPARE(reason, QString());
        else
            QVERIFY2(reason.contains(blocker), qPrintable(reason));
    }

    void blockedOpensTheDesktopBrowserWithANote() {
        Settings::override(Setting::EmbeddedBrowser, QStringLiteral("0"));
        Tformistekyeni form;
        form.setWindowTitle(QStringLiteral("Zerda Otomotiv B2B İstek Formu"));
        form.Git(formAddress());
        form.show();
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_opened[0].toDisplayString(), formAddress());
        QVERIFY(!form.sitem()->embedded());
        const auto* note = form.sitem()->findChild<QLabel*>(QStringLiteral("not"));
        QVERIFY(note->isVisible());
        QVERIFY(note->text().contains(QStringLiteral("ayarlardan kapatılmış")));
        QVERIFY(note->text().contains(QStringLiteral("tarayıcısında açıldı")));
        QVERIFY(note->text().endsWith(formAddress()));
        form.sitem()->findChild<QPushButton*>(QStringLiteral("tarayicidaac"))->click();
        QCOMPARE(m_opened.size(), 2);
        form.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }

    void desktopBrowserFailingToo() {
        Settings::override(Setting::EmbeddedBrowser, QStringLiteral("0"));
        setUrlOpener([](const QUrl&) { return false; });
        Tformistekyeni form;
        form.Git(formAddress());
        setUrlOpener([this](const QUrl& url) {
            m_opened << url;
            return true;
        });
        QVERIFY(form.sitem()->note().contains(QStringLiteral("adresi tarayıcınıza yazınız")));
        QVERIFY(form.sitem()->note().endsWith(formAddress()));
    }

    // The engine runs here without its sandbox: tests may run as root, where the sandbox refuses.
    void embeddedPageSendsTheRequest() {
        Settings::override(Setting::WebSandbox, QStringLiteral("0"));
        Tformistekyeni form;
        QSignalSpy loaded(form.sitem(), &WebPanel::loadFinished);
        form.Git(formAddress());
        form.show();
        QVERIFY(form.sitem()->embedded());
        QVERIFY(loaded.wait(30000));
        QCOMPARE(loaded.last().at(0).toBool(), true);
        QVERIFY(m_opened.isEmpty());
        QWebEnginePage* page = form.sitem()->view()->page();
        QVERIFY(pageText(page).contains(QStringLiteral("İş istasyonu: WS-7A12")));

        page->runJavaScript(
            QStringLiteral("document.getElementById('firma').value = 'Kaya Oto';"
                           "document.getElementById('telefon').value = '0212 555 11 22';"
                           "document.querySelector('form').submit();"));
        QVERIFY(loaded.wait(30000));
        QVERIFY(pageText(page).contains(QStringLiteral("İsteğiniz alındı")));
        const DatabaseCheck db(m_server->databasePath());
        QSqlQuery q(db.database());
        QVERIFY(q.exec(QStringLiteral(
            "SELECT idsi, konu FROM giden_kutusu WHERE yontem = 'formmailgonder.aspx'")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("WS-7A12"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("Kaya Oto"));
    }

    void engineFailingWhileOpenFallsBack() {
        Settings::override(Setting::WebSandbox, QStringLiteral("0"));
        Tformistekyeni form;
        QSignalSpy loaded(form.sitem(), &WebPanel::loadFinished);
        QSignalSpy fellBack(form.sitem(), &WebPanel::fellBack);
        form.Git(formAddress());
        form.show();
        QVERIFY(loaded.wait(30000));
        form.sitem()->view()->setUrl(QUrl(QStringLiteral("chrome://kill")));
        QVERIFY(fellBack.wait(30000));
        QVERIFY(!form.sitem()->embedded());
        QCOMPARE(m_opened.size(), 1);
        QVERIFY(form.sitem()->note().contains(QStringLiteral("beklenmedik biçimde kapandı")));
    }
};

QTEST_MAIN(TestIstekFormu)
#include "tst_istekformu.moc"
