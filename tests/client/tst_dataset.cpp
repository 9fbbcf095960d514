#include <QBuffer>
#include <QSignalSpy>
#include <QtTest>

#include "calls.h"
#include "clientdataset.h"
#include "datasetmodel.h"
#include "tablereader.h"

#include "tables.h"
using namespace zerda;

namespace {

DataTable stockRows() {
    return tableOf(
        {{"STOK_STOKNO", DbxType::Int32}, {"ADI", DbxType::WideString}, {"FIYAT", DbxType::Double}},
        {{10, QStringLiteral("Yağ Filtresi"), 180.5},
         {20, QStringLiteral("Fren Balatası"), 850.0},
         {30, QStringLiteral("Şarj Dinamosu"), 5600.25}});
}

// Reads in unbuffered mode, so each read() of the caller is one readData here.
class CountingDevice : public QIODevice {
public:
    explicit CountingDevice(QByteArray data) : m_data(std::move(data)) {
        open(ReadOnly | Unbuffered);
    }
    QList<qint64> reads;

protected:
    qint64 readData(char* out, qint64 max) override {
        const qint64 n = std::min(max, qint64(m_data.size()) - pos());
        std::memcpy(out, m_data.constData() + pos(), size_t(n));
        reads << n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
    qint64 size() const override { return m_data.size(); }

private:
    QByteArray m_data;
};

}  // namespace

class TestDataSet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cursorWalksTheRows() {
        ClientDataSet ds;
        QVERIFY(!ds.Active());
        ds.setData(stockRows());
        QVERIFY(ds.Active());
        QList<int> seen;
        for (ds.First(); !ds.Eof(); ds.Next())
            seen << ds.FieldByName(QStringLiteral("stok_stokno")).AsInteger();
        QCOMPARE(seen, (QList<int>{10, 20, 30}));
        QCOMPARE(ds.RecNo(), 2);  // stays on the last row at the end
        ds.Last();
        ds.Prior();
        QCOMPARE(ds.FieldByName(QStringLiteral("ADI")).AsString(), QStringLiteral("Fren Balatası"));
    }

    void emptyDataSetHasNoCurrentRecord() {
        ClientDataSet ds;
        DataTable t = stockRows();
        t.clearRows();
        ds.setData(t);
        QVERIFY(ds.Eof() && ds.Bof());
        QCOMPARE(ds.RecNo(), -1);
        QVERIFY(ds.FieldByName(QStringLiteral("ADI")).IsNull());
        QCOMPARE(ds.FieldCount(), 3);
        ds.setData(stockRows());
        ds.EmptyDataSet();
        QCOMPARE(ds.RecordCount(), 0);
        QCOMPARE(ds.FieldCount(), 3);
    }

    void locateFindsByValue() {
        ClientDataSet ds;
        ds.setData(stockRows());
        QVERIFY(ds.Locate(QStringLiteral("STOK_STOKNO"), 30));
        QCOMPARE(ds.RecNo(), 2);
        QVERIFY(!ds.Locate(QStringLiteral("STOK_STOKNO"), 99));
        QCOMPARE(ds.RecNo(), 2);  // unchanged when nothing matches
        QVERIFY(!ds.Locate(QStringLiteral("ADI"), QStringLiteral("yağ filtresi")));
        QVERIFY(ds.Locate(QStringLiteral("ADI"), QStringLiteral("YAĞ FILTRESI"), true));
        QCOMPARE(ds.RecNo(), 0);
    }

    void editPostAndCancel() {
        ClientDataSet ds;
        ds.setData(stockRows());
        ds.Locate(QStringLiteral("STOK_STOKNO"), 20);
        QVERIFY_THROWS_EXCEPTION(Error, ds.FieldByName(QStringLiteral("FIYAT")).setValue(1.0));
        ds.Edit();
        ds.FieldByName(QStringLiteral("FIYAT")).setValue(900.0);
        QCOMPARE(ds.FieldByName(QStringLiteral("FIYAT")).AsFloat(), 900.0);
        QCOMPARE(ds.cell(1, 2).toDouble(), 850.0);  // not posted yet
        ds.Post();
        QCOMPARE(ds.cell(1, 2).toDouble(), 900.0);
        ds.Edit();
        ds.FieldByName(QStringLiteral("ADI")).setValue(QStringLiteral("değişti"));
        ds.Cancel();
        QCOMPARE(ds.FieldByName(QStringLiteral("ADI")).AsString(), QStringLiteral("Fren Balatası"));
    }

    void refusedValueLeavesTheRecordAsItWas() {
        ClientDataSet ds;
        ds.setData(stockRows());
        ds.Edit();
        ds.FieldByName(QStringLiteral("ADI")).setValue(QStringLiteral("yeni ad"));
        ds.FieldByName(QStringLiteral("STOK_STOKNO")).setValue(QStringLiteral("on iki"));
        QVERIFY_THROWS_EXCEPTION(ProtocolError, ds.Post());
        QCOMPARE(ds.cell(0, 1).toString(), QStringLiteral("Yağ Filtresi"));
        QCOMPARE(ds.state(), ClientDataSet::State::Edit);
    }

    void appendAndDelete() {
        ClientDataSet ds;
        ds.addField(QStringLiteral("ID"), DbxType::Int32);
        ds.addField(QStringLiteral("AD"), DbxType::WideString);
        ds.CreateDataSet();
        ds.Append();
        ds.FieldByName(QStringLiteral("ID")).setValue(1);
        ds.FieldByName(QStringLiteral("AD")).setValue(QStringLiteral("Kargo İle Gönderim"));
        ds.Post();
        ds.Append();
        ds.FieldByName(QStringLiteral("ID")).setValue(2);
        ds.Post();
        QCOMPARE(ds.RecordCount(), 2);
        QCOMPARE(ds.RecNo(), 1);
        QVERIFY(ds.FieldByName(QStringLiteral("AD")).IsNull());
        ds.First();
        ds.Delete();
        QCOMPARE(ds.RecordCount(), 1);
        QCOMPARE(ds.FieldByName(QStringLiteral("ID")).AsInteger(), 2);
        QVERIFY_THROWS_EXCEPTION(Error, ds.FieldByName(QStringLiteral("YOK")));
    }

    void modelFollowsTheDataSetAndBulkLoadsResetOnce() {
        ClientDataSet ds;
        ds.setData(stockRows());
        DataSetModel model;
        model.setDataSet(&ds);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("Yağ Filtresi"));
        QCOMPARE(model.data(model.index(0, 0), DataSetModel::RawValueRole), QVariant(10));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("FIYAT"));

        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        ds.DisableControls();
        ds.setData(stockRows());
        ds.EmptyDataSet();
        ds.setData(stockRows());
        QCOMPARE(resets.size(), 0);
        QCOMPARE(model.data(model.index(5, 0)),
                 QVariant());  // out-of-range rows are answered safely
        ds.EnableControls();
        QCOMPARE(resets.size(), 1);

        ds.Edit();
        ds.FieldByName(QStringLiteral("ADI")).setValue(QStringLiteral("x"));
        ds.Post();
        QCOMPARE(changes.size(), 1);
        ds.Append();
        ds.Post();
        QCOMPARE(inserts.size(), 1);
        QCOMPARE(model.rowCount(), 4);
        model.setDataSet(nullptr);
        QCOMPARE(model.rowCount(), 0);
    }

    void modelOutlivingItsDataSetForgetsIt() {
        DataSetModel model;
        {
            ClientDataSet ds;
            ds.setData(stockRows());
            model.setDataSet(&ds);
            QCOMPARE(model.rowCount(), 3);
        }
        QCOMPARE(model.dataSet(), nullptr);
        QCOMPARE(model.rowCount(), 0);
    }

    void moneyFormats_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        const QString money = QStringLiteral("#,###,##0.00");
        QTest::newRow("thousands") << money << 1234.5 << "tr_TR"
                                   << "1.234,50";
        QTest::newRow("millions negative") << money << -1234567.891 << "tr_TR"
                                           << "-1.234.567,89";
        QTest::newRow("half up from decimal form") << money << 2.675 << "tr_TR"
                                                   << "2,68";
        QTest::newRow("1.005") << money << 1.005 << "tr_TR"
                               << "1,01";
        QTest::newRow("0.125") << money << 0.125 << "tr_TR"
                               << "0,13";
        QTest::newRow("carry") << money << 999.995 << "tr_TR"
                               << "1.000,00";
        QTest::newRow("zero") << money << 0.0 << "tr_TR"
                              << "0,00";
        QTest::newRow("tiny negative is zero") << money << -0.001 << "tr_TR"
                                               << "0,00";
        QTest::newRow("two integer digits") << QStringLiteral("#,###,##00.00") << 5.0 << "tr_TR"
                                            << "05,00";
        QTest::newRow("english") << money << 1234.5 << "en_US"
                                 << "1,234.50";
        QTest::newRow("optional decimals") << QStringLiteral("0.##") << 2.5 << "tr_TR"
                                           << "2,5";
    }
    void moneyFormats() {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QCOMPARE(formatFloat(format, value, QLocale(locale)), expected);
    }

    void displayFormatAppliesToFloatColumns() {
        ClientDataSet ds;
        ds.setLocale(QLocale(QStringLiteral("tr_TR")));
        ds.setData(stockRows());
        ds.setDisplayFormat(2, QStringLiteral("#,###,##0.00"));
        QCOMPARE(ds.displayText(2, 2), QStringLiteral("5.600,25"));
        QCOMPARE(ds.displayText(2, 0), QStringLiteral("30"));
        ds.Last();
        QCOMPARE(ds.FieldByName(QStringLiteral("FIYAT")).DisplayText(), QStringLiteral("5.600,25"));
    }

    void readerRowsIntoTheDataSet() {
        ClientDataSet ds;
        TableReader reader(stockRows());
        CopyReaderToDataSet(reader, ds);
        QCOMPARE(ds.RecordCount(), 3);
        QCOMPARE(ds.FieldByName(QStringLiteral("ADI")).AsString(), QStringLiteral("Yağ Filtresi"));
        QVERIFY(!reader.Next());

        TableReader advanced(stockRows());
        QVERIFY(advanced.Next());  // the first row was read by the caller
        CopyReaderToDataSet(advanced, ds);
        QCOMPARE(ds.RecordCount(), 2);

        DataTable noRows = stockRows();
        noRows.clearRows();
        TableReader empty(noRows);
        CopyReaderToDataSet(empty, ds);
        QCOMPARE(ds.RecordCount(), 0);
        QCOMPARE(ds.FieldCount(), 3);
        QCOMPARE(ds.fieldInfo(2).type, DbxType::Double);
    }

    void streamTakeOver() {
        QByteArray bytes(2048, 'x');
        CountingDevice exact(bytes);
        const auto accepted = ReadResultStream(exact, 2048);
        QVERIFY(accepted.has_value());
        QCOMPARE(*accepted, bytes);
        QCOMPARE(exact.reads, (QList<qint64>{1024, 1024, 0}));

        CountingDevice shortStream(QByteArray(4000, 'y'));
        QVERIFY(!ReadResultStream(shortStream, 5000).has_value());

        CountingDevice nothing(QByteArray(10, 'z'));
        QVERIFY(!ReadResultStream(nothing, 0).has_value());
        QVERIFY(nothing.reads.isEmpty());

        // A stream read before is read again from its start.
        QBuffer used;
        used.setData(QByteArray(1500, 'w'));
        used.open(QIODevice::ReadOnly);
        used.read(700);
        QCOMPARE(ReadResultStream(used, 1500)->size(), 1500);
    }
};

QTEST_GUILESS_MAIN(TestDataSet)
#include "tst_dataset.moc"
