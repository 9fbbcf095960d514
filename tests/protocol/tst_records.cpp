#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "marshal.h"
#include "records.h"

using namespace zerda;

namespace {

// Gives every field of a record a value of its own, so that a field lost or swapped shows.
template <class R>
R filled(int seed = 1) {
    R record;
    int n = seed;
    record.forEachField([&](const char* name, auto& field) {
        using T = std::decay_t<decltype(field)>;
        ++n;
        if constexpr (std::is_same_v<T, QString>)
            field = QStringLiteral("%1 değeri ğüşıöç İ %2").arg(QLatin1String(name)).arg(n);
        else if constexpr (std::is_same_v<T, int>)
            field = n * 7;
        else if constexpr (std::is_same_v<T, double>)
            field = n + 0.25;
        else if constexpr (std::is_same_v<T, bool>)
            field = true;
    });
    return record;
}

QJsonObject parse(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object();
}

QStringList fieldOrderInText(const QByteArray& json) {
    // Member names of "fields" in the order they were written.
    QStringList names;
    const int start = json.indexOf("\"fields\":{") + 10;
    int depth = 0;
    bool inString = false;
    QByteArray current;
    bool isKey = true;
    for (int i = start; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\') {
                ++i;
                continue;
            }
            if (c == '"') {
                inString = false;
                if (depth == 0 && isKey)
                    names << QString::fromUtf8(current);
            } else {
                current += c;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
            current.clear();
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            if (depth-- == 0)
                break;
        } else if (c == ':' && depth == 0) {
            isKey = false;
        } else if (c == ',' && depth == 0) {
            isKey = true;
        }
    }
    return names;
}

template <class R>
QStringList declaredFieldNames() {
    QStringList names;
    R().forEachField([&](const char* name, const auto&) { names << QLatin1String(name); });
    return names;
}

template <class R>
void checkKopyalaAndRoundTrip(int expectedFields) {
    const R source = filled<R>();
    R copy;
    copy.Kopyala(source);
    QCOMPARE(marshalJson(copy), marshalJson(source));
    QCOMPARE(copy, source);
    QCOMPARE(declaredFieldNames<R>().size(), expectedFields);
    const QByteArray json = marshalJson(source);
    QCOMPARE(fieldOrderInText(json), declaredFieldNames<R>());
    const std::optional<R> back = unmarshal<R>(parse(json));
    QVERIFY(back.has_value());
    QCOMPARE(*back, source);
}

}  // namespace

class TestRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newSessionRecordHasItsDefaults() {
        const QJsonObject o = parse(marshalJson(TSonucBilgisi::Create()));
        QCOMPARE(o.value("type").toString(), QStringLiteral("baglantiu.TSonucBilgisi"));
        QVERIFY(o.value("id").isDouble());
        const QJsonObject f = o.value("fields").toObject();
        QCOMPARE(f.size(), 20);
        QCOMPARE(f.value("FMusteriTipi").toInt(), 1);
        QCOMPARE(f.value("FVersion").toInt(), 1);
        QCOMPARE(f.value("FVarmi"), QJsonValue(false));
        QCOMPARE(f.value("FBILGISAYARID"), QJsonValue(QString()));
    }

    void stockRecordHasItsDefaults() {
        const QJsonObject f = parse(marshalJson(TMobilStok::Create())).value("fields").toObject();
        QCOMPARE(f.value("FBirim").toString(), QStringLiteral("ADET"));
        QCOMPARE(f.value("FKDV").toDouble(), 20.0);
        QCOMPARE(f.size(), 35);
    }

    void copiesMarshalAlikeAndEveryRecordRoundTrips() {
        checkKopyalaAndRoundTrip<TSonucBilgisi>(20);
        checkKopyalaAndRoundTrip<TSiparisDipAyrinti>(8);
        checkKopyalaAndRoundTrip<TTusSonuclari>(6);
        checkKopyalaAndRoundTrip<TMobilCariBilgisi>(30);
        checkKopyalaAndRoundTrip<TMobilSepet>(53);
        checkKopyalaAndRoundTrip<TMobilStok>(35);
        // The screens have no copy operation of their own; they still travel both ways.
        const TAcilisEkran screen = filled<TAcilisEkran>();
        QCOMPARE(*unmarshal<TAcilisEkran>(parse(marshalJson(screen))), screen);
    }

    void kopyalaLeavesTheSourceAlone() {
        TSonucBilgisi source = filled<TSonucBilgisi>();
        const TSonucBilgisi before = source;
        TSonucBilgisi copy;
        copy.Kopyala(source);
        copy.setCARINO(999);
        QCOMPARE(source, before);
    }

    void screenHolderWithItsArray() {
        TAcilisEkranlariki holder;
        holder.setEkranlar({filled<TAcilisEkran>(1), filled<TAcilisEkran>(100)});
        const QByteArray json = marshalJson(holder);
        const QJsonObject o = parse(json);
        const QJsonArray items = o.value("fields").toObject().value("FEkranlar").toArray();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(0).toObject().value("type").toString(),
                 QStringLiteral("mobilstokunit.TAcilisEkran"));
        // Ids are unique within the value.
        QVERIFY(items.at(0).toObject().value("id") != items.at(1).toObject().value("id"));
        QCOMPARE(*unmarshal<TAcilisEkranlariki>(o), holder);
    }

    void screenHolderWithoutScreens_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("empty array") << QByteArray(
            R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[]}})");
        QTest::newRow("null") << QByteArray(
            R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":null}})");
        QTest::newRow("missing") << QByteArray(
            R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{}})");
    }
    void screenHolderWithoutScreens() {
        QFETCH(QByteArray, json);
        const auto holder = unmarshal<TAcilisEkranlariki>(parse(json));
        QVERIFY(holder.has_value());
        QVERIFY(holder->Ekranlar().isEmpty());
    }

    void objectMetAgainIsReadFromItsReference() {
        const QByteArray json =
            R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[
            {"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":4,"FResim":"FFD8","FBaslik":"Kış","FArama":"#YENİ#"}},
            {"type":"mobilstokunit.TAcilisEkran","ref":2}]}})";
        const auto holder = unmarshal<TAcilisEkranlariki>(parse(json));
        QCOMPARE(holder->Ekranlar().size(), 2);
        QCOMPARE(holder->Ekranlar().at(1), holder->Ekranlar().at(0));
        QCOMPARE(holder->Ekranlar().at(1).Baslik(), QStringLiteral("Kış"));
    }

    void nullIsAnAbsentRecord() {
        QVERIFY(!unmarshal<TSonucBilgisi>(QJsonValue(QJsonValue::Null)).has_value());
        QCOMPARE(marshal_null_text(), QByteArray("null"));
    }

    void extraFieldsAreIgnoredAndMissingOnesKeepDefaults() {
        const auto s = unmarshal<TSonucBilgisi>(parse(
            R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FADI":"DEMO","FYeniAlan":[1,2]}})"));
        QCOMPARE(s->ADI(), QStringLiteral("DEMO"));
        QCOMPARE(s->MusteriTipi(), 1);
        QCOMPARE(s->Version(), 1);
    }

    void mismatchesAreRefused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("other class")
            << QByteArray(R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{}})")
            << "baglantiu.TTusSonuclari";
        QTest::newRow("no unit") << QByteArray(R"({"type":"TSonucBilgisi","id":1,"fields":{}})")
                                 << "TSonucBilgisi";
        QTest::newRow("text for integer")
            << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":"12"}})")
            << "FCARINO";
        QTest::newRow("fraction for integer")
            << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FSirano":1.5}})")
            << "FSirano";
        QTest::newRow("too large integer")
            << QByteArray(
                   R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FSirano":4294967296}})")
            << "FSirano";
        QTest::newRow("number for text")
            << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FADI":5}})")
            << "FADI";
        QTest::newRow("text for Boolean")
            << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FVarmi":"true"}})")
            << "FVarmi";
        QTest::newRow("no fields")
            << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1})") << "fields";
        QTest::newRow("not an object")
            << QByteArray(R"(["baglantiu.TSonucBilgisi"])") << "baglantiu.TSonucBilgisi";
        QTest::newRow("unresolved reference")
            << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","ref":7})") << "7";
    }
    void mismatchesAreRefused() {
        QFETCH(QByteArray, json);
        QFETCH(QString, mentions);
        const QJsonValue value = QJsonDocument::fromJson(json).isArray()
                                     ? QJsonValue(QJsonDocument::fromJson(json).array())
                                     : QJsonValue(QJsonDocument::fromJson(json).object());
        try {
            unmarshal<TSonucBilgisi>(value);
            QFAIL("accepted");
        } catch (const ProtocolError& e) {
            QVERIFY2(e.message().contains(mentions), qPrintable(e.message()));
        }
    }

    void arrayFieldMustBeAnArray() {
        QVERIFY_THROWS_EXCEPTION(
            ProtocolError,
            unmarshal<TAcilisEkranlariki>(parse(
                R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":{"a":1}}})")));
        QVERIFY_THROWS_EXCEPTION(
            ProtocolError,
            unmarshal<TAcilisEkranlariki>(parse(
                R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[{"type":"baglantiu.TSonucBilgisi","id":2,"fields":{}}]}})")));
    }

private:
    static QByteArray marshal_null_text() {
        JsonWriter out;
        writeRecord(out, std::optional<TSonucBilgisi>());
        return out.text();
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
