#include <QDir>
#include <QStandardPaths>
#include <QtTest>

#include "clientdataset.h"
#include "decimal.h"
#include "utils.h"

#include "tables.h"
using namespace zerda;

namespace {

DataTable basket(const QList<QVariant>& sec) {
    QList<QVariantList> rows;
    for (int i = 0; i < sec.size(); ++i)
        rows.append({i + 1, sec[i], 1234.5 * (i + 1), QStringLiteral("satır %1").arg(i)});
    return tableOf({{"SIRANO", DbxType::Int32},
                    {"SEC", DbxType::Int32},
                    {"TUTAR", DbxType::Double},
                    {"ADI", DbxType::WideString}},
                   rows);
}

}  // namespace

class TestHelpers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twoDecimalRounding_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");
        QTest::newRow("1234.567") << 1234.567 << 1234.57;
        QTest::newRow("0.004") << 0.004 << 0.0;
        QTest::newRow("0.125") << 0.125 << 0.13;
        QTest::newRow("-0.125") << -0.125 << -0.13;
        QTest::newRow("1.005") << 1.005 << 1.01;
        QTest::newRow("2.675") << 2.675 << 2.68;
        QTest::newRow("whole") << 42.0 << 42.0;
        QTest::newRow("large") << 12345678.905 << 12345678.91;
    }
    void twoDecimalRounding() {
        QFETCH(double, x);
        QFETCH(double, expected);
        QCOMPARE(IkiHaneYuvarla(x), expected);
    }

    // The quick rounding agrees with the decimal form everywhere, halves and thousandths included.
    void quickRoundingAgreesWithTheDecimalForm() {
        for (int k = -40000; k <= 40000; ++k)
            for (double v : {k / 1000.0, k * 0.005, k * 0.0101 + 0.3333}) {
                const double slow = decimalTextValue(toDecimalText(v, 2));
                if (roundToCents(v) != slow && !(slow == 0 && roundToCents(v) == 0))
                    QFAIL(qPrintable(QString::number(v, 'g', 17)));
            }
    }

    void moneyFormatOnFloatColumnsOnly() {
        ClientDataSet ds;
        ds.setLocale(QLocale(QStringLiteral("tr_TR")));
        DataTable t = basket({0});
        t.appendRow();
        t.setValue(1, 2, 0.5);
        ds.setData(t);
        FormatAyarla(ds);
        QCOMPARE(ds.displayFormat(2), QStringLiteral("#,###,##0.00"));
        QVERIFY(ds.displayFormat(0).isEmpty());
        QVERIFY(ds.displayFormat(3).isEmpty());
        QCOMPARE(ds.displayText(0, 2), QStringLiteral("1.234,50"));
        QCOMPARE(ds.displayText(1, 2), QStringLiteral("0,50"));
        QCOMPARE(ds.displayText(0, 0), QStringLiteral("1"));
    }

    void recordsAndSelections() {
        ClientDataSet ds;
        QVERIFY(!KayitVarmi(ds));
        QVERIFY(!SeciliVarmi(ds));
        ds.setData(basket({}));
        QVERIFY(!KayitVarmi(ds));
        QVERIFY(!SeciliVarmi(ds));
        ds.setData(basket({0, 1, 0}));
        QVERIFY(KayitVarmi(ds));
        QVERIFY(SeciliVarmi(ds));
        QCOMPARE(ds.RecNo(), 1);
        ds.setData(basket({0, 0, 0}));
        QVERIFY(!SeciliVarmi(ds));
        QVERIFY(ds.Eof());
    }

    void urlEncoding_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("expected");
        QTest::newRow("query values")
            << "http://b2b.ornek.com/lalekart.html?carino=12&sube=MERKEZ&firmasi=ÇELİK "
               "OTO&bakiye=1.234,50"
            << "http://b2b.ornek.com/"
               "lalekart.html?carino=12&sube=MERKEZ&firmasi=%C3%87EL%C4%B0K%20OTO&bakiye=1.234%"
               "2C50";
        QTest::newRow("path") << "https://ornek.com:8443/yeni klasör/sayfa.aspx"
                              << "https://ornek.com:8443/yeni%20klas%C3%B6r/sayfa.aspx";
        QTest::newRow("nothing to encode") << "http://127.0.0.1:9090/"
                                           << "http://127.0.0.1:9090/";
    }
    void urlEncoding() {
        QFETCH(QString, url);
        QFETCH(QString, expected);
        QCOMPARE(UrlKodla(url), expected);
    }

    void browserLookUps() {
        setFileExistsCheck([](const QString&) { return false; });
        QCOMPARE(ChromeYolu(), QString());
        setFileExistsCheck([](const QString& p) { return p.contains(QStringLiteral("chromium")); });
        QVERIFY(ChromeYolu().contains(QStringLiteral("chromium")));
        setFileExistsCheck({});
        QCOMPARE(IEVersiyon(), 0);
    }

    void folders() {
        QStandardPaths::setTestModeEnabled(true);
        const QString folder = YerelKlasor();
        QVERIFY(folder.endsWith(QStringLiteral("mercanlik")));
        QVERIFY(QDir(folder).exists());
        QVERIFY(!folder.endsWith(QLatin1Char('/')));
        QVERIFY(!BelgelerKlasoru().isEmpty());
    }

    void columnWidthsByWeight() {
        QCOMPARE(weightedColumnWidths({1, 2, 3}, 1000), (QList<int>{161, 322, 483}));
        QCOMPARE(weightedColumnWidths({0, 0}, 1000), QList<int>());
        QCOMPARE(weightedColumnWidths({4}, 31), (QList<int>{0}));
    }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
