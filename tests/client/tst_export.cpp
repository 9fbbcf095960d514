#include <QTemporaryDir>
#include <QtTest>

#include "grid.h"
#include "gridexport.h"
#include "utils.h"
#include "xlswriter.h"

#include "tables.h"
#include "xlsreadback.h"
using namespace zerda;

namespace {

bool isNumber(const Cell& c) {
    return c.type == FREEXL_CELL_INT || c.type == FREEXL_CELL_DOUBLE;
}

DataTable orderLines() {
    return tableOf({{"SIRANO", DbxType::Int32},
                    {"STOKADI", DbxType::WideString},
                    {"TUTAR", DbxType::Double},
                    {"TARIH", DbxType::Date},
                    {"ZAMAN", DbxType::DateTime},
                    {"GIZLI", DbxType::WideString}},
                   {{1, QStringLiteral("FREN BALATASI ÖN ŞĞÜİ"), 1234.5, QDate(2026, 11, 30),
                     QDateTime(QDate(2026, 11, 30), QTime(14, 30)), QStringLiteral("x")},
                    {2, QVariant(), 0.25, QVariant(), QVariant(), QStringLiteral("y")},
                    {3, QStringLiteral("Yağ Filtresi"), -10.0, QDate(2024, 2, 29),
                     QDateTime(QDate(2024, 2, 29), QTime(8, 5)), QStringLiteral("z")}});
}

}  // namespace

class TestExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void gridReadsBackWithValuesAndTypes() {
        ClientDataSet ds;
        ds.setData(orderLines());
        FormatAyarla(ds);
        TcxGrid grid(QStringLiteral("cxGrid2"), QStringLiteral("cxGridDBTableView1"));
        TcxGridView* view = grid.view();
        view->addColumn(QStringLiteral("c1"), QStringLiteral("SIRANO"), QStringLiteral("Sıra"));
        view->addColumn(QStringLiteral("c2"), QStringLiteral("STOKADI"),
                        QStringLiteral("Stok Adı"));
        view->addColumn(QStringLiteral("c3"), QStringLiteral("TUTAR"), QStringLiteral("Tutar"));
        view->addColumn(QStringLiteral("c4"), QStringLiteral("TARIH"), QStringLiteral("Tarih"));
        view->addColumn(QStringLiteral("c5"), QStringLiteral("ZAMAN"), QStringLiteral("Saat"));
        view->addColumn(QStringLiteral("c6"), QStringLiteral("GIZLI"), QStringLiteral("Gizli"))
            ->setVisible(false);
        view->setDataSet(&ds);

        QTemporaryDir dir;
        setNextSaveFileName(dir.filePath(QStringLiteral("sepet.xlsx")));
        const QString written = excelKaydet(nullptr, view);
        QCOMPARE(written, dir.filePath(QStringLiteral("sepet.xls")));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("sepet.xlsx"))));

        const auto rows = readBack(written);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0].size(), 5);  // the hidden column is left out
        QStringList captions;
        for (const Cell& c : rows[0])
            captions << c.text;
        QCOMPARE(captions, (QStringList{"Sıra", "Stok Adı", "Tutar", "Tarih", "Saat"}));
        QVERIFY(isNumber(rows[1][0]) && rows[1][0].number == 1);
        QCOMPARE(rows[1][1].text, QStringLiteral("FREN BALATASI ÖN ŞĞÜİ"));
        QVERIFY(isNumber(rows[1][2]));
        QCOMPARE(rows[1][2].number, 1234.5);
        QCOMPARE(rows[1][3].type, FREEXL_CELL_DATE);
        QCOMPARE(rows[1][3].text, QStringLiteral("2026-11-30"));
        QCOMPARE(rows[1][4].type, FREEXL_CELL_DATETIME);
        QVERIFY(rows[1][4].text.startsWith(QStringLiteral("2026-11-30 14:30")));
        QCOMPARE(rows[2][1].type, FREEXL_CELL_NULL);
        QCOMPARE(rows[2][3].type, FREEXL_CELL_NULL);
        QCOMPARE(rows[3][2].number, -10.0);
        QCOMPARE(rows[3][3].text, QStringLiteral("2024-02-29"));
    }

    void filteredRowsAreWhatIsExported() {
        ClientDataSet ds;
        ds.setData(orderLines());
        TcxGrid grid(QStringLiteral("g"), QStringLiteral("v"));
        grid.view()->addColumn(QStringLiteral("c1"), QStringLiteral("SIRANO"),
                               QStringLiteral("Sıra"));
        grid.view()->setDataSet(&ds);
        grid.view()->filter()->setAllowed(0, {QStringLiteral("3")});
        QTemporaryDir dir;
        exportGridToExcel(grid.view(), dir.filePath(QStringLiteral("a.xls")));
        const auto rows = readBack(dir.filePath(QStringLiteral("a.xls")));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1][0].number, 3.0);
    }

    void cancellingWritesNothing() {
        ClientDataSet ds;
        TcxGrid grid(QStringLiteral("g"), QStringLiteral("v"));
        setNextSaveFileName(QString());
        QCOMPARE(excelKaydet(nullptr, grid.view()), QString());
    }

    void unwritableFolderIsAnError() {
        XlsWorkbook book;
        book.addColumn(QStringLiteral("a"), XlsWorkbook::Kind::Text);
        QVERIFY_THROWS_EXCEPTION(Error, book.save(QStringLiteral("/yok/klasor/dosya.xls")));
    }

    void tooManyRowsForTheFormat() {
        XlsWorkbook book;
        book.addColumn(QStringLiteral("a"), XlsWorkbook::Kind::Number);
        for (int i = 0; i < XlsWorkbook::kMaxRows; ++i)
            book.addRow({i});
        QVERIFY_THROWS_EXCEPTION(Error, book.workbookStream());
    }

    void extensionIsReplaced_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("xlsx") << "/tmp/a/rapor.xlsx"
                              << "/tmp/a/rapor.xls";
        QTest::newRow("xls") << "/tmp/a/rapor.xls"
                             << "/tmp/a/rapor.xls";
        QTest::newRow("none") << "/tmp/a/rapor"
                              << "/tmp/a/rapor.xls";
        QTest::newRow("other") << "/tmp/a/rapor.txt"
                               << "/tmp/a/rapor.xls";
    }
    void extensionIsReplaced() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QCOMPARE(xlsPath(chosen), written);
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
