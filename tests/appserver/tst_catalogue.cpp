#include <httplib.h>
#include <QSqlQuery>
#include <QtTest>
#include <atomic>
#include <latch>

#include "appserverprocess.h"
#include "databasecheck.h"
#include "proxim.h"

using namespace zerda;

// The catalogue and basket methods of the reference server, asked through the client's proxy.
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

    template <class F>
    auto call(F&& f) {
        m_connection.Open();
        TServerMethods1Client proxy(m_connection);
        auto result = f(proxy);
        m_connection.Close();
        return result;
    }

    static double number(const DataTable& t, qsizetype row, const char16_t* column) {
        return t.value(row, t.indexOf(column)).toDouble();
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

    void newAndCampaignLists() {
        const DataTable fresh = call([&](auto& p) { return p.YenilerVer2(m_dealer.CARINO()); });
        QCOMPARE(
            fresh.rowCount(),
            m_db->value(QStringLiteral("SELECT COUNT(*) FROM stoklar WHERE yeni = 1")).toInt());
        QVERIFY(fresh.indexOf(u"INDIRIM") >= 0);
        const DataTable campaign =
            call([&](auto& p) { return p.KampanyaliVer2(m_dealer.CARINO(), 3); });
        QCOMPARE(campaign.rowCount(),
                 m_db->value(QStringLiteral("SELECT COUNT(*) FROM stoklar WHERE kampanyali = 1"))
                     .toInt());
        QVERIFY(campaign.rowCount() > 0);
        for (qsizetype r = 0; r < campaign.rowCount(); ++r) {
            QVERIFY(number(campaign, r, u"FIYAT") < number(campaign, r, u"ESKIFIYAT"));
            QCOMPARE(number(campaign, r, u"FIYAT"), number(campaign, r, u"KAMPFIYAT"));
            QCOMPARE(number(campaign, r, u"KALAN"), 0.0);
        }
    }

    void pictures() {
        const int withPicture =
            m_db->value(QStringLiteral("SELECT MIN(stokno) FROM stok_resimleri")).toInt();
        const QByteArray stored =
            m_db->value(QStringLiteral("SELECT resim FROM stok_resimleri WHERE stokno = %1")
                            .arg(withPicture))
                .toByteArray();
        QVERIFY(stored.startsWith("\xFF\xD8"));
        qint64 size = -1;
        const QByteArray fetched =
            call([&](auto& p) { return p.ResimVer5(withPicture, size)->readAll(); });
        QCOMPARE(size, stored.size());
        QCOMPARE(fetched, stored);
        const int without =
            m_db->value(QStringLiteral("SELECT MIN(stokno) FROM stoklar WHERE stokno NOT IN "
                                       "(SELECT stokno FROM stok_resimleri)"))
                .toInt();
        call([&](auto& p) {
            p.ResimVer5(without, size);
            return 0;
        });
        QCOMPARE(size, 0);

        httplib::Client web("127.0.0.1", m_server->port());
        auto page =
            web.Get(QStringLiteral("/resimgoster.ashx?id=%1").arg(withPicture).toStdString());
        QVERIFY(page && page->status == 200);
        QCOMPARE(page->get_header_value("Content-Type"), std::string("image/jpeg"));
        QCOMPARE(QByteArray::fromStdString(page->body), stored);
        for (const char* missing : {"/resimgoster.ashx?id=999999", "/resimgoster.ashx?id=x"}) {
            auto none = web.Get(missing);
            QVERIFY(none && none->status == 404);
            QVERIFY(none->body.empty());
        }
    }

    void basketLines() {
        QVERIFY(m_db->execute(QStringLiteral("UPDATE cariler SET ind1 = 10, ind2 = 5, ind3 = 0, "
                                             "ind4 = 0 WHERE carino = %1")
                                  .arg(m_dealer.CARINO())));
        QVERIFY(m_db->execute(QStringLiteral(
            "UPDATE stoklar SET listefiyat = 100, kampanyali = 0, kdv = 20 WHERE stokno = 11")));
        QVERIFY(m_db->execute(QStringLiteral("DELETE FROM sepet WHERE carino = %1 AND stokno = 11")
                                  .arg(m_dealer.CARINO())));
        auto add = [&](double quantity, double price) {
            return call([&](auto& p) {
                return p.SepetEkle2(m_dealer, m_dealer.CARINO(), 11, QStringLiteral("ZR100011"),
                                    QStringLiteral("X"), quantity, 20, price, 0, m_dealer.Sirano(),
                                    0, 0, 0, 0);
            });
        };
        // A dealer's own price and rates don't count: the account's do.
        QCOMPARE(add(1, 1), 1);
        QCOMPARE(add(2, 1), 1);  // the same item: one line, three pieces
        const auto line = [&] {
            const DataTable lines = call([&](auto& p) { return p.SepetVer2(m_dealer.CARINO()); });
            for (qsizetype r = 0; r < lines.rowCount(); ++r)
                if (lines.value(r, lines.indexOf(u"STOKNO")).toInt() == 11)
                    return std::pair{lines, r};
            return std::pair{lines, qsizetype(-1)};
        };
        auto [lines, r] = line();
        QVERIFY(r >= 0);
        QCOMPARE(number(lines, r, u"MIKTAR"), 3.0);
        QCOMPARE(number(lines, r, u"BIRIMFIYAT"), 100.0);
        QCOMPARE(number(lines, r, u"TUTAR"), 300.0);
        QCOMPARE(number(lines, r, u"INDIRIMTUTAR"), 43.5);
        QCOMPARE(number(lines, r, u"NETTUTAR"), 256.5);
        QCOMPARE(number(lines, r, u"NETBIRIMFIYAT"), 85.5);
        QCOMPARE(number(lines, r, u"VERGITUTARI"), 51.3);
        QCOMPARE(lines.value(r, lines.indexOf(u"INDIRIMYAZI")).toString(),
                 QStringLiteral("10 + 5"));
        QCOMPARE(lines.value(r, lines.indexOf(u"VEREN")).toString(), QStringLiteral("DEMO"));
        const int sirano = lines.value(r, lines.indexOf(u"SIRANO")).toInt();

        auto update = [&](int line, double quantity) {
            return call([&](auto& p) {
                return p.SepetGuncelle2(m_dealer, m_dealer.CARINO(), 0, QString(), QString(),
                                        quantity, 20, 1, 0, m_dealer.Sirano(), line, 0, 0, 0);
            });
        };
        QCOMPARE(update(sirano, 5), 1);
        QCOMPARE(number(line().first, line().second, u"MIKTAR"), 5.0);
        QCOMPARE(update(987654, 5), 0);  // no such line

        // A salesperson sets the price and the rates.
        TSonucBilgisi salesperson;
        salesperson.Kopyala(m_salesperson);
        QCOMPARE(call([&](auto& p) {
                     return p.SepetGuncelle2(salesperson, m_dealer.CARINO(), 0, QString(),
                                             QString(), 5, 20, 90, 0, 0, sirano, 0, 0, 0);
                 }),
                 1);
        QCOMPARE(number(line().first, line().second, u"TUTAR"), 450.0);
        QCOMPARE(number(line().first, line().second, u"INDIRIMTUTAR"), 0.0);
    }

    void ticksDeletionsAndTheOverdueWarning() {
        QVERIFY(m_db->execute(
            QStringLiteral("DELETE FROM sepet WHERE carino = %1").arg(m_dealer.CARINO())));
        for (int stokno : {21, 22, 23})
            QCOMPARE(call([&](auto& p) {
                         return p.SepetEkle2(m_dealer, m_dealer.CARINO(), stokno, QString(),
                                             QString(), 1, 20, 0, 0, 0, 0, 0, 0, 0);
                     }),
                     1);
        auto lines = [&] { return call([&](auto& p) { return p.SepetVer2(m_dealer.CARINO()); }); };
        DataTable t = lines();
        QCOMPARE(t.rowCount(), 3);
        const int first = t.value(0, t.indexOf(u"SIRANO")).toInt();
        const int second = t.value(1, t.indexOf(u"SIRANO")).toInt();
        QCOMPARE(t.value(0, t.indexOf(u"SEC")).toInt(), 1);  // new lines are ticked
        call([&](auto& p) {
            p.SepetSecimGuncelle(first, 0);
            return 0;
        });
        QCOMPARE(lines().value(0, t.indexOf(u"SEC")).toInt(), 0);
        try {
            call([&](auto& p) {
                p.SepetSecimGuncelle(first, 2);
                return 0;
            });
            QFAIL("a tick is 0 or 1");
        } catch (const ServerError&) {
            m_connection.Close();
        }
        auto remove = [&](int line) {
            return call(
                [&](auto& p) { return p.SepetSatirSil(m_dealer, line, QStringLiteral("X-Y")); });
        };
        QCOMPARE(remove(second), 1);
        QCOMPARE(remove(second), 0);
        QCOMPARE(lines().rowCount(), 2);
        QCOMPARE(call([&](auto& p) { return p.SepetHepsiniSil(m_dealer); }), 1);
        QCOMPARE(lines().rowCount(), 0);

        const int carino = m_dealer.CARINO();
        QVERIFY(m_db->execute(
            QStringLiteral("DELETE FROM cari_hareketler WHERE carino = %1").arg(carino)));
        auto warning = [&] {
            return call([&](auto& p) { return p.CariVadeGunGecmismiBul(carino); });
        };
        QCOMPARE(warning(), QString());
        // 1,500 fell due on 2026-01-15, 400 of it paid; a debt not yet due doesn't count.
        QVERIFY(m_db->execute(
            QStringLiteral("INSERT INTO cari_hareketler (carino, tarih, vade, belge_turu, belgeno, "
                           "borc, alacak) "
                           "VALUES (%1, 46000, 46037, 'Fatura', 'F1', 1500, 0), (%1, 46010, 46010, "
                           "'Tahsilat', "
                           "'T1', 0, 400), (%1, 46300, 99999, 'Fatura', 'F2', 700, 0)")
                .arg(carino)));
        QCOMPARE(
            warning(),
            QStringLiteral("Vadesi geçmiş borcunuz var: 1.100,00 TL (en eski vade 15.01.2026)"));
    }

    void deliveryAndCargoChoices() {
        auto rows = [&](auto method) {
            return call([&](auto& p) {
                TableReader reader = method(p);
                QStringList out;
                while (reader.Next())
                    out << QStringLiteral("%1 %2").arg(reader.GetInt32(0)).arg(reader.GetString(1));
                return out;
            });
        };
        QCOMPARE(rows([](auto& p) { return p.TeslimVer(); }).first(),
                 QStringLiteral("1 Kargo İle Gönderim"));
        QCOMPARE(rows([](auto& p) { return p.KargoVer(); }).size(), 4);
        QCOMPARE(rows([](auto& p) { return p.KargolarVer(1); }),
                 (QStringList{"1 Kartal Kargo", "2 Hızlı Lojistik"}));
        QVERIFY(rows([](auto& p) { return p.KargolarVer(99); }).isEmpty());
        const QString warning = call([&](auto& p) {
            TableReader reader = p.KargolarVer(4);
            reader.Next();
            return reader.GetString(reader.table().indexOf(u"UYARI"));
        });
        QVERIFY(warning.startsWith(QStringLiteral("Ambar teslimatı")));
    }

    // Fills the dealer's basket with one line per item; the lines' numbers in item order.
    QList<int> freshBasket(const QList<int>& items) {
        m_db->execute(QStringLiteral("DELETE FROM sepet WHERE carino = %1").arg(m_dealer.CARINO()));
        for (int stokno : items)
            call([&](auto& p) {
                return p.SepetEkle2(m_dealer, m_dealer.CARINO(), stokno, QString(), QString(), 2,
                                    20, 0, 0, 0, 0, 0, 0, 0);
            });
        const DataTable t = call([&](auto& p) { return p.SepetVer2(m_dealer.CARINO()); });
        QList<int> lines;
        for (qsizetype r = 0; r < t.rowCount(); ++r)
            lines << t.value(r, t.indexOf(u"SIRANO")).toInt();
        return lines;
    }

    bool send(Connection& connection, const QString& note, int company = 2) {
        connection.Open();
        const bool saved =
            TServerMethods1Client(connection)
                .SiparisKaydet(m_dealer, m_dealer.CARINO(), 3, 1, note, m_dealer.Sirano(), company);
        connection.Close();
        return saved;
    }

    int orderCount() {
        return m_db->value(QStringLiteral("SELECT COUNT(*) FROM siparisler")).toInt();
    }

    void ordersAreFormedFromTheTickedLines() {
        const QList<int> lines = freshBasket({31, 32, 33});
        call([&](auto& p) {
            p.SepetSecimGuncelle(lines[1], 0);
            return 0;
        });
        const int before = orderCount();
        QVERIFY(send(m_connection, QStringLiteral("Öğleden önce, lütfen")));
        QCOMPARE(orderCount(), before + 1);
        const QString order = QStringLiteral("(SELECT MAX(siparisno) FROM siparisler)");
        QCOMPARE(m_db->value(QStringLiteral("SELECT carino || '/' || teslimid || '/' || kargoid "
                                            "|| '/' || kargofirmaid || '/' || verenid || '/' || "
                                            "durum || '/' || aciklama FROM siparisler WHERE "
                                            "siparisno = ") +
                             order)
                     .toString(),
                 QStringLiteral("%1/3/1/2/%2/0/Öğleden önce, lütfen")
                     .arg(m_dealer.CARINO())
                     .arg(m_dealer.Sirano()));
        QCOMPARE(m_db->value(QStringLiteral("SELECT group_concat(stokno || 'x' || miktar, ' ') "
                                            "FROM siparis_satirlari WHERE siparisno = ") +
                             order)
                     .toString(),
                 QStringLiteral("31x2.0 33x2.0"));
        // The unticked line stays; with nothing ticked the answer is false and nothing changes.
        QCOMPARE(m_db->value(QStringLiteral("SELECT group_concat(sirano) FROM sepet "
                                            "WHERE carino = %1")
                                 .arg(m_dealer.CARINO()))
                     .toString(),
                 QString::number(lines[1]));
        QVERIFY(!send(m_connection, QString()));
        QCOMPARE(orderCount(), before + 1);
        QCOMPARE(m_db->value(QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = %1")
                                 .arg(m_dealer.CARINO()))
                     .toInt(),
                 1);

        // A salesperson sends the account's basket as the one who gave the order.
        call([&](auto& p) {
            p.SepetSecimGuncelle(lines[1], 1);
            return 0;
        });
        QVERIFY(call([&](auto& p) {
            return p.SiparisKaydet(m_salesperson, m_dealer.CARINO(), 1, 4, QString(),
                                   m_salesperson.Sirano(), 7);
        }));
        QCOMPARE(m_db->value(QStringLiteral("SELECT verenid || '/' || carino FROM siparisler "
                                            "ORDER BY siparisno DESC LIMIT 1"))
                     .toString(),
                 QStringLiteral("%1/%2").arg(m_salesperson.Sirano()).arg(m_dealer.CARINO()));
    }

    void orderChoicesAreChecked_data() {
        QTest::addColumn<int>("teslim");
        QTest::addColumn<int>("kargo");
        QTest::addColumn<int>("company");
        QTest::addColumn<int>("verenid");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown delivery") << 99 << 1 << 2 << 0 << "teslim durumu geçersiz";
        QTest::newRow("unknown cargo type") << 1 << 99 << 2 << 0 << "kargo türü geçersiz";
        QTest::newRow("company of another type") << 1 << 1 << 7 << 0 << "bu kargo türünde yok";
        QTest::newRow("another user") << 1 << 1 << 2 << 1 << "oturumun kullanıcısı değil";
    }
    void orderChoicesAreChecked() {
        QFETCH(int, teslim);
        QFETCH(int, kargo);
        QFETCH(int, company);
        QFETCH(int, verenid);
        QFETCH(QString, message);
        freshBasket({41});
        const int before = orderCount();
        try {
            call([&](auto& p) {
                return p.SiparisKaydet(m_dealer, m_dealer.CARINO(), teslim, kargo, QString(),
                                       m_dealer.Sirano() + verenid, company);
            });
            QFAIL("refused orders raise the server's error");
        } catch (const ServerError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
            m_connection.Close();
        }
        QCOMPARE(orderCount(), before);
    }

    // Two clients sending the same basket at the same moment make exactly one whole order.
    void concurrentSendsMakeOneOrder() {
        for (int round = 0; round < 8; ++round) {
            freshBasket({51, 52, 53, 54});
            const int before = orderCount();
            std::latch start(2);
            std::atomic<int> saved = 0;
            QList<QThread*> threads;
            for (int client = 0; client < 2; ++client) {
                threads << QThread::create([&] {
                    Connection connection;
                    connection.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
                    connection.setParam(QStringLiteral("Port"), QString::number(m_server->port()));
                    start.arrive_and_wait();
                    if (send(connection, QStringLiteral("aynı anda")))
                        ++saved;
                });
                threads.last()->start();
            }
            for (QThread* t : threads) {
                QVERIFY(t->wait(30000));
                delete t;
            }
            QCOMPARE(saved.load(), 1);
            QCOMPARE(orderCount(), before + 1);
            QCOMPARE(m_db->value(QStringLiteral("SELECT COUNT(*) FROM siparis_satirlari WHERE "
                                                "siparisno = (SELECT MAX(siparisno) FROM "
                                                "siparisler)"))
                         .toInt(),
                     4);
            QCOMPARE(m_db->value(QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = %1")
                                     .arg(m_dealer.CARINO()))
                         .toInt(),
                     0);
        }
    }

    void basketRefusals_data() {
        QTest::addColumn<int>("carinoOffset");
        QTest::addColumn<int>("stokno");
        QTest::addColumn<double>("quantity");
        QTest::addColumn<QString>("message");
        QTest::newRow("another account") << 1 << 11 << 1.0 << "başka bir carinin sepeti";
        QTest::newRow("no such item") << 0 << 999999 << 1.0 << "stok bulunamadı";
        QTest::newRow("no quantity") << 0 << 11 << 0.0 << "miktar geçersiz";
        QTest::newRow("too many") << 0 << 11 << 1e9 << "miktar geçersiz";
    }
    void basketRefusals() {
        QFETCH(int, carinoOffset);
        QFETCH(int, stokno);
        QFETCH(double, quantity);
        QFETCH(QString, message);
        try {
            call([&](auto& p) {
                return p.SepetEkle2(m_dealer, m_dealer.CARINO() + carinoOffset, stokno, QString(),
                                    QString(), quantity, 20, 1, 0, 0, 0, 0, 0, 0);
            });
            QFAIL("refused calls raise the server's error");
        } catch (const ServerError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
            m_connection.Close();
        }
    }
};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
