// The basket: one line per account and item, kept on the server; amounts are worked out here.
#include <QDate>
#include <QLocale>

#include "decimal.h"
#include "methods.h"
#include "pricing.h"
#include "records.h"
#include "sqltable.h"

namespace zerda::appserver {

namespace {

constexpr double kEnCokMiktar = 100000;

// Today as a day number, as the dates are stored, and the time of day.
const QString kNow = QStringLiteral("julianday('now', 'localtime') - 2415018.5");

bool isSalesperson(int customerType) {
    return customerType == 1 || customerType == 2;
}

// The account a basket call works for must be the session's own.
SessionUser basketUser(QSqlDatabase db, const Arguments& args, const QString& method) {
    const SessionUser user = authorizeSession(db, args.record<TSonucBilgisi>(0), method);
    if (args.integer(1) != user.account)
        throw CallError(403, QStringLiteral("%1: başka bir carinin sepeti").arg(method));
    return user;
}

double checkedQuantity(double quantity, const QString& method) {
    if (!(quantity > 0) || quantity > kEnCokMiktar)
        throw CallError(400, QStringLiteral("%1: miktar geçersiz (%2)").arg(method).arg(quantity));
    return quantity;
}

DiscountRates checkedRates(const Arguments& args, std::initializer_list<int> indexes,
                           const QString& method) {
    DiscountRates rates;
    for (int i : indexes) {
        const double r = args.number(i);
        if (!(r >= -100 && r <= 100))
            throw CallError(400,
                            QStringLiteral("%1: indirim oranı geçersiz (%2)").arg(method).arg(r));
        rates << r;
    }
    return rates;
}

// The price and rates of a line: a salesperson's own, a dealer always gets the account's.
struct LinePrice {
    double price = 0;
    DiscountRates rates;
};

LinePrice linePrice(QSqlDatabase db, const SessionUser& user, int stokno, double price,
                    const DiscountRates& rates, const QString& method) {
    if (isSalesperson(user.customerType)) {
        if (!(price >= 0))
            throw CallError(400, QStringLiteral("%1: fiyat geçersiz (%2)").arg(method).arg(price));
        return {price, rates};
    }
    const QVariant listed =
        scalar(db,
               QStringLiteral("SELECT CASE WHEN kampanyali = 1 THEN kampfiyat ELSE listefiyat END "
                              "FROM stoklar WHERE stokno = ?"),
               {stokno});
    return {listed.toDouble(), accountRates(db, user.account)};
}

// Sets a line's quantity (or adds to it), price and rates.
void updateLine(QSqlDatabase db, int sirano, double quantity, bool addToQuantity,
                const LinePrice& p) {
    Query(db, QStringLiteral("UPDATE sepet SET miktar = %1?, fiyat = ?, ind1 = ?, ind2 = ?, "
                             "ind3 = ?, ind4 = ? WHERE sirano = ?")
                  .arg(addToQuantity ? QStringLiteral("miktar + ") : QString()))
        .bind(quantity)
        .bind(p.price)
        .bind(p.rates[0])
        .bind(p.rates[1])
        .bind(p.rates[2])
        .bind(p.rates[3])
        .bind(sirano)
        .exec();
}

// The choices of an order, each one that the server offers; the company must be of the type.
struct OrderChoices {
    int teslim = 0;
    int kargo = 0;
    int firma = 0;
};

OrderChoices checkedOrderChoices(QSqlDatabase db, const Arguments& args) {
    const OrderChoices c{args.integer(2), args.integer(3), args.integer(6)};
    auto require = [&](const QString& sql, const QVariantList& values, const QString& what) {
        if (!scalar(db, sql, values).isValid())
            throw CallError(400, QStringLiteral("SiparisKaydet: %1").arg(what));
    };
    require(QStringLiteral("SELECT 1 FROM teslim_sekilleri WHERE id = ?"), {c.teslim},
            QStringLiteral("teslim durumu geçersiz (%1)").arg(c.teslim));
    require(QStringLiteral("SELECT 1 FROM kargo_cinsleri WHERE id = ?"), {c.kargo},
            QStringLiteral("kargo türü geçersiz (%1)").arg(c.kargo));
    require(QStringLiteral("SELECT 1 FROM kargo_firmalari WHERE id = ? AND kargocinsi = ?"),
            {c.firma, c.kargo},
            QStringLiteral("kargo firması bu kargo türünde yok (%1)").arg(c.firma));
    return c;
}

DataTable basketTable(QSqlDatabase db, int carino) {
    Query q(db, QStringLiteral(
                    "SELECT b.sirano, b.sec, b.stokno, s.barkod, s.adi, s.finishkod, s.oemno, "
                    "s.marka, s.model, b.miktar, b.fiyat, 0.0, '', b.ind1, b.ind2, b.ind3, "
                    "b.ind4, 0.0, 0.0, b.kdv, 0.0, 0.0, b.tarih, COALESCE(k.adi, ''), s.durum, "
                    "s.kalan, b.carino, c.carikod, c.cariadi, s.stokno, s.ureticikodu, s.oem1, "
                    "s.oem2, s.oem3, s.oem4, s.digeradi, s.dpkod, s.pkod, s.anagrup, s.ozelkod, "
                    "b.saat, b.tarih, b.verenid, b.kampanyali "
                    "FROM sepet b JOIN stoklar s ON s.stokno = b.stokno "
                    "JOIN cariler c ON c.carino = b.carino "
                    "LEFT JOIN kullanicilar k ON k.sirano = b.verenid "
                    "WHERE b.carino = ? ORDER BY b.sirano"));
    q.bind(carino).exec();
    DataTable lines = readTable(q, {{"SIRANO", DbxType::Int32},
                                    {"SEC", DbxType::Int32},
                                    {"STOKNO", DbxType::Int32},
                                    {"BARKOD", DbxType::WideString},
                                    {"STOKADI", DbxType::WideString},
                                    {"FINISHKOD", DbxType::WideString},
                                    {"OEMNO", DbxType::WideString},
                                    {"MARKA", DbxType::WideString},
                                    {"MODEL", DbxType::WideString},
                                    {"MIKTAR", DbxType::Double},
                                    {"BIRIMFIYAT", DbxType::Double},
                                    {"TUTAR", DbxType::Double},
                                    {"INDIRIMYAZI", DbxType::WideString},
                                    {"INDIRIMORANI1", DbxType::Double},
                                    {"INDIRIMORANI2", DbxType::Double},
                                    {"INDIRIMORANI3", DbxType::Double},
                                    {"INDIRIMORANI4", DbxType::Double},
                                    {"INDIRIMTUTAR", DbxType::Double},
                                    {"NETBIRIMFIYAT", DbxType::Double},
                                    {"KDV", DbxType::Double},
                                    {"VERGITUTARI", DbxType::Double},
                                    {"NETTUTAR", DbxType::Double},
                                    {"VERILISTARIHI", DbxType::Date},
                                    {"VEREN", DbxType::WideString},
                                    {"DURUM", DbxType::Int32},
                                    {"KALAN", DbxType::Double},
                                    {"CARINO", DbxType::Int32},
                                    {"CARIKOD", DbxType::WideString},
                                    {"CARIADI", DbxType::WideString},
                                    {"STOK_STOKNO", DbxType::Int32},
                                    {"URETICIKODU", DbxType::WideString},
                                    {"OEM1", DbxType::WideString},
                                    {"OEM2", DbxType::WideString},
                                    {"OEM3", DbxType::WideString},
                                    {"OEM4", DbxType::WideString},
                                    {"DIGERADI", DbxType::WideString},
                                    {"DPKOD", DbxType::WideString},
                                    {"PKOD", DbxType::WideString},
                                    {"ANAGRUP", DbxType::WideString},
                                    {"OZELKOD", DbxType::WideString},
                                    {"SAAT", DbxType::WideString},
                                    {"TARIH", DbxType::Date},
                                    {"VERENIDNO", DbxType::Int32},
                                    {"K", DbxType::Int32}});
    auto column = [&](const char16_t* name) -> Column& {
        return lines.column(lines.indexOf(name));
    };
    for (qsizetype row = 0; row < lines.rowCount(); ++row) {
        DiscountRates rates;
        for (const char16_t* name :
             {u"INDIRIMORANI1", u"INDIRIMORANI2", u"INDIRIMORANI3", u"INDIRIMORANI4"})
            rates << column(name).realAt(row);
        const LineAmounts a =
            lineAmounts(column(u"MIKTAR").realAt(row), column(u"BIRIMFIYAT").realAt(row),
                        column(u"KDV").realAt(row), rates);
        column(u"TUTAR").setReal(row, a.tutar);
        column(u"INDIRIMYAZI").setText(row, discountText(rates));
        column(u"INDIRIMTUTAR").setReal(row, a.indirim);
        column(u"NETBIRIMFIYAT").setReal(row, a.netBirim);
        column(u"VERGITUTARI").setReal(row, a.vergi);
        column(u"NETTUTAR").setReal(row, a.net);
    }
    return lines;
}

}  // namespace

void addBasketMethods(MethodTable& table) {
    // Takes no session record: the lines of whichever account is asked for.
    table.add("SepetVer2", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        basketTable(context.database.connection(), args.integer(0)).writeJson(reply);
    });

    // A second line for an item already in the basket adds to the first one's quantity.
    table.add("SepetEkle2", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        const QString method = QStringLiteral("SepetEkle2");
        int result = 0;
        context.database.transaction([&](QSqlDatabase& db) {
            const SessionUser user = basketUser(db, args, method);
            const int stokno = args.integer(2);
            Query item(db, QStringLiteral("SELECT kdv, kampanyali FROM stoklar WHERE stokno = ?"));
            item.bind(stokno).exec();
            if (!item.next())
                throw CallError(400,
                                QStringLiteral("%1: stok bulunamadı (%2)").arg(method).arg(stokno));
            const double vat = item.value(0).toDouble();
            const int campaign = item.value(1).toInt();
            const double quantity = checkedQuantity(args.number(5), method);
            const LinePrice p = linePrice(db, user, stokno, args.number(7),
                                          checkedRates(args, {8, 11, 12, 13}, method), method);
            const QVariant existing = scalar(
                db, QStringLiteral("SELECT sirano FROM sepet WHERE carino = ? AND stokno = ?"),
                {user.account, stokno});
            if (existing.isValid()) {
                updateLine(db, existing.toInt(), quantity, true, p);
            } else {
                Query(db,
                      QStringLiteral("INSERT INTO sepet (carino, stokno, miktar, fiyat, kdv, ind1, "
                                     "ind2, ind3, ind4, sec, verenid, kampanyali, tarih, saat) "
                                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 1, ?, ?, %1, "
                                     "strftime('%H:%M', 'now', 'localtime'))")
                          .arg(kNow))
                    .bind(user.account)
                    .bind(stokno)
                    .bind(quantity)
                    .bind(p.price)
                    .bind(vat)
                    .bind(p.rates[0])
                    .bind(p.rates[1])
                    .bind(p.rates[2])
                    .bind(p.rates[3])
                    .bind(user.sirano)
                    .bind(campaign)
                    .exec();
            }
            result = 1;
        });
        reply.integer(result);
    });

    table.add("SepetSatirSil", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        int removed = 0;
        context.database.transaction([&](QSqlDatabase& db) {
            const SessionUser user = authorizeSession(db, args.record<TSonucBilgisi>(0),
                                                      QStringLiteral("SepetSatirSil"));
            Query q(db, QStringLiteral("DELETE FROM sepet WHERE sirano = ? AND carino = ?"));
            q.bind(args.integer(1)).bind(user.account).exec();
            removed = q.raw().numRowsAffected();
        });
        reply.integer(removed > 0 ? 1 : 0);
    });

    table.add("SepetHepsiniSil",
              [](const Arguments& args, JsonWriter& reply, CallContext& context) {
                  context.database.transaction([&](QSqlDatabase& db) {
                      const SessionUser user = authorizeSession(db, args.record<TSonucBilgisi>(0),
                                                                QStringLiteral("SepetHepsiniSil"));
                      Query(db, QStringLiteral("DELETE FROM sepet WHERE carino = ?"))
                          .bind(user.account)
                          .exec();
                  });
                  reply.integer(1);
              });

    // The tick of a line, kept with it. Takes no session record.
    table.add("SepetSecimGuncelle", [](const Arguments& args, JsonWriter&, CallContext& context) {
        const int secim = args.integer(1);
        if (secim != 0 && secim != 1)
            throw CallError(
                400, QStringLiteral("SepetSecimGuncelle: seçim 0 ya da 1 olmalı (%1)").arg(secim));
        Query(context.database.connection(),
              QStringLiteral("UPDATE sepet SET sec = ? WHERE sirano = ?"))
            .bind(secim)
            .bind(args.integer(0))
            .exec();
    });

    // A warning when debts fell due before today and the payments have not covered them.
    table.add("CariVadeGunGecmismiBul", [](const Arguments& args, JsonWriter& reply,
                                           CallContext& context) {
        QSqlDatabase db = context.database.connection();
        Query q(db, QStringLiteral(
                        "SELECT COALESCE(SUM(CASE WHEN vade < %1 THEN borc ELSE 0 END), 0) - "
                        "COALESCE(SUM(alacak), 0), MIN(CASE WHEN vade < %1 AND borc > 0 THEN vade "
                        "END) FROM cari_hareketler WHERE carino = ?")
                        .arg(kNow));
        q.bind(args.integer(0)).exec();
        QString warning;
        if (q.next()) {
            const double overdue = roundToCents(q.value(0).toDouble());
            if (overdue > 0) {
                const QDate oldest = QDate(1899, 12, 30).addDays(qint64(q.value(1).toDouble()));
                warning = QStringLiteral("Vadesi geçmiş borcunuz var: %1 TL (en eski vade %2)")
                              .arg(QLocale(QLocale::Turkish).toString(overdue, 'f', 2),
                                   oldest.toString(QStringLiteral("dd.MM.yyyy")));
            }
        }
        reply.string(warning);
    });

    // The choices of an order: delivery options, cargo types, the companies of a cargo type.
    table.add("TeslimVer", [](const Arguments&, JsonWriter& reply, CallContext& context) {
        selectTable(context.database.connection(),
                    QStringLiteral("SELECT id, adi FROM teslim_sekilleri ORDER BY id"), {},
                    {{"ID", DbxType::Int32}, {"ADI", DbxType::AnsiString}})
            .writeJson(reply);
    });
    table.add("KargoVer", [](const Arguments&, JsonWriter& reply, CallContext& context) {
        selectTable(context.database.connection(),
                    QStringLiteral("SELECT id, adi FROM kargo_cinsleri ORDER BY id"), {},
                    {{"ID", DbxType::Int32}, {"ADI", DbxType::AnsiString}})
            .writeJson(reply);
    });
    table.add("KargolarVer", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        selectTable(context.database.connection(),
                    QStringLiteral("SELECT id, adi, uyari FROM kargo_firmalari "
                                   "WHERE kargocinsi = ? ORDER BY id"),
                    {args.integer(0)},
                    {{"SIRANO", DbxType::Int32},
                     {"ADI", DbxType::WideString},
                     {"UYARI", DbxType::WideString}})
            .writeJson(reply);
    });

    // Forms an order from the ticked lines of the session account's basket and removes them; the
    // unticked lines stay. One transaction that takes the write lock first, so two sends of the
    // same basket make one order: the second finds no ticked line and answers false.
    table.add("SiparisKaydet", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        bool saved = false;
        context.database.transaction([&](QSqlDatabase& db) {
            const SessionUser user = basketUser(db, args, QStringLiteral("SiparisKaydet"));
            if (args.integer(5) != user.sirano)
                throw CallError(403, QStringLiteral("SiparisKaydet: siparişi veren kullanıcı "
                                                    "oturumun kullanıcısı değil"));
            const OrderChoices choices = checkedOrderChoices(db, args);
            if (!scalar(db, QStringLiteral("SELECT 1 FROM sepet WHERE carino = ? AND sec = 1"),
                        {user.account})
                     .isValid())
                return;
            Query order(db, QStringLiteral("INSERT INTO siparisler (carino, tarih, saat, teslimid, "
                                           "kargoid, kargofirmaid, aciklama, verenid, durum) "
                                           "VALUES (?, %1, strftime('%H:%M', 'now', 'localtime'), "
                                           "?, ?, ?, ?, ?, 0)")
                                .arg(kNow));
            order.bind(user.account)
                .bind(choices.teslim)
                .bind(choices.kargo)
                .bind(choices.firma)
                .bind(args.text(4))
                .bind(user.sirano)
                .exec();
            const qint64 siparisno = order.lastInsertId().toLongLong();
            Query(db, QStringLiteral("INSERT INTO siparis_satirlari (siparisno, stokno, miktar, "
                                     "fiyat, kdv, ind1, ind2, ind3, ind4) "
                                     "SELECT ?, stokno, miktar, fiyat, kdv, ind1, ind2, ind3, ind4 "
                                     "FROM sepet WHERE carino = ? AND sec = 1 ORDER BY sirano"))
                .bind(siparisno)
                .bind(user.account)
                .exec();
            Query(db, QStringLiteral("DELETE FROM sepet WHERE carino = ? AND sec = 1"))
                .bind(user.account)
                .exec();
            saved = true;
        });
        reply.boolean(saved);
    });

    // Changes a line's quantity (and a salesperson's price and rates); 0 when the line is gone.
    table.add("SepetGuncelle2", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        const QString method = QStringLiteral("SepetGuncelle2");
        int result = 0;
        context.database.transaction([&](QSqlDatabase& db) {
            const SessionUser user = basketUser(db, args, method);
            const int sirano = args.integer(10);
            const QVariant stokno = scalar(
                db, QStringLiteral("SELECT stokno FROM sepet WHERE sirano = ? AND carino = ?"),
                {sirano, user.account});
            if (!stokno.isValid())
                return;
            const double quantity = checkedQuantity(args.number(5), method);
            const LinePrice p = linePrice(db, user, stokno.toInt(), args.number(7),
                                          checkedRates(args, {8, 11, 12, 13}, method), method);
            updateLine(db, sirano, quantity, false, p);
            result = 1;
        });
        reply.integer(result);
    });
}

}  // namespace zerda::appserver
