// The salesperson console: finding dealer accounts, the order-status lists and their counts.
// A salesperson of type 2 works for every account; one of type 1 for the accounts assigned to it.
// Order states: 0 received, 1 approved, 2 seen, 3 prepared, 4 partly prepared, 5 shipped; the
// shipped list and count cover the last 30 days.
#include <QLocale>

#include "methods.h"
#include "pricing.h"
#include "records.h"
#include "sqltable.h"

namespace zerda::appserver {

namespace {

constexpr int kShippedWindowDays = 30;

// Today as a day number, as the dates are stored.
const QString kToday = QStringLiteral("(julianday('now', 'localtime') - 2415018.5)");

struct Salesperson {
    int number = 0;
    bool seesAll = false;
};

Salesperson salespersonOf(QSqlDatabase db, const Arguments& args, const QString& method) {
    const SessionUser user = authorizeSession(db, args.record<TSonucBilgisi>(0), method);
    if (user.customerType != 1 && user.customerType != 2)
        throw CallError(403, QStringLiteral("%1: bu işlem yalnızca satıcılar içindir").arg(method));
    Salesperson s;
    s.number = scalar(db, QStringLiteral("SELECT saticino FROM kullanicilar WHERE sirano = ?"),
                      {user.sirano})
                   .toInt();
    s.seesAll = user.customerType == 2;
    return s;
}

// The accounts a salesperson works for, as a condition on cariler c.
QString accountsOf(const Salesperson& s) {
    return s.seesAll ? QStringLiteral("1 = 1") : QStringLiteral("c.saticino = %1").arg(s.number);
}

// The order states behind the list codes 2 to 7.
QString ordersOfList(int n) {
    static const QHash<int, QString> states = {{2, QStringLiteral("s.durum = 0")},
                                               {3, QStringLiteral("s.durum = 1")},
                                               {4, QStringLiteral("s.durum = 2")},
                                               {5, QStringLiteral("s.durum = 4")},
                                               {6, QStringLiteral("s.durum = 3")}};
    if (n == 7)
        return QStringLiteral("s.durum = 5 AND s.tarih >= %1 - %2")
            .arg(kToday)
            .arg(kShippedWindowDays);
    return states.value(n);
}

// Turkish-aware folding for matching: dotted and dotless i alike, case ignored.
QString folded(const QString& text) {
    QString out = text;
    out.replace(QChar(0x0130), QLatin1Char('i'))
        .replace(QChar(0x0131), QLatin1Char('i'))
        .replace(QLatin1Char('I'), QLatin1Char('i'));
    return out.toLower();
}

const QString kAccountColumns = QStringLiteral(
    "SELECT c.carino, c.carikod, c.cariadi, COALESCE(st.adi, ''), "
    "  ROUND(COALESCE((SELECT SUM(borc) - SUM(alacak) FROM cari_hareketler h WHERE h.carino = "
    "c.carino), 0), 2) AS bakiye, "
    "  (SELECT COUNT(*) FROM sepet b WHERE b.carino = c.carino), "
    "  (SELECT COUNT(*) FROM siparisler s WHERE s.carino = c.carino AND s.durum = 0), "
    "  (SELECT COUNT(*) FROM siparisler s WHERE s.carino = c.carino AND s.durum = 1), "
    "  (SELECT COUNT(*) FROM siparisler s WHERE s.carino = c.carino AND s.durum = 2), "
    "  (SELECT COUNT(*) FROM siparisler s WHERE s.carino = c.carino AND s.durum = 3), "
    "  (SELECT COUNT(*) FROM siparisler s WHERE s.carino = c.carino AND s.durum = 4), "
    "  c.ozelkod, c.anagrup, c.altgrup, c.yetkili, c.adres1, c.adres2, c.ilce, c.sehir, "
    "c.vergidairesi, c.vergino, "
    "  c.tel1, c.tel2, c.fax1, c.fax2, c.gsm, c.email, c.ind1, c.ind2, c.ind3, c.ind4, c.vade_gun "
    "FROM cariler c LEFT JOIN saticilar st ON st.saticino = c.saticino ");

// One account row of the lists, with its balance state and discount text.
DataTable accountTable(Query& q, const std::function<bool(const QStringList&)>& keep) {
    DataTable t;
    const QList<std::pair<const char*, DbxType>> columns = {{"CARINO", DbxType::Int32},
                                                            {"CARIKOD", DbxType::WideString},
                                                            {"CARIADI", DbxType::WideString},
                                                            {"SATICISI", DbxType::WideString},
                                                            {"TLBAKIYE", DbxType::Double},
                                                            {"DURUM", DbxType::WideString},
                                                            {"SEPET", DbxType::Int32},
                                                            {"ALINDI", DbxType::Int32},
                                                            {"ONAYLANDI", DbxType::Int32},
                                                            {"GORULDU", DbxType::Int32},
                                                            {"HAZIRLANDI", DbxType::Int32},
                                                            {"PARCALIHAZIRLANDI", DbxType::Int32},
                                                            {"OZELKOD", DbxType::WideString},
                                                            {"ANAGRUP", DbxType::WideString},
                                                            {"ALTGRUP", DbxType::WideString},
                                                            {"YETKILI", DbxType::WideString},
                                                            {"ADRES1", DbxType::WideString},
                                                            {"ADRES2", DbxType::WideString},
                                                            {"ILCE", DbxType::WideString},
                                                            {"IL", DbxType::WideString},
                                                            {"VERGIDAIRESI", DbxType::WideString},
                                                            {"VERGINO", DbxType::WideString},
                                                            {"TEL1", DbxType::WideString},
                                                            {"TEL2", DbxType::WideString},
                                                            {"FAX1", DbxType::WideString},
                                                            {"FAX2", DbxType::WideString},
                                                            {"GSM", DbxType::WideString},
                                                            {"EMAIL", DbxType::WideString},
                                                            {"INDIRIM", DbxType::WideString},
                                                            {"VADE", DbxType::Int32},
                                                            {"KOD1", DbxType::WideString},
                                                            {"KOD2", DbxType::WideString},
                                                            {"KOD3", DbxType::WideString},
                                                            {"KOD4", DbxType::WideString},
                                                            {"KOD5", DbxType::WideString},
                                                            {"VADEKONTROLGUN", DbxType::Int32},
                                                            {"VADEKONTROLAY", DbxType::Int32}};
    for (const auto& [name, type] : columns) {
        ColumnInfo info;
        info.name = QLatin1String(name);
        info.type = type;
        t.addColumn(info);
    }
    while (q.next()) {
        // Code, name, contact person, city and special code are searched.
        const QStringList searchable = {q.value(1).toString(), q.value(2).toString(),
                                        q.value(14).toString(), q.value(18).toString(),
                                        q.value(11).toString()};
        if (keep && !keep(searchable))
            continue;
        const double balance = q.value(4).toDouble();
        DiscountRates rates;
        for (int i = 27; i <= 30; ++i)
            rates << q.value(i).toDouble();
        const QVariantList values = {q.value(0),
                                     q.value(1),
                                     q.value(2),
                                     q.value(3),
                                     balance,
                                     balance > 0.004    ? QStringLiteral("(B)")
                                     : balance < -0.004 ? QStringLiteral("(A)")
                                                        : QString(),
                                     q.value(5),
                                     q.value(6),
                                     q.value(7),
                                     q.value(8),
                                     q.value(9),
                                     q.value(10),
                                     q.value(11),
                                     q.value(12),
                                     q.value(13),
                                     q.value(14),
                                     q.value(15),
                                     q.value(16),
                                     q.value(17),
                                     q.value(18),
                                     q.value(19),
                                     q.value(20),
                                     q.value(21),
                                     q.value(22),
                                     q.value(23),
                                     q.value(24),
                                     q.value(25),
                                     q.value(26),
                                     discountText(rates),
                                     q.value(31),
                                     QString(),
                                     QString(),
                                     QString(),
                                     QString(),
                                     QString(),
                                     q.value(31),
                                     0};
        const qsizetype r = t.appendRow();
        for (int c = 0; c < values.size(); ++c)
            t.setValue(r, c,
                       values[c].typeId() == QMetaType::QString && values[c].toString().isNull()
                           ? QVariant(QStringLiteral(""))
                           : values[c]);
    }
    return t;
}

}  // namespace

void addSalesMethods(MethodTable& table) {
    table.add("CariAra", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        QSqlDatabase db = context.database.connection();
        const Salesperson s = salespersonOf(db, args, QStringLiteral("CariAra"));
        const QStringList words =
            folded(args.text(1).trimmed()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        Query q(db, kAccountColumns + QStringLiteral("WHERE ") + accountsOf(s) +
                        QStringLiteral(" ORDER BY c.cariadi"));
        q.exec();
        // Every word must stand in the code, name, contact, city or special code.
        accountTable(q, [&](const QStringList& fields) {
            const QString haystack = folded(fields.join(QLatin1Char(' ')));
            for (const QString& w : words)
                if (!haystack.contains(w))
                    return false;
            return true;
        }).writeJson(reply);
    });

    table.add("CariSepetVer", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        QSqlDatabase db = context.database.connection();
        const Salesperson s = salespersonOf(db, args, QStringLiteral("CariSepetVer"));
        const int n = args.integer(1);
        QString condition;
        if (n == 1)
            condition = QStringLiteral("EXISTS (SELECT 1 FROM sepet b WHERE b.carino = c.carino)");
        else if (n >= 2 && n <= 7)
            condition = QStringLiteral(
                            "EXISTS (SELECT 1 FROM siparisler s WHERE s.carino = c.carino AND %1)")
                            .arg(ordersOfList(n));
        else
            throw CallError(
                400,
                QStringLiteral("CariSepetVer: 2. parametre (n) 1 ile 7 arasında olmalı, %1 geldi")
                    .arg(n));
        Query q(db, kAccountColumns + QStringLiteral("WHERE ") + accountsOf(s) +
                        QStringLiteral(" AND ") + condition +
                        QStringLiteral(" ORDER BY c.cariadi"));
        q.exec();
        accountTable(q, {}).writeJson(reply);
    });

    table.add("SepetSayisi", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        QSqlDatabase db = context.database.connection();
        const Salesperson s = salespersonOf(db, args, QStringLiteral("SepetSayisi"));
        reply.integer(
            scalar(db, QStringLiteral("SELECT COUNT(*) FROM cariler c WHERE ") + accountsOf(s) +
                           QStringLiteral(
                               " AND EXISTS (SELECT 1 FROM sepet b WHERE b.carino = c.carino)"))
                .toInt());
    });

    table.add(
        "TusSonuclariVer", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
            QSqlDatabase db = context.database.connection();
            const Salesperson s = salespersonOf(db, args, QStringLiteral("TusSonuclariVer"));
            auto orders = [&](int list) {
                return scalar(db, QStringLiteral("SELECT COUNT(*) FROM siparisler s JOIN cariler c "
                                                 "ON c.carino = s.carino WHERE ") +
                                      accountsOf(s) + QStringLiteral(" AND ") + ordersOfList(list))
                    .toInt();
            };
            TTusSonuclari counts;
            counts.setAlindi(orders(2));
            counts.setOnaylandi(orders(3));
            counts.setGoruldu(orders(4));
            counts.setParcaliHazirlandi(orders(5));
            counts.setHazirlandi(orders(6));
            counts.setSevkEdildi(orders(7));
            writeRecord(reply, std::optional(counts));
        });
}

}  // namespace zerda::appserver
