#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "appserverprocess.h"
#include "calls.h"
#include "databasecheck.h"
#include "demosession.h"
#include "grid.h"
#include "gridexport.h"
#include "mainwindow.h"
#include "mesajgoster.h"
#include "messageboxcloser.h"
#include "onaysip.h"
#include "radiogroup.h"
#include "sepet.h"
#include "siparispaneli.h"
#include "stokayarinti.h"
#include "stoklistesi.h"
#include "urunacici.h"
#include "utils.h"
#include "xlsreadback.h"

using namespace zerda;

namespace {

const QString kDepotWarning =
    QStringLiteral("Ambar teslimatı 2-3 iş günü sürer; ambardan teslim alınız.");

// The entries of the cargo types as the demo has them, in order: 1 "Anlaşmalı Kargo" (three
// companies here), 2 "Alıcı Ödemeli" (two), 3 "Gönderici Ödemeli" (none), 4 "Ambar" (one).
enum CargoType { UcFirma = 0, IkiFirma = 1, FirmaYok = 2, TekFirma = 3 };

// Answers the confirmation window once it is shown and keeps what it said.
struct Confirmation {
    QString summary, warning, caption;
    bool seen = false;
    explicit Confirmation(bool yes) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [this, poll, yes] {
            auto* dialog = qobject_cast<TONAYSIP*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = true;
            summary = dialog->Label2()->text();
            warning = dialog->Label3()->text();
            caption = dialog->windowTitle();
            dialog
                ->findChild<QPushButton*>(yes ? QStringLiteral("Button1")
                                              : QStringLiteral("Button2"))
                ->click();
            poll->deleteLater();
        });
        poll->start(10);
    }
};

}  // namespace

// The order panel of the basket tab against the reference server, as the dealer DEMO.
class TestSiparis : public QObject {
    Q_OBJECT
    DemoDealer m_demo;
    const TSonucBilgisi& m_session = m_demo.session;

    QString carino() const { return QString::number(m_session.CARINO()); }
    int orders() {
        return m_demo.db->value(QStringLiteral("SELECT COUNT(*) FROM siparisler")).toInt();
    }
    QString lastOrder(const QString& columns) {
        return m_demo.db
            ->value(QStringLiteral("SELECT %1 FROM siparisler WHERE siparisno = "
                                   "(SELECT MAX(siparisno) FROM siparisler)")
                        .arg(columns))
            .toString();
    }
    // Two ticked lines of 2 and 5 pieces.
    void basketOfTwo() {
        QVERIFY(m_demo.db->execute(QStringLiteral("DELETE FROM sepet WHERE carino = ") + carino()));
        QVERIFY(m_demo.db->execute(
            QStringLiteral("INSERT INTO sepet (carino, stokno, miktar, fiyat, kdv, sec, verenid, "
                           "tarih) VALUES (%1, 21, 2, 100, 20, 1, %2, 46000), "
                           "(%1, 22, 5, 40, 20, 1, %2, 46000)")
                .arg(carino())
                .arg(m_session.Sirano())));
    }

    struct Window {
        TForm1 w;
        QTabWidget* pages;
        SiparisPaneli& panel;
        TRadioGroup* teslimbox;
        TRadioGroup* boxkargo;
        QComboBox* kargocombo;
        QLabel* uyarikargo;
        QPlainTextEdit* aciklamagir;
        explicit Window(const TSonucBilgisi& session)
            : pages(w.findChild<QTabWidget*>(QStringLiteral("sPageControl1"))),
              panel(w.siparisPaneli()),
              teslimbox(w.findChild<TRadioGroup*>(QStringLiteral("teslimbox"))),
              boxkargo(w.findChild<TRadioGroup*>(QStringLiteral("boxkargo"))),
              kargocombo(w.findChild<QComboBox*>(QStringLiteral("kargocombo"))),
              uyarikargo(w.findChild<QLabel*>(QStringLiteral("uyarikargo"))),
              aciklamagir(w.findChild<QPlainTextEdit*>(QStringLiteral("aciklamagir"))) {
            w.sbilgi().Kopyala(session);
        }
        void showBasket() {
            pages->setCurrentIndex(0);
            pages->setCurrentIndex(1);
        }
        void chooseCargoType(int entry) { boxkargo->button(entry)->click(); }
        QStringList companies() const {
            QStringList out;
            for (int i = 0; i < kargocombo->count(); ++i)
                out << kargocombo->itemText(i);
            return out;
        }
        void send() { w.findChild<QPushButton*>(QStringLiteral("Button1"))->click(); }
    };

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_demo.start(300));
        QLocale::setDefault(QLocale(QStringLiteral("tr_TR")));
        closeMessageBoxesAsTheyOpen(this);
        QVERIFY(m_demo.db->execute(
            QStringLiteral("INSERT INTO kargo_firmalari (id, kargocinsi, adi, uyari) "
                           "VALUES (9, 1, 'Yurtiçi Hat', 'Cumartesi dağıtım yapılmaz.')")));
        QVERIFY(m_demo.db->execute(
            QStringLiteral("DELETE FROM kargo_firmalari WHERE id IN (5, 6, 8)")));
        // A debt long overdue, so the confirmation carries the warning.
        QVERIFY(m_demo.db->execute(
            QStringLiteral(
                "INSERT INTO cari_hareketler (carino, tarih, vade, belge_turu, belgeno, borc) "
                "VALUES (%1, 40000, 40000, 'Fatura', 'ESKI', 1000000)")
                .arg(carino())));
    }

    void cleanupTestCase() { m_demo.db.reset(); }

    void init() {
        MessageBox::resetLog();
        MessageBox::clearNextAnswer();
        basketOfTwo();
    }

    void choicesAreLoadedWithTheTab() {
        Window win(m_session);
        win.showBasket();
        QCOMPARE(win.teslimbox->count(), 4);
        QCOMPARE(win.teslimbox->ItemIndex(), 1);
        QCOMPARE(win.teslimbox->itemText(1), QStringLiteral("Müşteri Teslim Alacak"));
        QCOMPARE(win.teslimbox->itemId(1), 2);
        QCOMPARE(win.boxkargo->count(), 4);
        QCOMPARE(win.boxkargo->ItemIndex(), -1);
        QCOMPARE(win.boxkargo->itemText(3), QStringLiteral("Ambar"));
        QCOMPARE(win.kargocombo->count(), 0);  // companies come with a cargo type
    }

    void companiesOfACargoType_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QStringList>("companies");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("warning");
        QTest::newRow("three") << int(UcFirma)
                               << QStringList{" ", "Kartal Kargo", "Hızlı Lojistik", "Yurtiçi Hat"}
                               << -1 << QString();
        QTest::newRow("two") << int(IkiFirma) << QStringList{" ", "Kartal Kargo", "Marmara Kargo"}
                             << -1 << QString();
        QTest::newRow("none") << int(FirmaYok) << QStringList{" "} << -1 << QString();
        QTest::newRow("one, chosen at once")
            << int(TekFirma) << QStringList{" ", "Anadolu Ambarı"} << 1 << kDepotWarning;
    }
    void companiesOfACargoType() {
        QFETCH(int, entry);
        QFETCH(QStringList, companies);
        QFETCH(int, selected);
        QFETCH(QString, warning);
        Window win(m_session);
        win.showBasket();
        // A warning left from another cargo type goes when a type is chosen.
        win.chooseCargoType(TekFirma);
        QCOMPARE(win.uyarikargo->text(), kDepotWarning);
        if (entry == TekFirma)
            win.chooseCargoType(IkiFirma);
        win.chooseCargoType(entry);
        QCOMPARE(win.companies(), companies);
        QCOMPARE(win.kargocombo->currentIndex(), selected);
        QCOMPARE(win.uyarikargo->text(), warning);
    }

    void choosingACompanyShowsItsWarning() {
        Window win(m_session);
        win.showBasket();
        win.chooseCargoType(UcFirma);
        win.kargocombo->setFocus();
        for (int i = 0; i < 4; ++i)  // from no entry: the blank one, then the companies
            QTest::keyClick(win.kargocombo, Qt::Key_Down);
        QCOMPARE(win.kargocombo->currentText(), QStringLiteral("Yurtiçi Hat"));
        QCOMPARE(win.uyarikargo->text(), QStringLiteral("Cumartesi dağıtım yapılmaz."));
        QTest::keyClick(win.kargocombo, Qt::Key_Up);
        QCOMPARE(win.uyarikargo->text(), QString());
    }

    void sendChecks_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("message");
        QTest::newRow("no line ticked") << "unticked"
                                        << "Gönderilecek Parça Yok ";
        QTest::newRow("empty basket") << "empty"
                                      << "Gönderilecek Parça Yok ";
        QTest::newRow("no delivery option") << "no delivery"
                                            << "Lütfen Teslim Durumu Seçiniz !";
        QTest::newRow("no cargo type") << "no type"
                                       << "Lütfen Kargo Türünü Seçiniz !";
        QTest::newRow("a type without companies") << "no company"
                                                  << "Lütfen Kargo  Seçiniz !";
        QTest::newRow("three companies, none chosen") << "none chosen"
                                                      << "Lütfen Kargo  Seçiniz !";
        QTest::newRow("tab shown again after choosing") << "shown again"
                                                        << "Lütfen Kargo Türünü Seçiniz !";
    }
    void sendChecks() {
        QFETCH(QString, state);
        QFETCH(QString, message);
        if (state == QStringLiteral("unticked"))
            QVERIFY(m_demo.db->execute(QStringLiteral("UPDATE sepet SET sec = 0 WHERE carino = ") +
                                       carino()));
        if (state == QStringLiteral("empty"))
            QVERIFY(
                m_demo.db->execute(QStringLiteral("DELETE FROM sepet WHERE carino = ") + carino()));
        Window win(m_session);
        win.w.show();
        QVERIFY(QTest::qWaitForWindowActive(&win.w));
        win.showBasket();
        if (state == QStringLiteral("no delivery"))
            win.teslimbox->setItemIndex(-1);
        if (state == QStringLiteral("no company"))
            win.chooseCargoType(FirmaYok);
        else if (state == QStringLiteral("none chosen"))
            win.chooseCargoType(UcFirma);
        else if (state != QStringLiteral("no type"))
            win.chooseCargoType(TekFirma);
        if (state == QStringLiteral("shown again")) {
            win.showBasket();
            QCOMPARE(win.boxkargo->ItemIndex(), -1);
            QCOMPARE(win.companies(), (QStringList{" ", "Anadolu Ambarı"}));  // kept
        }
        const int before = orders();
        MessageBox::resetLog();
        MessageBox::setNextAnswer(kSonucTamam);
        win.send();
        QCOMPARE(MessageBox::shownCount(), 1);
        QCOMPARE(MessageBox::lastMessage()->text, message);
        QCOMPARE(MessageBox::lastMessage()->kind, MesajTipi::Uyari);
        QCOMPARE(orders(), before);
        if (message.startsWith(QStringLiteral("Lütfen Kargo  ")))
            QCOMPARE(QApplication::focusWidget(), win.kargocombo);
    }

    void answeringNoSendsNothing() {
        Window win(m_session);
        win.showBasket();
        QSignalSpy warning(&win.w.sepetim(), &Sepet::warningShown);
        QVERIFY(warning.wait(20000));
        win.teslimbox->button(0)->click();
        win.chooseCargoType(TekFirma);
        win.aciklamagir->setPlainText(QStringLiteral("Öğleden önce lütfen"));
        const int before = orders();
        Confirmation answer(false);
        // "Gönder" is the default button: Enter on a choice presses it.
        QTest::keyClick(win.teslimbox->button(0), Qt::Key_Return);
        QVERIFY(answer.seen);
        QCOMPARE(answer.caption, QStringLiteral("Sipariş Onay"));
        const QString total = win.w.findChild<QLabel*>(QStringLiteral("geneltoplaml"))->text();
        QCOMPARE(total, QStringLiteral("480,00"));  // 2 × 100 + 5 × 40, and 20 % VAT
        QCOMPARE(answer.summary, QStringLiteral("Kullanıcı: %1\r\n"
                                                "Cari     : %2\r\n"
                                                "Teslim   : Kargo İle Gönderim\r\n"
                                                "Kargo    : Ambar\r\n"
                                                "Tutar    : 480,00\r\n"
                                                "Kargo    : Anadolu Ambarı\r\n"
                                                "Açıklama : Öğleden önce lütfen")
                                     .arg(m_session.ADI(), m_session.CariAdi()));
        QVERIFY(answer.warning.startsWith(QStringLiteral("Vadesi geçmiş borcunuz var: ")));
        QCOMPARE(orders(), before);
        QCOMPARE(win.aciklamagir->toPlainText(), QStringLiteral("Öğleden önce lütfen"));
        QCOMPARE(MessageBox::shownCount(), 0);
    }

    void emptyNoteIsSentEmpty() {
        Window win(m_session);
        win.showBasket();
        win.chooseCargoType(IkiFirma);
        win.kargocombo->setCurrentIndex(2);
        Q_EMIT win.kargocombo->activated(2);
        Confirmation answer(true);
        MessageBox::setNextAnswer(kSonucTamam);
        const int before = orders();
        win.send();
        QVERIFY(
            answer.summary.endsWith(QStringLiteral("\r\nKargo    : Marmara Kargo\r\nAçıklama : ")));
        QCOMPARE(orders(), before + 1);
        QCOMPARE(lastOrder(QStringLiteral("teslimid || '/' || kargoid || '/' || kargofirmaid || "
                                          "'/' || quote(aciklama)")),
                 QStringLiteral("2/2/4/''"));
    }

    void failedSendKeepsEverything_data() {
        QTest::addColumn<bool>("reachable");
        QTest::newRow("the server answers false") << true;
        QTest::newRow("the server can't be reached") << false;
    }
    void failedSendKeepsEverything() {
        QFETCH(bool, reachable);
        Window win(m_session);
        win.showBasket();
        win.chooseCargoType(TekFirma);
        win.aciklamagir->setPlainText(QStringLiteral("tekrar denenecek"));
        // The lines were unticked elsewhere after this basket was loaded.
        QVERIFY(m_demo.db->execute(QStringLiteral("UPDATE sepet SET sec = 0 WHERE carino = ") +
                                   carino()));
        if (!reachable)
            win.w.bagc().setParam(QStringLiteral("Port"),
                                  QString::number(AppServerProcess::freePort()));
        const int before = orders();
        Confirmation answer(true);
        MessageBox::resetLog();
        if (!reachable)  // the connection message, then the failure
            QTest::ignoreMessage(QtWarningMsg, qPrintable(kBaglantiKurulamiyor));
        win.send();
        QVERIFY(answer.seen);
        QCOMPARE(MessageBox::lastMessage()->text, QStringLiteral("Sipariş Göndermede Hata"));
        QCOMPARE(MessageBox::lastMessage()->kind, MesajTipi::Hata);
        QCOMPARE(MessageBox::shownCount(), 1);
        QCOMPARE(orders(), before);
        QCOMPARE(win.aciklamagir->toPlainText(), QStringLiteral("tekrar denenecek"));
        QCOMPARE(win.boxkargo->ItemIndex(), int(TekFirma));
        QCOMPARE(win.w.sepet.RecordCount(), 2);
    }

    void unreachableServerLeavesTheListsAsTheyWere() {
        Window win(m_session);
        win.showBasket();
        win.chooseCargoType(IkiFirma);
        win.w.bagc().setParam(QStringLiteral("Port"),
                              QString::number(AppServerProcess::freePort()));
        MessageBox::resetLog();
        QTest::ignoreMessage(QtWarningMsg, qPrintable(kBaglantiKurulamiyor));
        win.panel.TeslimKargoGetir();
        QCOMPARE(win.teslimbox->count(), 4);
        QCOMPARE(win.boxkargo->ItemIndex(), int(IkiFirma));
        QTest::ignoreMessage(QtWarningMsg, qPrintable(kBaglantiKurulamiyor));
        win.chooseCargoType(TekFirma);
        QCOMPARE(win.companies(), (QStringList{" ", "Kartal Kargo", "Marmara Kargo"}));
    }

    void basketExportsToExcel() {
        Window win(m_session);
        win.showBasket();
        QTemporaryDir dir;
        setNextSaveFileName(dir.filePath(QStringLiteral("sepet")));
        win.w.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
        const auto rows = readBack(dir.filePath(QStringLiteral("sepet.xls")));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0][0].text, QStringLiteral("Seç"));
        QCOMPARE(rows[1][0].number, 1.0);
    }

    // A dealer finds a part, puts it into the basket, unticks a line, chooses delivery, cargo
    // type and company, writes a note and sends: the server keeps the order.
    void theTypicalRequest() {
        QVERIFY(m_demo.db->execute(QStringLiteral("DELETE FROM sepet WHERE carino = ") + carino()));
        Window win(m_session);
        win.w.resize(1300, 700);
        auto addFromSearch = [&](const QString& code, int pieces) {
            win.w.findChild<QLineEdit*>(QStringLiteral("araedit"))->setText(code);
            QSignalSpy finished(win.w.stokListesi(), &StokListesi::searchFinished);
            win.w.stokListesi()->SpeedButton2Click();
            QVERIFY(finished.wait(20000));
            QCOMPARE(win.w.stok.RecordCount(), 1);
            win.w.findChild<TcxGridView*>(QStringLiteral("cxGrid1DBTableView1"))->setFocusedRow(0);
            QMetaObject::Connection c =
                connect(win.w.urunAcici(), &UrunAcici::dialogReady, [pieces](Tstokayarinti* d) {
                    QTimer::singleShot(0, d, [d, pieces] {
                        d->adet()->setValue(pieces);
                        QTest::keyClick(d->adet(), Qt::Key_Return);
                    });
                });
            win.w.stokListesi()->cxGrid1DBTableView1DblClick();
            disconnect(c);
        };
        addFromSearch(QStringLiteral("ZR100012"), 3);
        addFromSearch(QStringLiteral("ZR100013"), 1);
        win.showBasket();
        QCOMPARE(win.pages->tabText(1), QStringLiteral("2=Sepet"));

        // The second line is unticked from the grid's tick column.
        auto* view = win.w.findChild<TcxGridView*>(QStringLiteral("cxGridDBTableView1"));
        const int tick = int(
            view->gridColumns().indexOf(view->column(view->objectName() + QStringLiteral("SEC"))));
        view->setCurrentIndex(view->model()->index(1, tick));
        win.w.sepetim().Deitir1Click();
        ClientDataSet& sepet = win.w.sepet;
        sepet.First();
        QCOMPARE(sepet.FieldByName(QStringLiteral("STOKNO")).AsInteger(), 12);
        const double amount = sepet.FieldByName(QStringLiteral("TUTAR")).AsFloat();
        const double price = sepet.FieldByName(QStringLiteral("BIRIMFIYAT")).AsFloat();
        const QString total =
            formatFloat(kParaBicimi,
                        IkiHaneYuvarla(sepet.FieldByName(QStringLiteral("NETTUTAR")).AsFloat() +
                                       sepet.FieldByName(QStringLiteral("VERGITUTARI")).AsFloat()),
                        QLocale());
        QCOMPARE(win.w.findChild<QLabel*>(QStringLiteral("geneltoplaml"))->text(), total);

        win.teslimbox->button(0)->click();
        win.chooseCargoType(TekFirma);
        QCOMPARE(win.uyarikargo->text(), kDepotWarning);
        win.aciklamagir->setFocus();
        QTest::keyClicks(win.aciklamagir, QStringLiteral("Saat 10'dan once"));
        QTest::keyClick(win.aciklamagir, Qt::Key_Return);
        win.aciklamagir->insertPlainText(QStringLiteral("teslim, lütfen"));

        const int before = orders();
        Confirmation answer(true);
        MessageBox::setNextAnswer(kSonucTamam);
        win.send();
        QVERIFY(answer.summary.contains(QStringLiteral("\r\nTutar    : ") + total + "\r\n"));
        QCOMPARE(MessageBox::lastMessage()->text, QStringLiteral("Siparişiniz Gönderildi !"));
        QCOMPARE(MessageBox::lastMessage()->kind, MesajTipi::Bilgi);

        QCOMPARE(orders(), before + 1);
        QCOMPARE(lastOrder(QStringLiteral("carino || '/' || teslimid || '/' || kargoid || '/' || "
                                          "kargofirmaid || '/' || verenid || '/' || aciklama")),
                 QStringLiteral("%1/1/4/7/%2/Saat 10'dan once\nteslim, lütfen")
                     .arg(carino())
                     .arg(m_session.Sirano()));
        QCOMPARE(m_demo.db
                     ->value(QStringLiteral("SELECT group_concat(stokno || 'x' || miktar || '@' || "
                                            "fiyat) FROM siparis_satirlari WHERE siparisno = "
                                            "(SELECT MAX(siparisno) FROM siparisler)"))
                     .toString(),
                 QStringLiteral("12x3.0@%1").arg(price));
        QCOMPARE(IkiHaneYuvarla(3 * price), amount);
        // The unticked line stays in the basket; the note is cleared.
        QCOMPARE(win.pages->tabText(1), QStringLiteral("1=Sepet"));
        QCOMPARE(m_demo.db
                     ->value(QStringLiteral("SELECT group_concat(stokno) FROM sepet WHERE "
                                            "carino = ") +
                             carino())
                     .toString(),
                 QStringLiteral("13"));
        QCOMPARE(win.aciklamagir->toPlainText(), QString());
        QCOMPARE(win.w.findChild<QLabel*>(QStringLiteral("geneltoplaml"))->text(),
                 QStringLiteral("0,00"));
        // The server's administrator sees it too.
        QString listing;
        QCOMPARE(m_demo.server->command(
                     {QStringLiteral("orders"), QStringLiteral("--last"), QStringLiteral("1")},
                     &listing),
                 0);
        QVERIFY2(listing.contains(QStringLiteral("Teslim: Kargo İle Gönderim, Kargo: Ambar, "
                                                 "Firma: Anadolu Ambarı\n")),
                 qPrintable(listing));
        QVERIFY(listing.contains(QStringLiteral("  ZR100012 ")));
        QVERIFY(listing.contains(QStringLiteral(": 3 x ")));
        QVERIFY(listing.contains(QStringLiteral("veren=DEMO")));
    }
};

QTEST_MAIN(TestSiparis)
#include "tst_siparis.moc"
