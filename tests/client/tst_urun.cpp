#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include "appserverprocess.h"
#include "asyncresim.h"
#include "calls.h"
#include "databasecheck.h"
#include "demosession.h"
#include "grid.h"
#include "identity.h"
#include "mainwindow.h"
#include "mesajgoster.h"
#include "proxim.h"
#include "sepet.h"
#include "settings.h"
#include "stokayarinti.h"
#include "stoklistesi.h"
#include "urunacici.h"
#include "urunlistesi.h"
#include "utils.h"

using namespace zerda;

namespace {

// One list row as the product lists give it.
struct Row {
    int stokno;
    double fiyat, kdv, k;
    QList<double> rates;
    QString ratesText;
};

void fillList(ClientDataSet& list, const QList<Row>& rows) {
    list.Close();
    for (const auto& [name, type] : {std::pair{"STOK_STOKNO", DbxType::Int32},
                                     {"BARKOD", DbxType::WideString},
                                     {"ADI", DbxType::WideString},
                                     {"MARKA", DbxType::WideString},
                                     {"FINISHKOD", DbxType::WideString},
                                     {"MODEL", DbxType::WideString},
                                     {"KDV", DbxType::Double},
                                     {"FIYAT", DbxType::Double},
                                     {"K", DbxType::Double},
                                     {"IND1", DbxType::Double},
                                     {"IND2", DbxType::Double},
                                     {"IND3", DbxType::Double},
                                     {"IND4", DbxType::Double},
                                     {"INDIRIMYAZI", DbxType::WideString},
                                     {"KDVDAHIL", DbxType::Double}})
        list.addField(QLatin1String(name), type);
    list.CreateDataSet();
    for (const Row& r : rows) {
        list.Append();
        list.FieldByName(QStringLiteral("STOK_STOKNO")).setValue(r.stokno);
        list.FieldByName(QStringLiteral("BARKOD"))
            .setValue(QStringLiteral("ZR%1").arg(100000 + r.stokno));
        list.FieldByName(QStringLiteral("ADI")).setValue(QStringLiteral("PARÇA %1").arg(r.stokno));
        list.FieldByName(QStringLiteral("KDV")).setValue(r.kdv);
        list.FieldByName(QStringLiteral("FIYAT")).setValue(r.fiyat);
        list.FieldByName(QStringLiteral("K")).setValue(r.k);
        for (int i = 0; i < 4; ++i)
            list.FieldByName(QStringLiteral("IND%1").arg(i + 1)).setValue(r.rates.value(i));
        list.FieldByName(QStringLiteral("INDIRIMYAZI")).setValue(r.ratesText);
        list.Post();
    }
}

}  // namespace

// The product dialog, its pricing and its modes, and the way from a list into the basket, against
// the reference server as the dealer DEMO.
class TestUrun : public QObject {
    Q_OBJECT
    DemoDealer m_demo;
    const TSonucBilgisi& m_session = m_demo.session;

    int basketLines(int stokno) {
        return m_demo.db
            ->value(QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = %1 AND stokno = %2")
                        .arg(m_session.CARINO())
                        .arg(stokno))
            .toInt();
    }

    // Opens the product of the list's row in the window's opener; `answer` runs on the shown
    // dialog, which then closes with OK or Cancel.
    static void open(UrunAcici& opener, UrunAcici::Mod mode, ClientDataSet& list, int stokno,
                     const std::function<bool(Tstokayarinti&)>& answer) {
        QMetaObject::Connection c =
            QObject::connect(&opener, &UrunAcici::dialogReady, [&](Tstokayarinti* dialog) {
                QTimer::singleShot(0, dialog, [dialog, &answer] {
                    if (answer(*dialog))
                        dialog->accept();
                    else
                        dialog->reject();
                });
            });
        opener.UrunuAc(mode, list, stokno);
        QObject::disconnect(c);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_demo.start(500));
        QLocale::setDefault(QLocale(QStringLiteral("tr_TR")));
    }

    void cleanupTestCase() { m_demo.db.reset(); }

    void pricing_data() {
        QTest::addColumn<double>("price");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QList<double>>("rates");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("withVat");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("discountShown");
        const QList<double> tenFive{10, 5, 0, 0};
        QTest::newRow("one piece") << 100.0 << 1 << tenFive << "14,50"
                                   << "102,60"
                                   << "102,60" << true;
        QTest::newRow("three pieces") << 100.0 << 3 << tenFive << "43,50"
                                      << "102,60"
                                      << "307,80" << true;
        QTest::newRow("a rate of 1 lowers the price, shows no row")
            << 100.0 << 1 << QList<double>{1, 0, 0, 0} << "1,00"
            << "118,80"
            << "118,80" << false;
        QTest::newRow("a negative rate is skipped but counted")
            << 100.0 << 1 << QList<double>{-5, 3, 0, 0} << "3,00"
            << "116,40"
            << "116,40" << false;
        QTest::newRow("no price") << 0.0 << 2 << tenFive << "0,00"
                                  << "0,00"
                                  << "0,00" << true;
    }
    void pricing() {
        QFETCH(double, price);
        QFETCH(int, quantity);
        QFETCH(QList<double>, rates);
        QFETCH(QString, discount);
        QFETCH(QString, withVat);
        QFETCH(QString, amount);
        QFETCH(bool, discountShown);
        Tstokayarinti dialog(nullptr);
        dialog.kdvoran = 20;
        dialog.box("birimfiyat")->setValue(price);
        for (int i = 0; i < 4; ++i)
            dialog.box(QStringLiteral("edindirim%1").arg(i + 1).toLatin1().constData())
                ->setValue(rates[i]);
        dialog.adet()->setValue(quantity);
        dialog.show();
        QCOMPARE(dialog.box("indtutar")->text(), discount);
        QCOMPARE(dialog.box("kdvdahiltutar")->text(), withVat);
        QCOMPARE(dialog.box("geneltutar")->text(), amount);
        QCOMPARE(dialog.box("indtutar")->isVisible(), discountShown);
        QCOMPARE(dialog.label("indirimoran")->isVisible(), discountShown);
        // A new quantity is worked out at once; the row stays as it was decided.
        dialog.adet()->setValue(quantity + 1);
        QCOMPARE(dialog.box("indtutar")->isVisible(), discountShown);
    }

    void discountStep() {
        const TIndirimSonucu r = Tstokayarinti::IndirimHesapla(300, 10, 5, 0, 0, 3);
        QCOMPARE(double(r.IndirimTutari), 43.5);
        QCOMPARE(double(r.NetTutari), 256.5);
        QCOMPARE(double(r.NetBirimFiyati), 85.5);
        QCOMPARE(double(Tstokayarinti::IndirimHesapla(300, 10, 0, 0, 0, 0).NetBirimFiyati), 0.0);
    }

    void dialogByMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("k");
        QTest::addColumn<int>("customerType");
        QTest::addColumn<QString>("priceCaption");
        QTest::addColumn<QString>("discountCaption");
        QTest::addColumn<QString>("price");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<bool>("ratesShown");
        using M = UrunAcici::Mod;
        QTest::newRow("stock list") << int(M::Stok) << 0.0 << 3 << "Fiyat:"
                                    << "İndirim: %10 + 5"
                                    << "100,00" << false << false;
        QTest::newRow("stock list, campaign") << int(M::Stok) << 1.0 << 3 << "Kampanyalı Fiyat:"
                                              << "Kampanyalı 10 + 5"
                                              << "100,00" << false << false;
        QTest::newRow("stock list, K below 0") << int(M::Stok) << -1.0 << 3 << "Fiyat:"
                                               << "İndirim:"
                                               << "0,00" << false << false;
        QTest::newRow("stock list, salesperson") << int(M::Stok) << 0.0 << 2 << "Fiyat:"
                                                 << "İndirim: %10 + 5"
                                                 << "100,00" << true << true;
        QTest::newRow("new products") << int(M::Yeni) << 0.0 << 3 << "Fiyat:"
                                      << "İndirim:  % 10 + 5"
                                      << "100,00" << false << false;
        QTest::newRow("new products, campaign") << int(M::Yeni) << 1.0 << 3 << "Kampanyalı Fiyat:"
                                                << "Kampanyalı 10 + 5"
                                                << "100,00" << false << false;
        QTest::newRow("campaign list, salesperson")
            << int(M::Kampanya) << 1.0 << 1 << "Kampanyalı Fiyat:"
            << "Kampanyalı 10 + 5"
            << "100,00" << true << false;
    }
    void dialogByMode() {
        QFETCH(int, mode);
        QFETCH(double, k);
        QFETCH(int, customerType);
        QFETCH(QString, priceCaption);
        QFETCH(QString, discountCaption);
        QFETCH(QString, price);
        QFETCH(bool, editable);
        QFETCH(bool, ratesShown);
        TForm1 w;
        w.sbilgi().Kopyala(m_session);
        w.sbilgi().setMusteriTipi(customerType);
        ClientDataSet list;
        fillList(list, {{7, 100, 20, k, {10, 5, 0, 0}, QStringLiteral("10 + 5")}});
        const int before = basketLines(7);
        QVERIFY(
            m_demo.db->execute(QStringLiteral("DELETE FROM sepet WHERE carino = %1 AND stokno = 7")
                                   .arg(m_session.CARINO())));
        bool seen = false;
        open(*w.urunAcici(), UrunAcici::Mod(mode), list, 7, [&](Tstokayarinti& d) {
            seen = true;
            [&] {
                QCOMPARE(d.label("Label2")->text(), priceCaption);
                QCOMPARE(d.label("indirimoran")->text(), discountCaption);
                QCOMPARE(d.box("birimfiyat")->text(), price);
                QCOMPARE(!d.box("birimfiyat")->isReadOnly(), editable);
                QCOMPARE(!d.box("edindirim2")->isReadOnly(), editable);
                QCOMPARE(d.findChild<QWidget*>(QStringLiteral("GridPanel2"))->isVisible(),
                         ratesShown);
                QCOMPARE(d.label("adi")->text(), QStringLiteral("PARÇA 7"));
                QCOMPARE(d.adet()->value(), 1);
                QCOMPARE(d.stokno(), 7);
            }();
            return false;  // "Vazgeç": nothing is sent
        });
        QVERIFY(seen);
        QCOMPARE(basketLines(7), 0);
        Q_UNUSED(before);
    }

    void fromTheStockListIntoTheBasket() {
        TForm1 w;
        w.sbilgi().Kopyala(m_session);
        w.resize(1300, 700);
        QVERIFY(m_demo.db->execute(
            QStringLiteral("DELETE FROM sepet WHERE carino = %1").arg(m_session.CARINO())));
        QLineEdit* search = w.findChild<QLineEdit*>(QStringLiteral("araedit"));
        search->setText(QStringLiteral("ZR100012"));
        QSignalSpy finished(w.stokListesi(), &StokListesi::searchFinished);
        w.stokListesi()->SpeedButton2Click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(w.stok.RecordCount(), 1);
        TcxGridView* view = w.findChild<TcxGridView*>(QStringLiteral("cxGrid1DBTableView1"));
        view->setFocusedRow(0);

        // Added with three pieces: the basket is reloaded with its caption and totals.
        QMetaObject::Connection c =
            connect(w.urunAcici(), &UrunAcici::dialogReady, [](Tstokayarinti* d) {
                QTimer::singleShot(0, d, [d] {
                    d->adet()->setValue(3);
                    QTest::keyClick(d->adet(), Qt::Key_Return);  // Enter closes with OK
                });
            });
        w.stokListesi()->cxGrid1DBTableView1DblClick();
        disconnect(c);
        QCOMPARE(basketLines(12), 1);
        auto* pages = w.findChild<QTabWidget*>(QStringLiteral("sPageControl1"));
        QCOMPARE(pages->tabText(1), QStringLiteral("1=Sepet"));
        QCOMPARE(w.sepet.FieldByName(QStringLiteral("MIKTAR")).AsFloat(), 3.0);
        const double net = w.sepet.FieldByName(QStringLiteral("NETTUTAR")).AsFloat();
        const double vat = w.sepet.FieldByName(QStringLiteral("VERGITUTARI")).AsFloat();
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("geneltoplaml"))->text(),
                 formatFloat(kParaBicimi, IkiHaneYuvarla(net + vat), QLocale()));

        // The same item again opens its basket line, with its quantity, and changes it.
        int shownQuantity = 0;
        c = connect(w.urunAcici(), &UrunAcici::dialogReady, [&](Tstokayarinti* d) {
            QTimer::singleShot(0, d, [d, &shownQuantity] {
                shownQuantity = d->adet()->value();
                d->adet()->setValue(4);
                d->findChild<QPushButton*>(QStringLiteral("ParcaliTus1"))->click();
            });
        });
        w.stokListesi()->cxGrid1DBTableView1DblClick();
        disconnect(c);
        QCOMPARE(shownQuantity, 3);
        QCOMPARE(basketLines(12), 1);
        QCOMPARE(
            m_demo.db
                ->value(QStringLiteral("SELECT miktar FROM sepet WHERE carino = %1 AND stokno = 12")
                            .arg(m_session.CARINO()))
                .toDouble(),
            4.0);
        QCOMPARE(w.sepet.FieldByName(QStringLiteral("MIKTAR")).AsFloat(), 4.0);
    }

    void picturesOfTheDialog() {
        TForm1 w;
        w.sbilgi().Kopyala(m_session);
        const int with =
            m_demo.db->value(QStringLiteral("SELECT MIN(stokno) FROM stok_resimleri")).toInt();
        const int without =
            m_demo.db
                ->value(QStringLiteral("SELECT MIN(stokno) FROM stoklar WHERE stokno NOT IN "
                                       "(SELECT stokno FROM stok_resimleri)"))
                .toInt();
        MessageBox::resetLog();
        Tstokayarinti dialog(nullptr, with);
        w.urunAcici()->ResimGetir(with, dialog);
        const QPixmap server = dialog.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap();
        QVERIFY(!server.isNull());
        QSignalSpy loaded(dialog.asyncResim(), &TAsyncResim::loaded);
        dialog.show();
        QVERIFY(loaded.wait(10000));
        QCOMPARE(loaded.first().at(0).toBool(), true);

        Tstokayarinti empty(nullptr, without);
        w.urunAcici()->ResimGetir(without, empty);
        QVERIFY(empty.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
        QCOMPARE(MessageBox::shownCount(), 0);
    }

    void newAndCampaignTabs() {
        TForm1 w;
        w.sbilgi().Kopyala(m_session);
        auto* pages = w.findChild<QTabWidget*>(QStringLiteral("sPageControl1"));
        const int fresh =
            m_demo.db->value(QStringLiteral("SELECT COUNT(*) FROM stoklar WHERE yeni = 1")).toInt();
        const int campaign =
            m_demo.db->value(QStringLiteral("SELECT COUNT(*) FROM stoklar WHERE kampanyali = 1"))
                .toInt();
        QSignalSpy freshLoads(w.yeniler(), &UrunListesi::loadFinished);
        QSignalSpy campaignLoads(w.kampanyalilar(), &UrunListesi::loadFinished);
        // Every showing loads the list again.
        for (int showing = 1; showing <= 2; ++showing) {
            pages->setCurrentIndex(4);
            QVERIFY(!w.findChild<QWidget*>(QStringLiteral("cxGrid6"))->isEnabled());
            QVERIFY(freshLoads.wait(20000));
            QCOMPARE(freshLoads.size(), showing);
            pages->setCurrentIndex(0);
        }
        QCOMPARE(pages->tabText(4), QStringLiteral("%1=Yeni Stoklar").arg(fresh));
        QCOMPARE(w.YENILER.RecordCount(), fresh);
        QVERIFY(w.findChild<QWidget*>(QStringLiteral("cxGrid6"))->isEnabled());
        QVERIFY(w.findChild<QWidget*>(QStringLiteral("gifyeniler"))->isHidden());

        pages->setCurrentIndex(5);
        QVERIFY(campaignLoads.wait(20000));
        QCOMPARE(campaignLoads.last().at(0).toBool(), false);
        QCOMPARE(pages->tabText(5), QStringLiteral("%1=Kampanyalı").arg(campaign));

        // A double-click opens the focused row in the campaign mode.
        QVERIFY(m_demo.db->execute(
            QStringLiteral("DELETE FROM sepet WHERE carino = %1").arg(m_session.CARINO())));
        w.findChild<TcxGridView*>(QStringLiteral("cxGridDBTableViewkampanyali"))->setFocusedRow(0);
        QString caption;
        QMetaObject::Connection c =
            connect(w.urunAcici(), &UrunAcici::dialogReady, [&](Tstokayarinti* d) {
                caption = d->label("Label2")->text();
                QTimer::singleShot(0, d, &QDialog::reject);
            });
        w.kampanyalilar()->DblClick();
        disconnect(c);
        QCOMPARE(caption, QStringLiteral("Kampanyalı Fiyat:"));

        // Server down: the list keeps what it had, the message comes once.
        w.bagc().setParam(QStringLiteral("Port"), QString::number(AppServerProcess::freePort()));
        MessageBox::resetLog();
        MessageBox::setNextAnswer(kSonucTamam);
        pages->setCurrentIndex(4);
        QVERIFY(freshLoads.wait(20000));
        QCOMPARE(freshLoads.last().at(0).toBool(), true);
        QCOMPARE(MessageBox::shownCount(), 1);
        QCOMPARE(MessageBox::lastMessage()->text, kBaglantiKurulamiyor);
        QCOMPARE(w.YENILER.RecordCount(), fresh);
        QVERIFY(w.findChild<QWidget*>(QStringLiteral("cxGrid6"))->isEnabled());
    }

    void totalsOfTheTickedLines() {
        ClientDataSet lines;
        for (const char* name : {"SEC", "TUTAR", "INDIRIMTUTAR", "VERGITUTARI"})
            lines.addField(QLatin1String(name), DbxType::Double);
        lines.CreateDataSet();
        for (const QList<double>& row :
             QList<QList<double>>{{1, 100, 10, 16.2}, {1, 50, 5, 8.1}, {0, 1000, 0, 200}}) {
            lines.Append();
            for (int i = 0; i < 4; ++i)
                lines.Fields(i).setValue(row[i]);
            lines.Post();
        }
        QHash<QString, QLabel*> labels;
        std::vector<std::unique_ptr<QLabel>> owned;
        for (const char* name : {"aratoplaml", "indiriml", "nettutarl", "vergil", "geneltoplaml"}) {
            owned.push_back(std::make_unique<QLabel>());
            labels.insert(QLatin1String(name), owned.back().get());
        }
        Sepet::Parts parts;
        parts.sepet = &lines;
        parts.totals = labels;
        Sepet basket(parts);
        basket.ToplamlariHesapla();
        QCOMPARE(labels["aratoplaml"]->text(), QStringLiteral("150,00"));
        QCOMPARE(labels["indiriml"]->text(), QStringLiteral("15,00"));
        QCOMPARE(labels["nettutarl"]->text(), QStringLiteral("135,00"));
        QCOMPARE(labels["vergil"]->text(), QStringLiteral("24,30"));
        QCOMPARE(labels["geneltoplaml"]->text(), QStringLiteral("159,30"));
        QVERIFY(lines.Eof());
    }
};

QTEST_MAIN(TestUrun)
#include "tst_urun.moc"
