#include <QElapsedTimer>
#include <QtConcurrent>
#include <QtTest>

#include "appserverprocess.h"
#include "errors.h"
#include "identity.h"

using namespace zerda;

namespace {

IdentitySources fixture(const QString& name) {
    IdentitySources s = defaultIdentitySources();
    s.root = QStringLiteral(ZERDA_FIXTURES "/identity/") + name;
    return s;
}

}  // namespace

class TestIdentity : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { setIdentitySources(defaultIdentitySources()); }

    void workstationIdentifier_data() {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("identifier");
        QTest::newRow("serial trimmed, upper-cased, blanks removed") << "serial-with-blanks"
                                                                     << "WS-7A12";
        QTest::newRow("blank serial gives the MAC address") << "blank-serial"
                                                            << "00-1A-2B-3C-4D-5E";
        QTest::newRow("no disk, zero adapter before a real one") << "zero-then-real"
                                                                 << "A4-BB-6D-0F-E2-9C";
        QTest::newRow("fixed virtual disk before a removable one") << "virtio-serial"
                                                                   << "VD-0042";
        QTest::newRow("NVMe serial from sysfs") << "nvme"
                                                << "S4EWNX0R123456";
        QTest::newRow("neither serial nor address") << "nothing"
                                                    << "";
    }
    void workstationIdentifier() {
        QFETCH(QString, tree);
        QFETCH(QString, identifier);
        setIdentitySources(fixture(tree));
        QCOMPARE(BilgisayarIdAl(), identifier);
    }

    void diskSerialWithoutADiskIsAnError() {
        setIdentitySources(fixture(QStringLiteral("zero-then-real")));
        QVERIFY_THROWS_EXCEPTION(Error, DiskSeriNoAl());
        QCOMPARE(MacAdresiAl(), QStringLiteral("A4-BB-6D-0F-E2-9C"));
        setIdentitySources(fixture(QStringLiteral("nothing")));
        QCOMPARE(MacAdresiAl(), QString());
    }

    void namesLongerThanFifteenAreEmpty_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short") << "muhasebe"
                               << "muhasebe";
        QTest::newRow("fifteen") << "abcdefghijklmno"
                                 << "abcdefghijklmno";
        QTest::newRow("sixteen") << "abcdefghijklmnop"
                                 << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void namesLongerThanFifteenAreEmpty() {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        IdentitySources s = defaultIdentitySources();
        s.userName = [name] { return name; };
        s.hostName = [name] { return name; };
        setIdentitySources(s);
        QCOMPARE(WindowsKullaniciAl(), expected);
        QCOMPARE(BilgisayarAdiAl(), expected);
    }

    void localAddress() {
        IdentitySources s = defaultIdentitySources();
        s.hostName = [] { return QStringLiteral("bayi-pc"); };
        s.resolveIPv4 = [](const QString& host) {
            return host == QLatin1String("bayi-pc")
                       ? QStringList{QStringLiteral("192.168.1.20"), QStringLiteral("10.0.0.5")}
                       : QStringList{};
        };
        setIdentitySources(s);
        QCOMPARE(YerelIpAl(), QStringLiteral("192.168.1.20"));
        s.hostName = [] { return QStringLiteral("bilinmeyen"); };
        setIdentitySources(s);
        QCOMPARE(YerelIpAl(), QStringLiteral("127.0.0.1"));
    }

    void thisMachineAnswers() {
        // The real sources: whatever this machine is, the functions answer without raising and
        // the identifier has no blanks.
        QVERIFY(!BilgisayarIdAl().contains(QLatin1Char(' ')));
        QVERIFY(YerelIpAl().count(QLatin1Char('.')) == 3);
    }

    void externalAddressFromTheLookUpService() {
        AppServerProcess server(50);
        QVERIFY(server.ready());
        QVERIFY(server.start());
        const QString base = QStringLiteral("http://127.0.0.1:%1").arg(server.port());
        QCOMPARE(DisIpAl(base), QStringLiteral("127.0.0.1"));
    }

    void externalAddressWaitsForTheService() {
        // Nobody listens at first; the service comes up while the look-up repeats.
        AppServerProcess server(50);
        QVERIFY(server.ready());
        const int port = AppServerProcess::freePort();
        QElapsedTimer timer;
        timer.start();
        QFuture<QString> lookUp = QtConcurrent::run(
            [port] { return DisIpAl(QStringLiteral("http://127.0.0.1:%1").arg(port)); });
        QTest::qWait(1500);
        QVERIFY(!lookUp.isFinished());
        QVERIFY(server.start(port));
        QTRY_VERIFY_WITH_TIMEOUT(lookUp.isFinished(), 5000);
        QCOMPARE(lookUp.result(), QStringLiteral("127.0.0.1"));
        QVERIFY(timer.elapsed() >= 1500);
    }

    void externalAddressLookUpCanBeGivenUp() {
        // An address that answers with an error status counts as a failure and is repeated.
        AppServerProcess server(50);
        QVERIFY(server.ready());
        QVERIFY(server.start());
        std::atomic<bool> stop{false};
        QFuture<QString> lookUp = QtConcurrent::run([&] {
            return DisIpAl(QStringLiteral("http://127.0.0.1:%1/yok").arg(server.port()),
                           [&] { return stop.load(); });
        });
        QTest::qWait(1200);
        QVERIFY(!lookUp.isFinished());
        stop = true;
        QTRY_VERIFY_WITH_TIMEOUT(lookUp.isFinished(), 3000);
        QCOMPARE(lookUp.result(), QString());
    }
};

QTEST_GUILESS_MAIN(TestIdentity)
#include "tst_identity.moc"
