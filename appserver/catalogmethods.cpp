// The catalogue: the stock search with the dealer's own prices.
#include "methods.h"
#include "pricing.h"
#include "records.h"
#include "schema.h"
#include "sqltable.h"
#include "wire.h"

namespace zerda::appserver {

namespace {

// A search returns at most this many items, the codes in order; a dealer narrows it down.
constexpr int kAramaSiniri = 3000;

// Folds a search text as the index is folded: Turkish letters to their plain forms, and the
// letters a to z upper-cased (other letters stay as they are, as in the index).
QString foldedText(const QString& text) {
    static const QHash<QChar, QChar> letters = {
        {QChar(0x011F), u'G'}, {QChar(0x011E), u'G'}, {QChar(0x00FC), u'U'}, {QChar(0x00DC), u'U'},
        {QChar(0x015F), u'S'}, {QChar(0x015E), u'S'}, {QChar(0x00F6), u'O'}, {QChar(0x00D6), u'O'},
        {QChar(0x00E7), u'C'}, {QChar(0x00C7), u'C'}, {QChar(0x0131), u'I'}, {QChar(0x0130), u'I'}};
    QString out = text;
    for (QChar& c : out) {
        if (const auto it = letters.constFind(c); it != letters.constEnd())
            c = *it;
        else if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return out;
}

QString compactText(QString text) {
    for (const char* separator : {" ", "-", ".", "/"})
        text.remove(QLatin1String(separator));
    return text;
}

// An index phrase: the text in double quotes, quotes inside it doubled.
QString phrase(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Which items a search text finds, as a condition on stoklar s with its values. Every word must
// stand in the item's codes or names; a word of three letters or more is looked up in the trigram
// index (as typed, or without its separators among the compact codes). Shorter words narrow the
// rows the longer ones found; when there are only short words, the first one must begin the
// item's compact stock code.
struct SearchCondition {
    QString sql;
    QVariantList values;
};

SearchCondition searchCondition(const QString& text) {
    const QStringList words =
        foldedText(text).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList matches, shortWords;
    for (const QString& w : words) {
        const QString compact = compactText(w);
        if (w.size() < 3 && compact.size() < 3) {
            shortWords << w;
            continue;
        }
        QStringList forms{phrase(w)};
        if (compact != w && compact.size() >= 3)
            forms << phrase(compact);
        matches << QLatin1Char('(') + forms.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    }
    SearchCondition c;
    if (words.isEmpty()) {
        c.sql = QStringLiteral("0");
        return c;
    }
    QStringList parts;
    if (!matches.isEmpty()) {
        parts << QStringLiteral(
            "s.stokno IN (SELECT rowid FROM stok_arama WHERE stok_arama MATCH ?)");
        c.values << matches.join(QStringLiteral(" AND "));
    } else {
        const QString start = compactText(shortWords.takeFirst());
        const QString code = compactStockCode(QStringLiteral("s."));
        parts << QStringLiteral("%1 >= ? AND %1 < ?").arg(code);
        c.values << start << start + QChar(0xFFFF);
    }
    for (const QString& w : shortWords) {
        parts << QStringLiteral(
            "instr((SELECT metin FROM stok_arama WHERE rowid = s.stokno), ?) > 0");
        c.values << w;
    }
    c.sql = parts.join(QStringLiteral(" AND "));
    return c;
}

}  // namespace

DiscountRates accountRates(QSqlDatabase db, int carino) {
    Query q(db, QStringLiteral("SELECT ind1, ind2, ind3, ind4 FROM cariler WHERE carino = ?"));
    q.bind(carino).exec();
    if (!q.next())
        return {0, 0, 0, 0};
    return {q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toDouble(),
            q.value(3).toDouble()};
}

namespace {

// What a list of items is made of: which items, for whom, in which form.
struct ItemList {
    QString where;  // a condition on stoklar s
    QVariantList values;
    DiscountRates rates;
    bool salesperson = false;      // quantities are shown to salespeople only
    bool withListColumns = false;  // ESKIFIYAT and INDIRIM, as the new and campaign lists have
    int limit = kAramaSiniri;
};

// The items with the account's prices: the list price, the campaign price (0 unless on
// campaign), the price ordered at, the account's rates, the net price and the price with VAT.
DataTable itemTable(QSqlDatabase db, const ItemList& list) {
    const QString quantities = list.salesperson
                                   ? QStringLiteral("s.kalan, s.alinansiparis, s.verilensiparis")
                                   : QStringLiteral("0.0, 0.0, 0.0");
    const QString sql =
        QStringLiteral(
            "SELECT s.durum, s.oem1, s.oem2, s.oem3, s.barkod, s.finishkod, s.adi, "
            "s.oem4, s.stokno, s.ureticikodu, "
            "EXISTS (SELECT 1 FROM stok_resimleri r WHERE r.stokno = s.stokno), "
            "s.barkodno, s.digeradi, s.dpkod, s.oemno, s.birim, s.marka, s.model, "
            "s.anagrup, s.ozelkod, %1, s.pkod, s.kdv, s.listefiyat, "
            "CASE WHEN s.kampanyali = 1 THEN s.kampfiyat ELSE 0.0 END, "
            "CASE WHEN s.kampanyali = 1 THEN s.kampfiyat ELSE s.listefiyat END, "
            "s.yeni, s.kampanyali, ?, ?, ?, ?, ?, 0.0, 0.0%2 "
            "FROM stoklar s WHERE %3 ORDER BY s.barkod LIMIT %4")
            .arg(quantities, list.withListColumns ? QStringLiteral(", s.listefiyat, ?") : QString(),
                 list.where)
            .arg(list.limit);
    QVariantList values{discountText(list.rates)};
    for (double r : list.rates)
        values << r;
    if (list.withListColumns)
        values << list.rates.value(0);
    values += list.values;
    QList<ColumnSpec> columns = {{"DURUM", DbxType::Int32},
                                 {"OEM1", DbxType::WideString},
                                 {"OEM2", DbxType::WideString},
                                 {"OEM3", DbxType::WideString},
                                 {"BARKOD", DbxType::WideString},
                                 {"FINISHKOD", DbxType::WideString},
                                 {"ADI", DbxType::WideString},
                                 {"OEM4", DbxType::WideString},
                                 {"STOK_STOKNO", DbxType::Int32},
                                 {"URETICIKODU", DbxType::WideString},
                                 {"RESIM", DbxType::Int32},
                                 {"BARKOD_BARKODNO", DbxType::WideString},
                                 {"DIGERADI", DbxType::WideString},
                                 {"DPKOD", DbxType::WideString},
                                 {"OEMNO", DbxType::WideString},
                                 {"BIRIM", DbxType::WideString},
                                 {"MARKA", DbxType::WideString},
                                 {"MODEL", DbxType::WideString},
                                 {"ANAGRUP", DbxType::WideString},
                                 {"OZELKOD", DbxType::WideString},
                                 {"KALAN", DbxType::Double},
                                 {"ALINANSIPARIS", DbxType::Double},
                                 {"VERILENSIPARIS", DbxType::Double},
                                 {"PKOD", DbxType::WideString},
                                 {"KDV", DbxType::Double},
                                 {"LISTEFIYAT1", DbxType::Double},
                                 {"KAMPFIYAT", DbxType::Double},
                                 {"FIYAT", DbxType::Double},
                                 {"Y", DbxType::Int32},
                                 {"K", DbxType::Int32},
                                 {"INDIRIMYAZI", DbxType::WideString},
                                 {"IND1", DbxType::Double},
                                 {"IND2", DbxType::Double},
                                 {"IND3", DbxType::Double},
                                 {"IND4", DbxType::Double},
                                 {"NETFIYAT", DbxType::Double},
                                 {"KDVDAHIL", DbxType::Double}};
    if (list.withListColumns)
        columns << ColumnSpec{"ESKIFIYAT", DbxType::Double}
                << ColumnSpec{"INDIRIM", DbxType::Double};
    DataTable items = selectTable(db, sql, values, columns);
    const Column& price = items.column(items.indexOf(u"FIYAT"));
    const Column& vat = items.column(items.indexOf(u"KDV"));
    Column& net = items.column(items.indexOf(u"NETFIYAT"));
    Column& gross = items.column(items.indexOf(u"KDVDAHIL"));
    for (qsizetype row = 0; row < items.rowCount(); ++row) {
        const double n = netPrice(price.realAt(row), list.rates);
        net.setReal(row, n);
        gross.setReal(row, withVat(n, vat.realAt(row)));
    }
    return items;
}

bool isSalesperson(int customerType) {
    return customerType == 1 || customerType == 2;
}

}  // namespace

void addCatalogueMethods(MethodTable& table) {
    table.add("StokAraGetir", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        QSqlDatabase db = context.database.connection();
        const SessionUser user =
            authorizeSession(db, args.record<TSonucBilgisi>(1), QStringLiteral("StokAraGetir"));
        const SearchCondition condition = searchCondition(args.text(0));
        ItemList list;
        list.where = condition.sql;
        list.values = condition.values;
        list.rates = accountRates(db, user.account);
        list.salesperson = isSalesperson(user.customerType);
        itemTable(db, list).writeJson(reply);
    });

    // These two take no session record: the account's prices for whoever asks.
    table.add("YenilerVer2", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        QSqlDatabase db = context.database.connection();
        ItemList list;
        list.where = QStringLiteral("s.yeni = 1");
        list.rates = accountRates(db, args.integer(0));
        list.withListColumns = true;
        itemTable(db, list).writeJson(reply);
    });
    table.add("KampanyaliVer2", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        QSqlDatabase db = context.database.connection();
        ItemList list;
        list.where = QStringLiteral("s.kampanyali = 1");
        list.rates = accountRates(db, args.integer(0));
        list.salesperson = isSalesperson(args.integer(1));
        list.withListColumns = true;
        itemTable(db, list).writeJson(reply);
    });

    // The picture as a JPEG file, with its length first; no picture is a length of 0.
    table.add("ResimVer5", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        const QByteArray picture =
            scalar(context.database.connection(),
                   QStringLiteral("SELECT resim FROM stok_resimleri WHERE stokno = ?"),
                   {args.integer(0)})
                .toByteArray();
        reply.integer(picture.size());
        writeStream(reply, picture);
    });
}

}  // namespace zerda::appserver
