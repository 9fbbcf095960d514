#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include "appserverprocess.h"
#include "database.h"
#include "demodata.h"

#include <httplib.h>

using namespace zerda;
using namespace zerda::appserver;

namespace {

// A digest of every row of the tables, in key order.
QByteArray digest(Database& db, const QStringList& tables) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& table : tables) {
        QSqlQuery q(db.connection());
        q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table));
        while (q.next())
            for (int c = 0; c < q.record().count(); ++c)
                hash.addData(q.value(c).toString().toUtf8() + '\x1f');
    }
    return hash.result().toHex();
}

int count(Database& db, const QString& sql) {
    return scalar(db.connection(), sql).toInt();
}

}  // namespace

class TestAppServer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void demoDataIsDeterministicAndComplete() {
        QTemporaryDir dir;
        Database first(dir.filePath(QStringLiteral("a.db")));
        Database second(dir.filePath(QStringLiteral("b.db")));
        DemoOptions options;
        options.items = 1500;
        const DemoSummary summary = createDemoData(first, options);
        createDemoData(second, options);
        const QStringList tables = {
            QStringLiteral("stoklar"),         QStringLiteral("cariler"),
            QStringLiteral("kullanicilar"),    QStringLiteral("sepet"),
            QStringLiteral("siparisler"),      QStringLiteral("siparis_satirlari"),
            QStringLiteral("cari_hareketler"), QStringLiteral("faturalar"),
            QStringLiteral("tahsilatlar")};
        QCOMPARE(digest(first, tables), digest(second, tables));
        QCOMPARE(digest(first, {QStringLiteral("stok_resimleri")}),
                 digest(second, {QStringLiteral("stok_resimleri")}));

        QCOMPARE(summary.items, 1500);
        QCOMPARE(count(first, QStringLiteral("SELECT COUNT(*) FROM stoklar")), 1500);
        QVERIFY(summary.pictures > 50);
        QCOMPARE(
            scalar(first.connection(),
                   QStringLiteral("SELECT hex(substr(resim, 1, 3)) FROM stok_resimleri LIMIT 1"))
                .toString(),
            QStringLiteral("FFD8FF"));
        // Every stock state, campaign items priced below their list price, and new items.
        QCOMPARE(count(first, QStringLiteral("SELECT COUNT(DISTINCT durum) FROM stoklar")), 6);
        QVERIFY(count(first, QStringLiteral("SELECT COUNT(*) FROM stoklar WHERE kampanyali = 1 AND "
                                            "kampfiyat > 0 AND kampfiyat < listefiyat")) > 0);
        QCOMPARE(
            count(first,
                  QStringLiteral(
                      "SELECT COUNT(*) FROM stoklar WHERE kampanyali = 1 AND NOT (kampfiyat > 0)")),
            0);
        QVERIFY(count(first, QStringLiteral("SELECT COUNT(*) FROM stoklar WHERE yeni = 1")) > 0);
        QVERIFY(count(first, QStringLiteral(
                                 "SELECT COUNT(*) FROM stoklar WHERE adi LIKE '%BALATASI%'")) > 0);
        // Users of all four types, the fixed ones with their passwords.
        for (const DemoUser& u : fixedDemoUsers()) {
            QSqlQuery q(first.connection());
            q.prepare(
                QStringLiteral("SELECT sifre, musteritipi, aktif FROM kullanicilar WHERE adi = ?"));
            q.addBindValue(QLatin1String(u.name));
            QVERIFY(q.exec() && q.next());
            QCOMPARE(q.value(0).toString(), QLatin1String(u.password));
            QCOMPARE(q.value(1).toInt(), u.customerType);
            QCOMPARE(q.value(2).toInt(), 1);
        }
        QVERIFY(count(first, QStringLiteral("SELECT COUNT(*) FROM cariler WHERE ind1 > 0")) > 0);
        // Orders with delivered and open quantities; invoices and collections in the statement.
        QVERIFY(count(first,
                      QStringLiteral(
                          "SELECT COUNT(*) FROM siparis_satirlari WHERE teslim_edilen = miktar")) >
                0);
        QVERIFY(count(first,
                      QStringLiteral(
                          "SELECT COUNT(*) FROM siparis_satirlari WHERE teslim_edilen < miktar")) >
                0);
        QVERIFY(count(first,
                      QStringLiteral(
                          "SELECT COUNT(*) FROM cari_hareketler WHERE belge_turu = 'FATURA'")) > 0);
        QVERIFY(count(first,
                      QStringLiteral(
                          "SELECT COUNT(*) FROM cari_hareketler WHERE belge_turu = 'TAHSİLAT'")) >
                0);
        QCOMPARE(count(first, QStringLiteral("SELECT COUNT(*) FROM faturalar f JOIN "
                                             "cari_hareketler h ON h.id = f.hareket_id "
                                             "WHERE abs(h.borc - f.genel_toplam) > 0.001")),
                 0);
        QVERIFY(count(first, QStringLiteral("SELECT COUNT(*) FROM kargo_firmalari")) > 0);
        QCOMPARE(scalar(first.connection(),
                        QStringLiteral("SELECT substr(resim, 1, 6) FROM bannerlar WHERE no = 1"))
                     .toByteArray(),
                 QByteArray("GIF89a"));
        QCOMPARE(scalar(first.connection(),
                        QStringLiteral("SELECT substr(resim, 1, 2) FROM bannerlar WHERE no = 3"))
                     .toByteArray(),
                 QByteArray("BM"));
        QVERIFY(count(first, QStringLiteral(
                                 "SELECT COUNT(*) FROM duyurular WHERE arama = '#KAMPANYA#'")) ==
                1);
        QVERIFY(!scalar(first.connection(),
                        QStringLiteral("SELECT deger FROM ayarlar WHERE anahtar = 'kayan_yazi'"))
                     .toString()
                     .isEmpty());
    }

    void demoDataOnlyGoesIntoAnEmptyDatabase() {
        QTemporaryDir dir;
        Database db(dir.filePath(QStringLiteral("x.db")));
        DemoOptions options;
        options.items = 100;
        createDemoData(db, options);
        QVERIFY_THROWS_EXCEPTION(Error, createDemoData(db, options));
        QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM stoklar")),
                 100);  // the failed run left nothing
    }

    void schemaIsVersionedAndKeptOnReopening() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("v.db"));
        {
            Database db(path);
            QCOMPARE(db.schemaVersion(), Database::kSchemaVersion);
            db.transaction([](QSqlDatabase& c) {
                execute(c, QStringLiteral("INSERT INTO ayarlar VALUES ('a', 'b')"));
            });
        }
        {
            Database again(path);
            QCOMPARE(count(again, QStringLiteral("SELECT COUNT(*) FROM ayarlar")), 1);
            execute(again.connection(), QStringLiteral("PRAGMA user_version=99"));
        }
        QVERIFY_THROWS_EXCEPTION(Error, Database{path});
    }

    void aFailedTransactionWritesNothing() {
        QTemporaryDir dir;
        Database db(dir.filePath(QStringLiteral("t.db")));
        QVERIFY_THROWS_EXCEPTION(Error, db.transaction([](QSqlDatabase& c) {
            execute(c, QStringLiteral("INSERT INTO ayarlar VALUES ('a', 'b')"));
            execute(c,
                    QStringLiteral("INSERT INTO ayarlar VALUES ('a', 'tekrar')"));  // duplicate key
        }));
        QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM ayarlar")), 0);
    }

    void administratorCommands() {
        AppServerProcess server(100);
        QVERIFY(server.ready());
        QString out, err;
        QCOMPARE(server.command({QStringLiteral("bind-workstation"), QStringLiteral("WS-ABC"),
                                 QStringLiteral("bayi4")},
                                &out),
                 0);
        // Binding the same workstation to another user moves it.
        QCOMPARE(server.command({QStringLiteral("bind-workstation"), QStringLiteral("WS-ABC"),
                                 QStringLiteral("DEMO")}),
                 0);
        QCOMPARE(server.command({QStringLiteral("users")}, &out), 0);
        const QStringList lines = out.split(QLatin1Char('\n'));
        const auto line = [&](const QString& user) {
            for (const QString& l : lines)
                if (l.startsWith(user + QLatin1Char(' ')))
                    return l;
            return QString();
        };
        QVERIFY(line(QStringLiteral("DEMO")).contains(QStringLiteral("WS-ABC")));
        QVERIFY(!line(QStringLiteral("BAYI4")).contains(QStringLiteral("WS-ABC")));
        QVERIFY(line(QStringLiteral("TEMSILCI")).contains(QStringLiteral(" 1 ")));

        QCOMPARE(server.command({QStringLiteral("bind-workstation"), QStringLiteral("WS-X"),
                                 QStringLiteral("YOK")},
                                &out, &err),
                 1);
        QVERIFY(err.contains(QStringLiteral("YOK adında bir kullanıcı yok")));
        QCOMPARE(server.command({QStringLiteral("bind-workstation"), QStringLiteral("WS-X")}, &out,
                                &err),
                 2);
        QCOMPARE(server.command({QStringLiteral("uçur")}, &out, &err), 2);
        QVERIFY(err.contains(QStringLiteral("Bilinmeyen komut")));
        QCOMPARE(server.command(
                     {QStringLiteral("serve"), QStringLiteral("--port"), QStringLiteral("70000")},
                     &out, &err),
                 2);
    }

    void serverStopsCleanlyOnTerminate() {
        AppServerProcess server(50);
        QVERIFY(server.ready());
        QVERIFY(server.start());
        QCOMPARE(server.stop(), 0);
        QVERIFY(server.serverOutput().contains(QStringLiteral("Sunucu durduruldu")));
    }

    void webPagesOfTheB2BHost() {
        AppServerProcess server(50);
        QVERIFY(server.ready());
        QVERIFY(server.start());
        httplib::Client web("127.0.0.1", server.port());
        auto home = web.Get("/");
        QVERIFY(home && home->status == 200);
        // A browser keeps no idle connection open to the server.
        QCOMPARE(home->get_header_value("Connection"), std::string("close"));

        auto installer = web.Get("/exe/ZerdaB2BSetup.exe");
        QVERIFY(installer && installer->status == 200);
        QCOMPARE(QByteArray::fromStdString(installer->body), demoInstaller());
        QTemporaryDir dir;
        QFile replacement(dir.filePath(QStringLiteral("kur.sh")));
        QVERIFY(replacement.open(QIODevice::WriteOnly));
        replacement.write("#!/bin/sh\nexit 0\n");
        replacement.close();
        QCOMPARE(server.command({QStringLiteral("set-installer"), replacement.fileName()}), 0);
        installer = web.Get("/exe/ZerdaB2BSetup.exe");
        QCOMPARE(QByteArray::fromStdString(installer->body), QByteArray("#!/bin/sh\nexit 0\n"));

        auto form = web.Get("/formmailgonder.aspx?carino=0&kullanici=%20&id=%3Cb%3EWS-1");
        QVERIFY(form && form->status == 200);
        const QString html = QString::fromStdString(form->body);
        QVERIFY(html.contains(QStringLiteral("&lt;b&gt;WS-1")));  // never taken as mark-up
        QVERIFY(html.contains(QStringLiteral("<form method=\"post\">")));

        auto refused = web.Post("/formmailgonder.aspx?carino=0&kullanici=%20&id=WS-1",
                                "firma=&telefon=", "application/x-www-form-urlencoded");
        QVERIFY(refused && refused->status == 400);
        QVERIFY(QString::fromStdString(refused->body)
                    .contains(QStringLiteral("Lütfen firma adını ve telefonu yazınız.")));
        auto sent = web.Post("/formmailgonder.aspx",
                             "carino=0&kullanici=+&id=WS-1&firma=%C3%87EL%C4%B0K+OTO&telefon=0212+"
                             "555+00+00&mesaj=Merhaba",
                             "application/x-www-form-urlencoded");
        QVERIFY(sent && sent->status == 200);
        QVERIFY(QString::fromStdString(sent->body).contains(QStringLiteral("İsteğiniz alındı")));
        QString listing;
        QCOMPARE(server.command({QStringLiteral("outbox")}, &listing), 0);
        QVERIFY(listing.contains(QStringLiteral("formmailgonder.aspx")));
        QVERIFY(listing.contains(QStringLiteral("ÇELİK OTO")));
        QVERIFY(listing.contains(QStringLiteral("iş istasyonu=WS-1")));
    }

    void administratorSetsTheExpectedVersion() {
        AppServerProcess server(50);
        QVERIFY(server.ready());
        QString out, err;
        QCOMPARE(
            server.command(
                {QStringLiteral("set-version"), QStringLiteral("demo"), QStringLiteral("4")}, &out),
            0);
        QCOMPARE(server.command({QStringLiteral("users")}, &out), 0);
        for (const QString& l : out.split(QLatin1Char('\n')))
            if (l.startsWith(QStringLiteral("DEMO ")))
                QVERIFY2(l.contains(QStringLiteral(" 4 ")), qPrintable(l));
        QCOMPARE(server.command(
                     {QStringLiteral("set-version"), QStringLiteral("YOK"), QStringLiteral("4")},
                     &out, &err),
                 1);
        QCOMPARE(server.command({QStringLiteral("set-version"), QStringLiteral("DEMO"),
                                 QStringLiteral("dört")},
                                &out, &err),
                 2);
    }

    void busyPortIsReported() {
        AppServerProcess first(50);
        QVERIFY(first.ready());
        QVERIFY(first.start());
        QString out, err;
        QCOMPARE(first.command({QStringLiteral("serve"), QStringLiteral("--port"),
                                QString::number(first.port())},
                               &out, &err),
                 1);
        QVERIFY(err.contains(QStringLiteral("dinlenemiyor")));
    }
};

QTEST_GUILESS_MAIN(TestAppServer)
#include "tst_appserver.moc"
