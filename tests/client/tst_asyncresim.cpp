#include <QBuffer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "asyncresim.h"

using namespace zerda;

namespace {

QByteArray encoded(const char* format) {
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

// A web host of the test's own: answers every request with the content type and body given, or
// sends the headers and then only a trickle of a large body.
class PictureHost : public QTcpServer {
public:
    QByteArray contentType = "image/png";
    QByteArray body;
    bool trickle = false;
    int requests = 0;
    int disconnected = 0;

    PictureHost() {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::disconnected, this, [this, s] {
                    ++disconnected;
                    s->deleteLater();
                });
                connect(s, &QTcpSocket::readyRead, this, [this, s] { answer(s); });
            }
        });
    }
    QString url() const {
        return QStringLiteral("http://127.0.0.1:%1/resimgoster.ashx?id=5").arg(serverPort());
    }

private:
    void answer(QTcpSocket* s) {
        if (!s->readAll().contains("\r\n\r\n"))
            return;
        ++requests;
        const qint64 length = trickle ? 50'000'000 : body.size();
        s->write("HTTP/1.1 200 OK\r\nContent-Type: " + contentType +
                 "\r\nContent-Length: " + QByteArray::number(length) + "\r\n\r\n");
        if (!trickle) {
            s->write(body);
            return;
        }
        auto* timer = new QTimer(s);
        connect(timer, &QTimer::timeout, s, [s] { s->write(QByteArray(4096, 'x')); });
        timer->start(20);
    }
};

}  // namespace

class TestAsyncResim : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decoderByContentType_data() {
        QTest::addColumn<QString>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("shown");
        QTest::newRow("png") << "image/png" << encoded("PNG") << true;
        QTest::newRow("png sent as gif") << "image/gif" << encoded("PNG") << false;
        QTest::newRow("jpeg in capitals") << "image/JPEG" << encoded("JPEG") << true;
        QTest::newRow("jpg") << "image/jpg" << encoded("JPEG") << true;
        QTest::newRow("bmp") << "image/bmp" << encoded("BMP") << true;
        QTest::newRow("jpeg that isn't one") << "image/jpeg" << QByteArray("<html>") << false;
        QTest::newRow("with a parameter") << "image/png; charset=x" << encoded("PNG") << false;
        QTest::newRow("a page") << "text/html" << encoded("PNG") << false;
    }
    void decoderByContentType() {
        QFETCH(QString, contentType);
        QFETCH(QByteArray, body);
        QFETCH(bool, shown);
        const QImage picture = TAsyncResim::ResimYukle(contentType, body);
        QCOMPARE(!picture.isNull(), shown);
        if (shown)
            QCOMPARE(picture.size(), QSize(40, 20));
    }

    void downloadsOncePerAddress() {
        PictureHost host;
        host.body = encoded("PNG");
        TAsyncResim control;
        QSignalSpy loaded(&control, &TAsyncResim::loaded);
        control.setUrl(host.url());
        control.setUrl(host.url());
        QVERIFY(loaded.wait(10000));
        QCOMPARE(loaded.first().at(0).toBool(), true);
        QCOMPARE(control.picture().size(), QSize(40, 20));
        QTest::qWait(100);
        QCOMPARE(host.requests, 1);
        QCOMPARE(loaded.size(), 1);
    }

    void unknownTypeShowsNothing() {
        PictureHost host;
        host.contentType = "image/gif";
        host.body = encoded("PNG");
        TAsyncResim control;
        QSignalSpy loaded(&control, &TAsyncResim::loaded);
        control.setUrl(host.url());
        QVERIFY(loaded.wait(10000));
        QCOMPARE(loaded.first().at(0).toBool(), false);
        QVERIFY(control.picture().isNull());
    }

    void closingAbortsTheDownload() {
        PictureHost host;
        host.trickle = true;
        auto control = std::make_unique<TAsyncResim>();
        control->setUrl(host.url());
        QTRY_COMPARE_WITH_TIMEOUT(host.requests, 1, 10000);
        QTest::qWait(100);
        QVERIFY(control->downloading());
        control.reset();  // the dialog closes
        QTRY_COMPARE_WITH_TIMEOUT(host.disconnected, 1, 10000);
    }
};

QTEST_MAIN(TestAsyncResim)
#include "tst_asyncresim.moc"
