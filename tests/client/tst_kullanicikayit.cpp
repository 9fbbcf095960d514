#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include "appserverprocess.h"
#include "beklesin.h"
#include "calls.h"
#include "databasecheck.h"
#include "demosession.h"
#include "identity.h"
#include "kullanicikayit.h"
#include "mesajgoster.h"
#include "proxim.h"

using namespace zerda;

// The password request form against the reference server, on the workstation of the dealer DEMO.
class TestKullanicikayit : public QObject {
    Q_OBJECT
    std::unique_ptr<AppServerProcess> m_server;
    Connection m_connection;
    TSonucBilgisi m_session;
    std::unique_ptr<DatabaseCheck> m_db;
    QStringList m_connectionMessages, m_errors;

    int requests() {
        return m_db
            ->value(
                QStringLiteral("SELECT COUNT(*) FROM giden_kutusu WHERE yontem = 'MailGonserCari'"))
            .toInt();
    }

    std::unique_ptr<Tkullanicikayit> opened(const Connection& connection) {
        auto form = std::make_unique<Tkullanicikayit>(nullptr, connection, m_session);
        form->show();
        QSignalSpy filled(form.get(), &Tkullanicikayit::filled);
        if (!filled.wait(20000))
            return {};
        return form;
    }

    // Fills what the server can't know, so that every check passes.
    static void complete(Tkullanicikayit& form) {
        form.edit("yetkili")->setText(QStringLiteral(" Ayşe Kaya "));
        form.edit("sifre")->setText(QStringLiteral("YENİ 99"));
        form.edit("mail")->setText(QStringLiteral("ayse@ornek.com.tr"));
    }

private Q_SLOTS:
    void initTestCase() {
        setConnectionMessageHandler([this](const QString& text) { m_connectionMessages << text; });
        setErrorReporter([this](const QString& m) { m_errors << m; });
        m_server = std::make_unique<AppServerProcess>(100);
        const auto session = startDemoSession(*m_server, QStringLiteral("DEMO"));
        QVERIFY(session);
        m_session = *session;
        m_connection.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
        m_connection.setParam(QStringLiteral("Port"), QString::number(m_server->port()));
        m_db = std::make_unique<DatabaseCheck>(m_server->databasePath());
        QVERIFY(m_db->isOpen());
    }

    void cleanupTestCase() { m_db.reset(); }

    void init() {
        m_connectionMessages.clear();
        m_errors.clear();
        MessageBox::resetLog();
    }

    void opensFilledFromTheServer() {
        auto form = opened(m_connection);
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Şifre Değiştirme İsteği"));
        QCOMPARE(form->findChild<QLabel*>(QStringLiteral("lblid"))->text(),
                 QStringLiteral("Bilgisayar ID: WS-7A12"));
        QCOMPARE(form->edit("kullaniciadi")->text(), QStringLiteral("DEMO"));
        QCOMPARE(form->edit("firmaadi")->text(), m_session.CariAdi());
        const QSqlRecord account = [&] {
            QSqlQuery q(m_db->database());
            q.exec(QStringLiteral("SELECT adres1, adres2, ilce, sehir, tel1, fax1, vergidairesi, "
                                  "vergino FROM cariler WHERE carino = %1")
                       .arg(m_session.CARINO()));
            q.next();
            return q.record();
        }();
        const QList<const char*> edits = {"adres1",  "adres2", "ilce", "sehir",
                                          "telefon", "fax",    "vd",   "vn"};
        for (int i = 0; i < edits.size(); ++i)
            QCOMPARE(form->edit(edits[i])->text(), account.value(i).toString());
        QVERIFY(!form->edit("adres1")->text().isEmpty());
        QVERIFY(form->edit("yetkili")->text().isEmpty());
        QVERIFY(m_connectionMessages.isEmpty());

        QStringList order;
        QWidget* w = form->edit("firmaadi");
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != form->edit("firmaadi"));
        QCOMPARE(order.mid(0, 16),
                 (QStringList{"firmaadi", "adres1", "adres2", "ilce", "sehir", "telefon", "fax",
                              "vd", "vn", "yetkili", "kullaniciadi", "sifre", "mail", "kargoambar",
                              "Button1", "Button2"}));
    }

    void checksInTheirOrder_data() {
        QTest::addColumn<QStringList>("emptied");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focused");
        QTest::newRow("firm and mail: the firm first")
            << QStringList{"firmaadi", "mail"} << "Firma Adı boş olamaz !"
            << "firmaadi";
        QTest::newRow("blanks only count as empty")
            << QStringList{"telefon"} << "Telefon  boş olamaz !"
            << "telefon";
        QTest::newRow("district before city")
            << QStringList{"sehir", "ilce"} << "İlçe Adı boş olamaz !"
            << "ilce";
        QTest::newRow("contact") << QStringList{"yetkili"} << "Yetkili  boş olamaz !"
                                 << "yetkili";
        QTest::newRow("user name") << QStringList{"kullaniciadi"} << "Kullanıcı  boş olamaz !"
                                   << "kullaniciadi";
        QTest::newRow("password") << QStringList{"sifre"} << "Şifre  boş olamaz !"
                                  << "sifre";
        QTest::newRow("mail last") << QStringList{"mail"} << "Mail  boş olamaz !"
                                   << "mail";
    }
    void checksInTheirOrder() {
        QFETCH(QStringList, emptied);
        QFETCH(QString, message);
        QFETCH(QString, focused);
        auto form = opened(m_connection);
        QVERIFY(form);
        QApplication::setActiveWindow(form.get());
        complete(*form);
        for (const QString& name : emptied)
            form->edit(name.toLatin1().constData())
                ->setText(name == QLatin1String("telefon") ? QStringLiteral("   ") : QString());
        const int before = requests();
        MessageBox::setNextAnswer(kSonucTamam);
        form->Button2Click();
        QCOMPARE(MessageBox::shownCount(), 1);
        QCOMPARE(MessageBox::lastMessage()->text, message);
        QCOMPARE(MessageBox::lastMessage()->kind, MesajTipi::Uyari);
        QCOMPARE(MessageBox::lastMessage()->buttons, QList<Dugme>{Dugme::Tamam});
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        QVERIFY(!form->busy());
        QCOMPARE(requests(), before);
    }

    void sendsEveryPressAsTyped() {
        auto form = opened(m_connection);
        QVERIFY(form);
        complete(*form);
        form->edit("adres2")->clear();  // may stay empty
        const int before = requests();
        QSignalSpy finished(form.get(), &Tkullanicikayit::sendFinished);
        for (int press = 1; press <= 2; ++press) {
            MessageBox::setNextAnswer(kSonucTamam);
            form->Button2Click();
            QVERIFY(form->busy());
            form->Button1Click();  // no closing during a send
            QVERIFY(form->isVisible());
            QVERIFY(finished.wait(20000));
            QCOMPARE(finished.last().at(0).toBool(), true);
            QCOMPARE(MessageBox::shownCount(), press);
            QCOMPARE(MessageBox::lastMessage()->text, QStringLiteral("İsteğiniz Gönderildi!"));
            QCOMPARE(MessageBox::lastMessage()->kind, MesajTipi::Bilgi);
        }
        QCOMPARE(requests(), before + 2);
        QCOMPARE(form->edit("yetkili")->text(), QStringLiteral(" Ayşe Kaya "));  // not cleared
        QSqlQuery q(m_db->database());
        QVERIFY(
            q.exec(QStringLiteral("SELECT idsi, baslik, icerik FROM giden_kutusu "
                                  "WHERE yontem = 'MailGonserCari' ORDER BY rowid DESC")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("WS-7A12"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("Şifre Değiştirme İsteği"));
        const QJsonObject sent = QJsonDocument::fromJson(q.value(2).toByteArray()).object();
        QCOMPARE(sent.value(QStringLiteral("yetkili")).toString(), QStringLiteral(" Ayşe Kaya "));
        QCOMPARE(sent.value(QStringLiteral("sifre")).toString(), QStringLiteral("YENİ 99"));
        QCOMPARE(sent.value(QStringLiteral("kullaniciadi")).toString(), QStringLiteral("DEMO"));
        QCOMPARE(sent.value(QStringLiteral("firmaadi")).toString(), m_session.CariAdi());
        QCOMPARE(sent.value(QStringLiteral("adres1")).toString(), form->edit("adres1")->text());
        QCOMPARE(sent.value(QStringLiteral("adres2")).toString(), QString());
        QCOMPARE(sent.value(QStringLiteral("kargoambar")).toString(), QString());
        QVERIFY(m_errors.isEmpty());
        form->Button1Click();
        QCOMPARE(form->result(), int(QDialog::Rejected));
        QVERIFY(!form->isVisible());
    }

    void serverDownShowsTheConnectionMessageAndSendsNothing() {
        Connection down;
        down.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
        down.setParam(QStringLiteral("Port"), QString::number(AppServerProcess::freePort()));
        auto form = opened(down);
        QVERIFY(form);
        QCOMPARE(m_connectionMessages, QStringList{kBaglantiKurulamiyor});
        QCOMPARE(form->edit("firmaadi")->text(), m_session.CariAdi());
        QCOMPARE(form->edit("kullaniciadi")->text(), QStringLiteral("DEMO"));
        QVERIFY(form->edit("adres1")->text().isEmpty());
        form->edit("adres1")->setText(QStringLiteral("Sanayi Sitesi 4"));
        form->edit("ilce")->setText(QStringLiteral("Başakşehir"));
        form->edit("sehir")->setText(QStringLiteral("İstanbul"));
        form->edit("telefon")->setText(QStringLiteral("0212 555 00 00"));
        complete(*form);
        QSignalSpy finished(form.get(), &Tkullanicikayit::sendFinished);
        form->Button2Click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.last().at(0).toBool(), false);
        QCOMPARE(m_connectionMessages.size(), 2);
        QCOMPARE(MessageBox::shownCount(), 0);
        QVERIFY(m_errors.isEmpty());
        QVERIFY(!form->busy());
    }

    // Runs last: the server loses its outbox, so the call fails on the server.
    void serverErrorGoesToTheErrorReport() {
        auto form = opened(m_connection);
        QVERIFY(form);
        complete(*form);
        QVERIFY(m_db->execute(QStringLiteral("DROP TABLE giden_kutusu")));
        QSignalSpy finished(form.get(), &Tkullanicikayit::sendFinished);
        form->Button2Click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.last().at(0).toBool(), false);
        QCOMPARE(m_errors.size(), 1);
        QCOMPARE(MessageBox::shownCount(), 0);
        QCOMPARE(form->edit("mail")->text(), QStringLiteral("ayse@ornek.com.tr"));
        QVERIFY(form->findChild<QPushButton*>(QStringLiteral("Button2"))->isEnabled());
    }
};

QTEST_MAIN(TestKullanicikayit)
#include "tst_kullanicikayit.moc"
