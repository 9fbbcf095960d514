#include <QSqlQuery>
#include <QtTest>

#include "appserverprocess.h"
#include "databasecheck.h"
#include "proxim.h"

using namespace zerda;

// The stock search of the reference server, asked through the client's proxy.
class TestCatalogue : public QObject {
    Q_OBJECT
    std::unique_ptr<AppServerProcess> m_server;
    std::unique_ptr<DatabaseCheck> m_db;
    Connection m_connection;
    TSonucBilgisi m_dealer, m_salesperson;

    DataTable search(const QString& text, const TSonucBilgisi& session) {
        m_connection.Open();
        TSonucBilgisi copy;
        copy.Kopyala(session);
        DataTable rows = TServerMethods1Client(m_connection).StokAraGetir(text, copy);
        m_connection.Close();
        return rows;
    }

    QSet<int> found(const QString& text) {
        const DataTable rows = search(text, m_dealer);
        const int stokno = rows.indexOf(u"STOK_STOKNO");
        QSet<int> items;
        for (qsizetype r = 0; r < rows.rowCount(); ++r)
            items << int(rows.value(r, stokno).toInt());
        return items;
    }

    QSet<int> fromDb(const QString& where) {
        QSqlQuery q(m_db->database());
        q.exec(QStringLiteral("SELECT stokno FROM stoklar WHERE ") + where);
        QSet<int> items;
        while (q.next())
            items << q.value(0).toInt();
        return items;
    }

    TSonucBilgisi sessionOf(const QString& workstation) {
        m_connection.Open();
        TSonucBilgisi s = *TServerMethods1Client(m_connection).BuyukGetir(workstation);
        m_connection.Close();
        return s;
    }

private Q_SLOTS:
    void initTestCase() {
        m_server = std::make_unique<AppServerProcess>(2000);
        QVERIFY(m_server->ready());
        for (const auto& [ws, user] : {std::pair{"WS-BAYI", "DEMO"}, {"WS-SATICI", "SATICI"}})
            QCOMPARE(m_server->command({QStringLiteral("bind-workstation"), QLatin1String(ws),
                                        QLatin1String(user)}),
                     0);
        QVERIFY(m_server->start());
        m_connection.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
        m_connection.setParam(QStringLiteral("Port"), QString::number(m_server->port()));
        m_dealer = sessionOf(QStringLiteral("WS-BAYI"));
        m_salesperson = sessionOf(QStringLiteral("WS-SATICI"));
        m_salesperson.setCARINO(m_dealer.CARINO());
        m_db = std::make_unique<DatabaseCheck>(m_server->databasePath());
        QVERIFY(m_db->isOpen());
    }

    void cleanupTestCase() { m_db.reset(); }

    void findsByCodesAndNames_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");  // which items, as a condition on stoklar
        QTest::newRow("part of the stock code") << "ZR1000"
                                                << "barkod LIKE 'ZR1000%'";
        QTest::newRow("a name, Turkish letters folded")
            << "fren dİskİ"
            << "adi LIKE '%FREN DİSKİ%' OR digeradi LIKE '%FREN DİSKİ%'";
        QTest::newRow("the same typed plainly")
            << "FREN DISKI"
            << "adi LIKE '%FREN DİSKİ%' OR digeradi LIKE '%FREN DİSKİ%'";
        QTest::newRow("words in any order")
            << "arka balatası"
            << "(adi LIKE '%BALATASI%' OR digeradi LIKE '%BALATASI%') AND "
               "(adi LIKE '%ARKA%' OR digeradi LIKE '%ARKA%')";
        QTest::newRow("short text: the start of the code") << "zr"
                                                           << "barkod LIKE 'ZR%'";
        QTest::newRow("blanks only") << "   "
                                     << "0";
    }
    void findsByCodesAndNames() {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        const QSet<int> items = found(typed);
        QCOMPARE(items, fromDb(expected));
    }

    void findsCodesWithoutTheirSeparators() {
        const QString finish =
            m_db->value(QStringLiteral("SELECT finishkod FROM stoklar WHERE stokno = 17"))
                .toString();
        QVERIFY(finish.contains(QLatin1Char('-')));
        QVERIFY(found(finish.toLower()).contains(17));
        QVERIFY(found(QString(finish).remove(QLatin1Char('-'))).contains(17));
        const QString oem =
            m_db->value(QStringLiteral("SELECT oem1 FROM stoklar WHERE stokno = 17")).toString();
        QVERIFY(found(oem.left(3) + QLatin1Char(' ') + oem.mid(3)).contains(17));
    }

    void indexFollowsTheItems() {
        QVERIFY(m_db->execute(
            QStringLiteral("UPDATE stoklar SET adi = 'ÖZEL ÇEKİ DEMİRİ' WHERE stokno = 5")));
        QCOMPARE(found(QStringLiteral("ozel ceki")), QSet<int>{5});
        QVERIFY(m_db->execute(QStringLiteral(
            "INSERT INTO stoklar (stokno, barkod, adi) VALUES (99001, 'YN-1', 'ŞAFT KÖRÜĞÜ')")));
        QCOMPARE(found(QStringLiteral("SAFT KORUGU")), QSet<int>{99001});
        QVERIFY(m_db->execute(QStringLiteral("DELETE FROM stoklar WHERE stokno = 99001")));
        QVERIFY(found(QStringLiteral("SAFT KORUGU")).isEmpty());
    }

    void pricesAreTheDealersOwn() {
        QSqlQuery q(m_db->database());
        QVERIFY(q.exec(QStringLiteral("UPDATE cariler SET ind1 = 10, ind2 = 5, ind3 = 0, ind4 = 0 "
                                      "WHERE carino = %1")
                           .arg(m_dealer.CARINO())));
        QVERIFY(q.exec(QStringLiteral(
            "UPDATE stoklar SET listefiyat = 100, kampfiyat = 80, kampanyali = 0, kdv = 20, "
            "kalan = 7 WHERE stokno = 3")));
        QVERIFY(q.exec(QStringLiteral(
            "UPDATE stoklar SET listefiyat = 100, kampfiyat = 80, kampanyali = 1, kdv = 20 "
            "WHERE stokno = 4")));
        const DataTable rows = search(QStringLiteral("ZR10000"), m_dealer);
        auto row = [&](int stokno) {
            for (qsizetype r = 0; r < rows.rowCount(); ++r)
                if (rows.value(r, rows.indexOf(u"STOK_STOKNO")).toInt() == stokno)
                    return r;
            return qsizetype(-1);
        };
        auto value = [&](int stokno, const char16_t* column) {
            return rows.value(row(stokno), rows.indexOf(column));
        };
        QCOMPARE(value(3, u"FIYAT").toDouble(), 100.0);
        QCOMPARE(value(3, u"KAMPFIYAT").toDouble(), 0.0);
        QCOMPARE(value(3, u"NETFIYAT").toDouble(), 85.5);
        QCOMPARE(value(3, u"KDVDAHIL").toDouble(), 102.6);
        QCOMPARE(value(3, u"INDIRIMYAZI").toString(), QStringLiteral("10 + 5"));
        QCOMPARE(value(3, u"IND2").toDouble(), 5.0);
        QCOMPARE(value(3, u"KALAN").toDouble(), 0.0);  // a dealer sees no quantities
        QCOMPARE(value(4, u"K").toInt(), 1);
        QCOMPARE(value(4, u"KAMPFIYAT").toDouble(), 80.0);
        QCOMPARE(value(4, u"FIYAT").toDouble(), 80.0);
        QCOMPARE(value(4, u"NETFIYAT").toDouble(), 68.4);

        const DataTable forSalesperson = search(QStringLiteral("ZR100003"), m_salesperson);
        QCOMPARE(forSalesperson.rowCount(), 1);
        QCOMPARE(forSalesperson.value(0, forSalesperson.indexOf(u"KALAN")).toDouble(), 7.0);
    }
};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
