#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "appserverprocess.h"
#include "databasecheck.h"
#include "demosession.h"
#include "grid.h"
#include "mainwindow.h"
#include "mesajgoster.h"
#include "messageboxcloser.h"
#include "sepet.h"
#include "stokayarinti.h"
#include "urunacici.h"
#include "utils.h"

using namespace zerda;

// The basket tab of the main window against the reference server, as the dealer DEMO.
class TestSepet : public QObject {
    Q_OBJECT
    DemoDealer m_demo;
    const TSonucBilgisi& m_session = m_demo.session;

    QString sql(const QString& query) { return m_demo.db->value(query).toString(); }
    int ticked() {
        return m_demo.db
            ->value(QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = %1 AND sec = 1")
                        .arg(m_session.CARINO()))
            .toInt();
    }
    int lines() {
        return m_demo.db
            ->value(QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = %1")
                        .arg(m_session.CARINO()))
            .toInt();
    }

    struct Window {
        TForm1 w;
        QTabWidget* pages;
        TcxGridView* view;
        explicit Window(const TSonucBilgisi& session)
            : pages(w.findChild<QTabWidget*>(QStringLiteral("sPageControl1"))),
              view(w.findChild<TcxGridView*>(QStringLiteral("cxGridDBTableView1"))) {
            w.sbilgi().Kopyala(session);
        }
        QString total(const char* name) const {
            return w.findChild<QLabel*>(QLatin1String(name))->text();
        }
        // Focuses a line in a column of the grid.
        void focus(int row, const char* field) {
            const int column = int(view->gridColumns().indexOf(
                view->column(view->objectName() + QLatin1String(field))));
            view->setCurrentIndex(view->model()->index(row, column));
        }
    };

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_demo.start(300));
        QLocale::setDefault(QLocale(QStringLiteral("tr_TR")));
        closeMessageBoxesAsTheyOpen(this);
    }

    void cleanupTestCase() { m_demo.db.reset(); }

    void init() { MessageBox::resetLog(); }

    void showingLoadsLinesTotalsAndTheWarning() {
        QVERIFY(m_demo.db->execute(
            QStringLiteral(
                "INSERT INTO cari_hareketler (carino, tarih, vade, belge_turu, belgeno, borc) "
                "VALUES (%1, 40000, 40000, 'Fatura', 'ESKI', 1000000)")
                .arg(m_session.CARINO())));
        QVERIFY(m_demo.db->execute(
            QStringLiteral("UPDATE sepet SET sec = 1 WHERE carino = %1").arg(m_session.CARINO())));
        Window win(m_session);
        QSignalSpy warning(&win.w.sepetim(), &Sepet::warningShown);
        win.pages->setCurrentIndex(1);
        QCOMPARE(win.pages->tabText(1), QStringLiteral("%1=Sepet").arg(lines()));
        QVERIFY(lines() > 1);
        QCOMPARE(win.w.sepet.RecordCount(), lines());
        QVERIFY(warning.wait(20000));
        QVERIFY(win.w.findChild<QLabel*>(QStringLiteral("lbluyarbakiye"))
                    ->text()
                    .startsWith(QStringLiteral("Vadesi geçmiş borcunuz var: ")));
        const double gross =
            m_demo.db
                ->value(QStringLiteral("SELECT SUM(ROUND(miktar * fiyat, 2)) FROM sepet "
                                       "WHERE carino = %1")
                            .arg(m_session.CARINO()))
                .toDouble();
        QCOMPARE(win.total("aratoplaml"), formatFloat(kParaBicimi, gross, QLocale()));
    }

    void tickColumnTogglesOtherColumnsOpenTheLine() {
        Window win(m_session);
        win.pages->setCurrentIndex(1);
        const int before = ticked();
        const QString total = win.total("geneltoplaml");
        win.focus(0, "SEC");
        win.w.sepetim().Deitir1Click();
        QCOMPARE(ticked(), before - 1);
        QCOMPARE(win.w.sepet.cell(0, win.w.sepet.FieldIndex(QStringLiteral("SEC"))).toInt(), 0);
        QVERIFY(win.total("geneltoplaml") != total);
        win.w.sepetim().Deitir1Click();
        QCOMPARE(ticked(), before);
        QCOMPARE(win.total("geneltoplaml"), total);

        QSignalSpy opened(&win.w.sepetim(), &Sepet::satirAcilsin);
        connect(win.w.urunAcici(), &UrunAcici::dialogReady,
                [](Tstokayarinti* d) { QTimer::singleShot(0, d, &QDialog::reject); });
        win.focus(0, "STOKADI");
        win.w.sepetim().Deitir1Click();
        QCOMPARE(opened.size(), 1);
    }

    void tickingAllAndNone() {
        Window win(m_session);
        win.pages->setCurrentIndex(1);
        win.w.findChild<QPushButton*>(QStringLiteral("Button5"))->click();
        QCOMPARE(ticked(), 0);
        QCOMPARE(win.total("geneltoplaml"), QStringLiteral("0,00"));
        QCOMPARE(win.pages->tabText(1), QStringLiteral("%1=Sepet").arg(lines()));  // still counted
        win.w.findChild<QPushButton*>(QStringLiteral("Button4"))->click();
        QCOMPARE(ticked(), lines());
    }

    void deletingALineAndTheBasket() {
        Window win(m_session);
        win.pages->setCurrentIndex(1);
        const int before = lines();
        win.focus(0, "STOKADI");
        MessageBox::setNextAnswer(kSonucHayir);
        win.w.sepetim().SatrSil1Click();
        QCOMPARE(lines(), before);
        QCOMPARE(MessageBox::lastMessage()->text, QStringLiteral("Satırı silmek istiyor musunuz "));
        QCOMPARE(MessageBox::lastMessage()->defaultButton, Dugme::Hayir);

        MessageBox::setNextAnswer(kSonucEvet);
        win.w.sepetim().SatrSil1Click();
        QCOMPARE(lines(), before - 1);
        QCOMPARE(MessageBox::lastMessage()->text, QStringLiteral("Satır silindi !"));
        QCOMPARE(win.pages->tabText(1), QStringLiteral("%1=Sepet").arg(before - 1));

        MessageBox::setNextAnswer(kSonucHayir);
        win.w.sepetim().HepsiniSil1Click();
        QCOMPARE(lines(), before - 1);
        MessageBox::setNextAnswer(kSonucEvet);
        win.w.sepetim().HepsiniSil1Click();
        QCOMPARE(lines(), 0);
        QCOMPARE(MessageBox::lastMessage()->text, QStringLiteral("Sepet Silindi !"));

        // An empty basket: 0=Sepet, every total 0,00, and emptying it asks nothing.
        QCOMPARE(win.pages->tabText(1), QStringLiteral("0=Sepet"));
        for (const char* name : {"aratoplaml", "indiriml", "nettutarl", "vergil", "geneltoplaml"})
            QCOMPARE(win.total(name), QStringLiteral("0,00"));
        MessageBox::resetLog();
        win.w.sepetim().HepsiniSil1Click();
        QCOMPARE(MessageBox::shownCount(), 0);
    }
};

QTEST_MAIN(TestSepet)
#include "tst_sepet.moc"
