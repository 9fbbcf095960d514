#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "records.h"
#include "wire.h"

using namespace zerda;

namespace {

ColumnInfo column(const char* name, DbxType type) {
    ColumnInfo info;
    info.name = QString::fromUtf8(name);
    info.type = type;
    return info;
}

// A table with every column type, NULLs and Turkish text.
DataTable everyType() {
    DataTable t;
    t.addColumn(column("STOKNO", DbxType::Int32));
    t.addColumn(column("BUYUK", DbxType::Int64));
    t.addColumn(column("FIYAT", DbxType::Double));
    t.addColumn(column("KOD", DbxType::AnsiString));
    t.addColumn(column("ADI", DbxType::WideString));
    t.addColumn(column("VAR", DbxType::Boolean));
    t.addColumn(column("TARIH", DbxType::Date));
    t.addColumn(column("ZAMAN", DbxType::DateTime));
    const QList<QVariantList> rows = {
        {1, qlonglong(9007199254740993LL), 1234.5, "ZR100001",
         QStringLiteral("FREN BALATASI ÖN ŞĞÜİıç"), true, QDate(2024, 2, 29),
         QDateTime(QDate(2026, 11, 30), QTime(14, 5, 9, 120))},
        {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
         QVariant()},
        {-2147483647 - 1, qlonglong(-5), -0.01, "",
         QStringLiteral("\"tırnak\" \\ ters\nyeni satır €😀"), false, QDate(1899, 12, 30),
         QDateTime(QDate(1999, 1, 1), QTime(0, 0))},
    };
    for (const QVariantList& values : rows) {
        const qsizetype r = t.appendRow();
        for (int c = 0; c < values.size(); ++c)
            t.setValue(r, c, values[c]);
    }
    return t;
}

QByteArray reply(const DataTable& t) {
    ReplyWriter w;
    t.writeJson(w.out());
    return w.finishBytes();
}

std::vector<ReplyValue> decode(const QByteArray& json, std::vector<Kind> kinds) {
    return decodeReply(json.constData(), size_t(json.size()), kinds);
}

}  // namespace

class TestWire : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tableRoundTripKeepsTypesNullsAndText() {
        const DataTable original = everyType();
        const auto values = decode(reply(original), {Kind::Table});
        QCOMPARE(values.size(), size_t(1));
        const DataTable& back = std::get<DataTable>(values[0]);
        QVERIFY(back.sameStructure(original));
        QCOMPARE(back.rowCount(), 3);
        QVERIFY(back == original);
        QCOMPARE(back.value(0, 1).toLongLong(), 9007199254740993LL);
        QCOMPARE(back.value(0, 4).toString(), QStringLiteral("FREN BALATASI ÖN ŞĞÜİıç"));
        QCOMPARE(back.value(0, 6).toDate(), QDate(2024, 2, 29));
        QCOMPARE(back.value(0, 7).toDateTime(),
                 QDateTime(QDate(2026, 11, 30), QTime(14, 5, 9, 120)));
        for (int c = 0; c < back.columnCount(); ++c)
            QVERIFY(back.isNull(1, c));
        QCOMPARE(back.value(2, 0).toInt(), -2147483647 - 1);
        QCOMPARE(back.value(2, 5), QVariant(false));
    }

    void tableFormOnTheWire() {
        const QJsonObject t = QJsonDocument::fromJson(everyType().toJson()).object();
        const QJsonArray meta = t.value("table").toArray();
        QCOMPARE(meta.size(), 8);
        QCOMPARE(meta.at(0).toArray().size(), 13);
        QCOMPARE(meta.at(0).toArray().at(0).toString(), QStringLiteral("STOKNO"));
        QCOMPARE(meta.at(0).toArray().at(1).toInt(), 6);
        QCOMPARE(meta.at(6).toArray().at(1).toInt(), 2);
        QCOMPARE(t.value("TARIH").toArray().at(0).toString(), QStringLiteral("2024-02-29"));
        QCOMPARE(t.value("ZAMAN").toArray().at(0).toString(),
                 QStringLiteral("2026-11-30 14:05:09.120"));
        QVERIFY(t.value("ADI").toArray().at(1).isNull());
        QCOMPARE(t.value("VAR").toArray().at(0), QJsonValue(true));
    }

    void malformedUtf8BecomesReplacementCharacters() {
        // An invalid two-byte start, a cut-off three-byte sequence, then valid four- and two-byte
        // ones.
        const QByteArray json =
            "{\"result\":[{\"table\":[[\"T\",26]],\"T\":[\"a\xC3"
            "(b\xE2\x82\",\"\xF0\x9F\x98\x80\xC4\x9E\"]}]}";
        const auto values = decode(json, {Kind::Table});
        const DataTable& t = std::get<DataTable>(values[0]);
        QCOMPARE(t.value(0, 0).toString(), QString::fromUtf8("a\xC3"
                                                             "(b\xE2\x82"));
        QCOMPARE(t.value(1, 0).toString(), QStringLiteral("😀Ğ"));
    }

    void emptyTableKeepsItsColumns() {
        DataTable empty = everyType();
        empty.clearRows();
        const auto values = decode(reply(empty), {Kind::DataPacket});
        const DataTable& back = std::get<DataTable>(values[0]);
        QCOMPARE(back.rowCount(), 0);
        QCOMPARE(back.columnCount(), 8);
        QCOMPARE(back.columnInfo(7).type, DbxType::DateTime);
    }

    void columnsBeforeTheirDefinitionsAreRead() {
        const QByteArray json = R"({"result":[{"ADI":["Yağ Filtresi",null],"NO":[3,4],
            "table":[["NO",6,0,0,0,4,0,0,false,false,0,false,false],["ADI",26,1,0,0,50,0,0,true,false,0,false,false]]}]})";
        const auto values = decode(json, {Kind::Table});
        const DataTable& t = std::get<DataTable>(values[0]);
        QCOMPARE(t.rowCount(), 2);
        QCOMPARE(t.value(0, 1).toString(), QStringLiteral("Yağ Filtresi"));
        QCOMPARE(t.value(1, 0).toInt(), 4);
        QVERIFY(t.isNull(1, 1));
    }

    void outValuesThenResult() {
        const QByteArray json = R"({"result":[3,[255,0,216]]})";
        const auto values = decode(json, {Kind::OutInt64, Kind::Stream});
        QCOMPARE(std::get<QJsonValue>(values[0]).toInt(), 3);
        QCOMPARE(std::get<QByteArray>(values[1]), QByteArray("\xFF\x00\xD8", 3));
        // An absent stream and record come as null; a method without a result has an empty list.
        const auto nulls = decode(R"({"result":[0,null]})", {Kind::OutInt64, Kind::Stream});
        QVERIFY(std::get<QJsonValue>(nulls[1]).isNull());
        QVERIFY(decode(R"({"result":[]})", {}).empty());
    }

    void requestBody() {
        RequestWriter w;
        w.integer(7);
        w.number(2.5);
        w.string(QStringLiteral("Şifre Değiştirme İsteği"));
        w.record(std::optional<TSonucBilgisi>());
        const QByteArray body = w.finish();
        const QJsonArray params = parseRequestParameters(body);
        QCOMPARE(params.size(), 4);
        QCOMPARE(params.at(2).toString(), QStringLiteral("Şifre Değiştirme İsteği"));
        QVERIFY(params.at(3).isNull());
        QCOMPARE(methodPath(QStringLiteral("datasnap/"), QStringLiteral("SepetVer2")),
                 QByteArray("/datasnap/rest/TServerMethods1/%22SepetVer2%22/"));
    }

    void malformedRepliesAreRefused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("kinds");  // 0: table, 1: out + stream, 2: integer
        const QByteArray meta = R"("table":[["NO",6,0,0,0,4,0,0,false,false,0,false,false]])";
        QTest::newRow("not JSON") << QByteArray(R"({"result":[)") << 0;
        QTest::newRow("no result") << QByteArray(R"({"sonuc":[]})") << 2;
        QTest::newRow("too few values") << QByteArray(R"({"result":[]})") << 2;
        QTest::newRow("too many values") << QByteArray(R"({"result":[1,2]})") << 2;
        QTest::newRow("text in integer column")
            << QByteArray(R"({"result":[{)" + meta + R"(,"NO":["1"]}]})") << 0;
        QTest::newRow("fraction in integer column")
            << QByteArray(R"({"result":[{)" + meta + R"(,"NO":[1.5]}]})") << 0;
        QTest::newRow("undeclared column")
            << QByteArray(R"({"result":[{)" + meta + R"(,"NO":[1],"X":[2]}]})") << 0;
        QTest::newRow("columns of unequal length")
            << QByteArray(R"({"result":[{"table":[["A",6],["B",6]],"A":[1,2],"B":[1]}]})") << 0;
        QTest::newRow("unknown type code")
            << QByteArray(R"({"result":[{"table":[["A",99]],"A":[]}]})") << 0;
        QTest::newRow("no definitions") << QByteArray(R"({"result":[{"A":[1]}]})") << 0;
        QTest::newRow("bad date") << QByteArray(
                                         R"({"result":[{"table":[["T",2]],"T":["2024-02-30"]}]})")
                                  << 0;
        QTest::newRow("array for table") << QByteArray(R"({"result":[[1,2]]})") << 0;
        QTest::newRow("byte out of range") << QByteArray(R"({"result":[1,[256]]})") << 1;
        QTest::newRow("number for stream") << QByteArray(R"({"result":[1,5]})") << 1;
        QTest::newRow("nested array in column")
            << QByteArray(R"({"result":[{)" + meta + R"(,"NO":[[1]]}]})") << 0;
    }
    void malformedRepliesAreRefused() {
        QFETCH(QByteArray, json);
        QFETCH(int, kinds);
        const std::vector<std::vector<Kind>> choices = {
            {Kind::Table}, {Kind::OutInt64, Kind::Stream}, {Kind::Integer}};
        QVERIFY_THROWS_EXCEPTION(ProtocolError, decode(json, choices[size_t(kinds)]));
    }

    void errorReplyMessage() {
        QCOMPARE(decodeErrorReply(
                     QByteArray::fromStdString(errorReplyBody(QStringLiteral("Stok bulunamadı")))),
                 QStringLiteral("Stok bulunamadı"));
        QCOMPARE(decodeErrorReply("Bad Gateway"), QStringLiteral("Bad Gateway"));
    }

    void catalogueNamesAndKinds() {
        const auto& methods = serverMethods();
        QCOMPARE(methods.size(), size_t(49));
        for (const char* name : {"MailGonserCari", "MailGonserCariNormal", "SiparisAytintisiDip",
                                 "AcilisREklamVer", "SAnalPosPdfVer"})
            QVERIFY2(findServerMethod(QString::fromLatin1(name)), name);
        QVERIFY(!findServerMethod(QStringLiteral("siparisaytintisidip")));
        const MethodInfo* report = findServerMethod(QStringLiteral("RaporGetir"));
        QCOMPARE(report->inputCount(), 7);
        QCOMPARE(report->replyKinds(), (std::vector<Kind>{Kind::OutInt64, Kind::Stream}));
        QCOMPARE(findServerMethod(QStringLiteral("MailGonserCariNormal"))->inputCount(), 17);
        QCOMPARE(findServerMethod(QStringLiteral("SepetSecimGuncelle"))->replyKinds().size(),
                 size_t(0));
    }
};

QTEST_GUILESS_MAIN(TestWire)
#include "tst_wire.moc"
