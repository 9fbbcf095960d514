#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "appserverprocess.h"
#include "beklesin.h"
#include "databasecheck.h"
#include "demosession.h"
#include "grid.h"
#include "identity.h"
#include "mainwindow.h"
#include "mesajgoster.h"
#include "proxim.h"
#include "settings.h"
#include "stoklistesi.h"

using namespace zerda;

// The stock list tab of the main window, searching the reference server as the dealer DEMO.
class TestStokListesi : public QObject {
    Q_OBJECT
    DemoDealer m_demo;
    const TSonucBilgisi& m_session = m_demo.session;

    struct Window {
        TForm1 w;
        StokListesi& list;
        QLineEdit* araedit;
        TcxGrid* grid;
        explicit Window(const TSonucBilgisi& session)
            : list(*w.stokListesi()),
              araedit(w.findChild<QLineEdit*>(QStringLiteral("araedit"))),
              grid(w.findChild<TcxGrid*>(QStringLiteral("cxGrid1"))) {
            w.sbilgi().Kopyala(session);
        }
        QString caption() const {
            return w.findChild<QTabWidget*>(QStringLiteral("sPageControl1"))->tabText(0);
        }
        GridColumn* column(const char* field) const {
            return grid->view()->column(QStringLiteral("cxGrid1DBTableView1") +
                                        QLatin1String(field));
        }
        bool search(const QString& text) {
            araedit->setText(text);
            QSignalSpy finished(&list, &StokListesi::searchFinished);
            QTest::keyClick(araedit, Qt::Key_Return);
            return finished.wait(20000) && !finished.last().at(0).toBool();
        }
    };

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_demo.start(1000)); }

    void cleanupTestCase() { m_demo.db.reset(); }

    void init() { MessageBox::resetLog(); }

    void keyFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("lower-case Turkish letters") << "şöğüç"
                                                    << "SOGUC";
        QTest::newRow("upper-case Turkish letters") << "ŞÖĞÜÇ"
                                                    << "SOGUC";
        QTest::newRow("dotless and dotted capital i") << "ıİ"
                                                      << "II";
        QTest::newRow("a code") << "zr-10"
                                << "ZR-10";
    }
    void keyFilter() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Window win(m_session);
        for (QChar c : typed) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(win.araedit, &press);
        }
        QCOMPARE(win.araedit->text(), shown);
        QCOMPARE(StokListesi::aramaHarfi(u'i'), QChar(u'i'));
    }

    void pastedTextIsNotRewritten() {
        Window win(m_session);
        QApplication::clipboard()->setText(QStringLiteral("şö"));
        win.araedit->paste();
        QCOMPARE(win.araedit->text(), QStringLiteral("ŞÖ"));
    }

    void searchFillsTheGrid() {
        Window win(m_session);
        win.w.findChild<QTabWidget*>(QStringLiteral("sPageControl1"))->setCurrentIndex(2);
        QVERIFY(win.search(QStringLiteral("FREN DISKI")));
        const int expected =
            m_demo.db
                ->value(QStringLiteral("SELECT COUNT(*) FROM stoklar WHERE adi LIKE '%FREN DİSKİ%' "
                                       "OR digeradi LIKE '%FREN DİSKİ%'"))
                .toInt();
        QVERIFY(expected > 0);
        QCOMPARE(win.w.stok.RecordCount(), expected);
        QCOMPARE(win.caption(), QStringLiteral("%1=Stok Listesi").arg(expected));
        QCOMPARE(win.w.findChild<QTabWidget*>(QStringLiteral("sPageControl1"))->currentIndex(), 0);
        QCOMPARE(win.grid->view()->dataSet(), &win.w.stok);
        QCOMPARE(win.grid->view()->model()->rowCount(), expected);
        QCOMPARE(win.grid->footerText(win.column("OEM1")), QString::number(expected));
        QVERIFY(win.araedit->isEnabled());
        QCOMPARE(win.araedit->selectedText(), QStringLiteral("FREN DISKI"));
        QVERIFY(win.w.findChild<QWidget*>(QStringLiteral("gifstokara"))->isHidden());
        QCOMPARE(win.w.stok.displayFormat(win.w.stok.FieldIndex(QStringLiteral("NETFIYAT"))),
                 QStringLiteral("#,###,##0.00"));
        QCOMPARE(MessageBox::shownCount(), 0);
    }

    void nothingFoundIsNoFailure() {
        Window win(m_session);
        QVERIFY(win.search(QString()));  // sent as it is: nothing is found
        QCOMPARE(win.w.stok.RecordCount(), 0);
        QCOMPARE(win.caption(), QStringLiteral("0=Stok Listesi"));
    }

    void enterTwiceStartsOneSearch() {
        Window win(m_session);
        win.araedit->setText(QStringLiteral("BALATA"));
        QSignalSpy started(&win.list, &StokListesi::searchStarted);
        QSignalSpy finished(&win.list, &StokListesi::searchFinished);
        QTest::keyClick(win.araedit, Qt::Key_Return);
        QTest::keyClick(win.araedit, Qt::Key_Return);
        win.list.SpeedButton2Click();
        // "Temizle" during the search does nothing either.
        win.list.SpeedButton1Click();
        QCOMPARE(win.araedit->text(), QStringLiteral("BALATA"));
        QVERIFY(!win.araedit->isEnabled());
        QVERIFY(!win.w.findChild<QWidget*>(QStringLiteral("gifstokara"))->isHidden());
        QVERIFY(finished.wait(20000));
        QCOMPARE(started.size(), 1);
        QCOMPARE(started.first().at(0).toString(), QStringLiteral("BALATA"));

        win.list.SpeedButton1Click();
        QCOMPARE(win.araedit->text(), QString());
        QCOMPARE(win.w.stok.RecordCount(), 0);
        QCOMPARE(win.caption(), QStringLiteral("Stok Listesi"));
    }

    void failedSearchEmptiesTheList() {
        Window win(m_session);
        QVERIFY(win.search(QStringLiteral("BALATA")));
        QVERIFY(win.w.stok.RecordCount() > 0);
        win.w.bagc().setParam(QStringLiteral("Port"),
                              QString::number(AppServerProcess::freePort()));
        MessageBox::setNextAnswer(kSonucTamam);
        QVERIFY(!win.search(QStringLiteral("BALATA")));
        QCOMPARE(win.w.stok.RecordCount(), 0);
        QCOMPARE(win.caption(), QStringLiteral("Stok Listesi"));
        QCOMPARE(MessageBox::shownCount(), 1);
        QCOMPARE(MessageBox::lastMessage()->text,
                 QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
        QCOMPARE(MessageBox::lastMessage()->kind, MesajTipi::Hata);
        QVERIFY(win.araedit->isEnabled());
    }

    void layoutByWidth_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("wide");
        QTest::newRow("1152: narrow") << 1152 << false;
        QTest::newRow("1153: wide") << 1153 << true;
    }
    void layoutByWidth() {
        QFETCH(int, width);
        QFETCH(bool, wide);
        Window win(m_session);
        win.w.resize(width, 700);
        win.w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win.w));
        QCOMPARE(win.w.width(), width);
        win.column("OEM1")->setVisible(true);
        win.list.StokKolonlariAyarla();
        TcxGridView* view = win.grid->view();
        for (const char* price : {"LISTEFIYAT1", "KAMPFIYAT", "NETFIYAT", "KDVDAHIL"})
            QCOMPARE(win.column(price)->visible(), wide);
        QCOMPARE(win.column("FiyatBilgisi")->visible(), !wide);
        QCOMPARE(view->verticalHeader()->defaultSectionSize(), wide ? 50 : 100);
        int weights = 0;
        for (const GridColumn* c : view->visibleColumns())
            weights += c->tag;
        const int unit = (win.grid->width() - 30) / weights;
        auto width_of = [&](const char* field) {
            return view->columnWidth(int(view->gridColumns().indexOf(win.column(field))));
        };
        QCOMPARE(width_of("ADI"), 4 * unit);
        QCOMPARE(width_of("OEM1"), wide ? 2 * unit : 80);
        if (!wide)
            QCOMPARE(width_of("FiyatBilgisi"), 150);
    }

    void priceCellText() {
        QLocale::setDefault(QLocale(QStringLiteral("tr_TR")));
        const QString three = StokListesi::fiyatBilgisiMetni(1234.5, 0, 1000, 1200);
        const QString four = StokListesi::fiyatBilgisiMetni(100, 12.5, 10, 12);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(three, QStringLiteral("Liste Fiyatı: 1.234,50\r\nNetFiyat: 1.000,00\r\n"
                                       "KDV li Fiyat: 1.200,00\r\n"));
        const QStringList lines = four.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);  // four lines, each ended
        QCOMPARE(lines[1], QStringLiteral("Kampanyalı Fiyat: 12,50"));
    }
};

QTEST_MAIN(TestStokListesi)
#include "tst_stoklistesi.moc"
