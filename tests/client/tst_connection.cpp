#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QtTest>

#include "appserverprocess.h"
#include "calls.h"
#include "connection.h"

using namespace zerda;

namespace {

struct MessageCounter {
    MessageCounter() {
        setConnectionMessageHandler([this](const QString& text) {
            ++count;
            last = text;
        });
    }
    ~MessageCounter() { setConnectionMessageHandler({}); }
    std::atomic<int> count{0};
    QString last;
};

std::unique_ptr<Connection> connectionTo(int port) {
    auto c = std::make_unique<Connection>();
    c->setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    c->setParam(QStringLiteral("Port"), QString::number(port));
    return c;
}

}  // namespace

class TestConnection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void serverDownGivesUpAfterElevenAttemptsWithOneMessage() {
        MessageCounter messages;
        auto c = connectionTo(AppServerProcess::freePort());
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!BaglantiKur(*c, 1));
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed >= 5500 && elapsed < 8000, qPrintable(QString::number(elapsed)));
        QCOMPARE(messages.count.load(), 1);
        QCOMPARE(messages.last, QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
        QVERIFY(!c->Connected());
    }

    void serverComingBackDuringTheAttempts() {
        MessageCounter messages;
        AppServerProcess server(50);
        QVERIFY(server.ready());
        const int port = AppServerProcess::freePort();
        // The server starts listening about 1.5 s into the attempts.
        QProcess late;
        late.start(QStringLiteral("/bin/sh"),
                   {QStringLiteral("-c"),
                    QStringLiteral("sleep 1.5; exec \"$0\" --db \"$1\" serve --port \"$2\""),
                    AppServerProcess::executable(), server.databasePath(), QString::number(port)});
        QVERIFY(late.waitForStarted());
        auto c = connectionTo(port);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(BaglantiKur(*c, 1));
        QVERIFY(timer.elapsed() >= 1400 && timer.elapsed() < 5000);
        QCOMPARE(messages.count.load(), 0);
        QVERIFY(c->Connected());
        c->Close();
        late.terminate();
        QVERIFY(late.waitForFinished(10000));
        QCOMPARE(late.exitCode(), 0);
    }

    void silentServerTimesOutInsteadOfHanging() {
        // Accepts the connection (the kernel does, into the backlog) and never answers.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        auto c = connectionTo(silent.serverPort());
        c->setParam(QStringLiteral("CommunicationTimeout"), QStringLiteral("400"));
        QElapsedTimer timer;
        timer.start();
        try {
            c->Open();
            QFAIL("opened");
        } catch (const ConnectionError& e) {
            QVERIFY(e.message().contains(QStringLiteral("127.0.0.1")));
        }
        QVERIFY(timer.elapsed() < 3000);
        QVERIFY(!c->Connected());
    }

    void clonesAreIndependent() {
        AppServerProcess server(50);
        QVERIFY(server.ready());
        QVERIFY(server.start());
        auto source = connectionTo(server.port());
        source->setParam(QStringLiteral("DSProxyPort"), QStringLiteral("8090"));
        auto clone = source->CloneConnection();
        QVERIFY(!clone->Connected());
        QCOMPARE(clone->params(), source->params());
        source->Open();
        QVERIFY(!clone->Connected());
        clone->Open();
        source->Close();
        QVERIFY(clone->Connected());
        QVERIFY(!clone->Call(QStringLiteral("BuyukGetir"), R"({"_parameters":[""]})").empty());
        source.reset();
        QVERIFY(clone->Connected());
    }

    void callingAClosedConnectionIsAnError() {
        auto c = connectionTo(1);
        QVERIFY_THROWS_EXCEPTION(ConnectionError, c->Call(QStringLiteral("BuyukGetir"), "{}"));
        c->setParam(QStringLiteral("Port"), QStringLiteral("yetmiş"));
        QVERIFY_THROWS_EXCEPTION(ConnectionError, c->Open());
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
