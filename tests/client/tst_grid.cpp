#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

#include "grid.h"
#include "ownrowsview.h"
#include "utils.h"

#include "tables.h"
using namespace zerda;

namespace {

DataTable basket(int rows) {
    DataTable t = tableOf({{"SIRANO", DbxType::Int32},
                           {"SEC", DbxType::Int32},
                           {"STOKADI", DbxType::WideString},
                           {"MARKA", DbxType::WideString},
                           {"TUTAR", DbxType::Double},
                           {"DURUM", DbxType::Int32}});
    const QStringList makes = {QStringLiteral("FIAT"), QStringLiteral("FORD"),
                               QStringLiteral("RENAULT")};
    for (int i = 0; i < rows; ++i) {
        t.column(0).appendInteger(i + 1);
        t.column(1).appendInteger(i % 2);
        t.column(2).appendText(QStringLiteral("Fren Balatası %1").arg(i));
        t.column(3).appendText(makes[i % 3]);
        t.column(4).appendReal(100.25 * (i + 1));
        t.column(5).appendInteger(i % 6);
    }
    t.finishColumns();
    return t;
}

struct Fixture {
    ClientDataSet ds;
    TcxGrid grid{QStringLiteral("cxGrid2"), QStringLiteral("cxGridDBTableView1")};
    TcxGridView* view = grid.view();
    Fixture(int rows = 4) {
        ds.setData(basket(rows));
        FormatAyarla(ds);
        auto* sec = view->addColumn(QStringLiteral("cxGridDBTableView1SEC"), QStringLiteral("SEC"),
                                    QStringLiteral("Seç"), 1);
        sec->kind = GridColumn::Kind::Check;
        view->addColumn(QStringLiteral("cxGridDBTableView1STOKADI"), QStringLiteral("STOKADI"),
                        QStringLiteral("Stok Adı"), 4);
        view->addColumn(QStringLiteral("cxGridDBTableView1MARKA"), QStringLiteral("MARKA"),
                        QStringLiteral("Marka"), 2);
        auto* amount = view->addColumn(QStringLiteral("cxGridDBTableView1TUTAR"),
                                       QStringLiteral("TUTAR"), QStringLiteral("Tutar"), 2);
        amount->summary = GridColumn::Summary::Sum;
        amount->alignment = Qt::AlignRight | Qt::AlignVCenter;
        auto* number = view->addColumn(QStringLiteral("cxGridDBTableView1SIRANO"),
                                       QStringLiteral("SIRANO"), QString(), 1);
        number->setVisible(false);
        number->userMayShow = false;
        auto* state = view->addColumn(QStringLiteral("cxGridDBTableView1DURUM"),
                                      QStringLiteral("DURUM"), QStringLiteral("Durum"), 1);
        state->kind = GridColumn::Kind::Icon;
        state->icons.insert(1, {QIcon(), QStringLiteral("Var")});
        view->addColumn(QStringLiteral("cxGridDBTableView1BILGI"), QString(),
                        QStringLiteral("Bilgi"), 2);
        view->setDataSet(&ds);
        grid.resize(1000, 400);
    }
    QAbstractItemModel* model() { return view->model(); }
};

}  // namespace

class TestGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QStringLiteral("tr_TR"))); }

    void columnsShowTheirFields() {
        Fixture f;
        QCOMPARE(f.model()->rowCount(), 4);
        QCOMPARE(f.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Stok Adı"));
        QCOMPARE(f.model()->index(0, 1).data().toString(), QStringLiteral("Fren Balatası 0"));
        QCOMPARE(f.model()->index(1, 3).data().toString(), QStringLiteral("200,50"));
        QCOMPARE(f.model()->index(1, 3).data(DataSetModel::RawValueRole).toDouble(), 200.5);
        QVERIFY(!f.model()->index(0, 6).data().isValid());  // bound to no field
        QVERIFY(f.view->isColumnHidden(4));
        QCOMPARE(f.model()->index(1, 5).data(Qt::ToolTipRole).toString(), QStringLiteral("Var"));
        QCOMPARE(f.grid.findChild<TcxGridView*>(QStringLiteral("cxGridDBTableView1")), f.view);
        QVERIFY(f.view->findChild<GridColumn*>(QStringLiteral("cxGridDBTableView1TUTAR")));
    }

    void columnChooserOffersOnlyWhatTheUserMayShow() {
        Fixture f;
        QMenu* menu = f.view->columnChooserMenu();
        QStringList offered;
        for (QAction* a : menu->actions())
            offered << a->text();
        QVERIFY(!offered.contains(QString()) && !offered.contains(QStringLiteral("SIRANO")));
        QVERIFY(offered.contains(QStringLiteral("Marka")));
        for (QAction* a : menu->actions())
            if (a->text() == QStringLiteral("Marka"))
                a->setChecked(false);
        QVERIFY(f.view->isColumnHidden(2));
        QVERIFY(!f.view->column(QStringLiteral("cxGridDBTableView1MARKA"))->visible());
        delete menu;
    }

    void headerFilterAndFooter() {
        Fixture f(6);
        f.grid.refreshFooter();
        GridColumn* amount = f.view->column(QStringLiteral("cxGridDBTableView1TUTAR"));
        QCOMPARE(f.grid.footerText(amount), QStringLiteral("2.105,25"));  // 100,25 * (1+...+6)
        QCOMPARE(f.view->filterValues(2),
                 (QStringList{QStringLiteral("FIAT"), QStringLiteral("FORD"),
                              QStringLiteral("RENAULT")}));
        f.view->filter()->setAllowed(2, {QStringLiteral("FORD")});
        QCOMPARE(f.model()->rowCount(), 2);
        QCOMPARE(f.view->dataSetRow(1), 4);
        QCOMPARE(f.view->viewRow(0), -1);
        QCOMPARE(f.grid.footerText(amount), QStringLiteral("701,75"));  // rows 2 and 5
        f.view->filter()->clearAll();
        QCOMPARE(f.model()->rowCount(), 6);
    }

    void tickBoxClickIsReported() {
        Fixture f;
        f.grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
        QSignalSpy toggled(f.view, &TcxGridView::checkToggled);
        const QRect cell = f.view->visualRect(f.model()->index(1, 0));
        QTest::mouseClick(f.view->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(toggled.size(), 1);
        QCOMPARE(toggled[0][0].toInt(), 1);
        QCOMPARE(toggled[0][2].toInt(), 0);  // SEC was 1
    }

    void columnsSizedByWeight() {
        Fixture f;
        f.view->column(QStringLiteral("cxGridDBTableView1MARKA"))->setVisible(false);
        f.view->column(QStringLiteral("cxGridDBTableView1DURUM"))->setVisible(false);
        f.view->column(QStringLiteral("cxGridDBTableView1BILGI"))->setVisible(false);
        f.view->column(QStringLiteral("cxGridDBTableView1STOKADI"))->tag = 2;
        f.view->column(QStringLiteral("cxGridDBTableView1TUTAR"))->tag = 3;
        f.view->sizeColumnsByWeight(1000, true, 1153);
        QCOMPARE(f.view->columnWidth(0), 161);
        QCOMPARE(f.view->columnWidth(1), 322);
        QCOMPARE(f.view->columnWidth(3), 483);
        f.view->sizeColumnsByWeight(1000, true, 1152);  // a narrow screen fits to content
        QVERIFY(f.view->columnWidth(1) != 322);
    }

    void detachAndReattach() {
        Fixture f;
        f.view->setDataSet(nullptr);
        QCOMPARE(f.model()->rowCount(), 0);
        f.ds.setData(basket(9));  // filled while detached
        f.view->setDataSet(&f.ds);
        QCOMPARE(f.model()->rowCount(), 9);
        f.view->setFocusedRow(7);
        QCOMPARE(f.view->focusedRow(), 7);
    }

    void viewHoldingItsOwnRowsWithPictures() {
        TcxGridBandedView view(QStringLiteral("cxGridduyuruBandedDuyuru"));
        view.addColumn(QStringLiteral("RESIM"), QStringLiteral("Resim"),
                       TcxGridBandedView::Kind::Picture, 300);
        view.addColumn(QStringLiteral("BASLIK"), QStringLiteral("Başlık"),
                       TcxGridBandedView::Kind::Text);
        QImage picture(80, 40, QImage::Format_RGB32);
        picture.fill(QColor(200, 30, 30));
        view.BeginUpdate();
        view.appendRow({picture, QStringLiteral("Kış Kampanyası")});
        view.appendRow({QImage(), QStringLiteral("Yeni Ürünler")});
        view.EndUpdate();
        QCOMPARE(view.rowCount(), 2);
        QCOMPARE(view.model()->index(0, 1).data().toString(), QStringLiteral("Kış Kampanyası"));
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QImage shot = view.grab().toImage();
        const QRect cell =
            view.visualRect(view.model()->index(0, 0)).translated(view.viewport()->pos());
        QCOMPARE(shot.pixelColor(cell.center()).red(), 200);  // drawn scaled into its cell
        QSignalSpy clicked(&view, &TcxGridBandedView::rowDoubleClicked);
        const QPoint second = view.visualRect(view.model()->index(1, 1)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          second);  // a double click follows a press
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked[0][0].toInt(), 1);
        view.clearRows();
        QCOMPARE(view.rowCount(), 0);
    }

    void largeDataSetAttachesAndScrollsQuickly() {
        Fixture f(100000);
        f.grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
        f.view->setDataSet(nullptr);
        QElapsedTimer timer;
        timer.start();
        f.view->setDataSet(&f.ds);
        f.view->scrollToBottom();
        f.grid.repaint();
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(f.model()->rowCount(), 100000);
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
