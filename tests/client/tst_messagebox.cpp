#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "application.h"
#include "beklesin.h"
#include "mesajgoster.h"

using namespace zerda;

namespace {

// Runs check on the message box once it is open, then clicks the button with the label.
void answerWhenOpen(const QString& label, const std::function<void(QMessageBox*)>& check = {}) {
    QTimer::singleShot(0, [label, check] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        if (check)
            check(box);
        for (QAbstractButton* b : box->buttons())
            if (b->text() == label) {
                b->click();
                return;
            }
        QFAIL("no such button");
    });
}

}  // namespace

class TestMessageBox : public QObject {
    Q_OBJECT
    int m_sounds = 0;
    MesajTipi m_lastSound = MesajTipi::Bilgi;

private Q_SLOTS:
    void initTestCase() {
        MessageBox::setSoundPlayer([this](MesajTipi kind) {
            ++m_sounds;
            m_lastSound = kind;
        });
    }

    void questionWithNoAsDefault() {
        QString caption, focused;
        QStringList labels;
        int fontSize = 0;
        answerWhenOpen(QStringLiteral("Evet"), [&](QMessageBox* box) {
            caption = box->windowTitle();
            focused = qobject_cast<QPushButton*>(box->focusWidget())
                          ? qobject_cast<QPushButton*>(box->focusWidget())->text()
                          : QString();
            for (QAbstractButton* b : box->buttons())
                labels << b->text();
            fontSize = box->font().pointSize();
        });
        const int result = MesajGoster(QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"),
                                       MesajTipi::Soru, {Dugme::Evet, Dugme::Hayir}, Dugme::Hayir);
        QCOMPARE(result, 6);
        QCOMPARE(caption, QStringLiteral("Soru"));
        QCOMPARE(focused, QStringLiteral("Hayır"));
        labels.sort();
        QCOMPARE(labels, (QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")}));
        QCOMPARE(fontSize, 15);
        QCOMPARE(m_lastSound, MesajTipi::Soru);

        answerWhenOpen(QStringLiteral("Hayır"));
        QCOMPARE(MesajGoster(QStringLiteral("?"), MesajTipi::Soru, {Dugme::Evet, Dugme::Hayir},
                             Dugme::Evet),
                 7);
    }

    void errorWithOk() {
        QString caption, text;
        answerWhenOpen(QStringLiteral("Tamam"), [&](QMessageBox* box) {
            caption = box->windowTitle();
            text = box->text();
            QCOMPARE(box->icon(), QMessageBox::Critical);
        });
        const int sounds = m_sounds;
        QCOMPARE(MesajGoster(QStringLiteral("Bağlantı Hatası \r\nLütfen Sonra Tekrar Deneyiniz !"),
                             MesajTipi::Hata, {Dugme::Tamam}, Dugme::Tamam),
                 1);
        QCOMPARE(caption, QStringLiteral("Hata"));
        QCOMPARE(text, QStringLiteral("Bağlantı Hatası \nLütfen Sonra Tekrar Deneyiniz !"));
        QCOMPARE(m_sounds, sounds + 1);
    }

    void captionsOfEveryKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Uyarı") << 0 << "Uyarı";
        QTest::newRow("Hata") << 1 << "Hata";
        QTest::newRow("Bilgi") << 2 << "Bilgi";
        QTest::newRow("Soru") << 3 << "Soru";
    }
    void captionsOfEveryKind() {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        const auto box = mesajKutusuYap(nullptr, QStringLiteral("x"), MesajTipi(kind),
                                        {Dugme::Tamam}, Dugme::Tamam);
        QCOMPARE(box->windowTitle(), caption);
    }

    void defaultButtonOutsideTheSetMovesNothing() {
        const auto box = mesajKutusuYap(nullptr, QStringLiteral("x"), MesajTipi::Bilgi,
                                        {Dugme::Tamam}, Dugme::Hayir);
        QVERIFY(!box->defaultButton() || box->defaultButton()->text() == QStringLiteral("Tamam"));
        QCOMPARE(box->buttons().size(), 1);
    }

    void nextAnswerShowsNothing() {
        MessageBox::resetLog();
        MessageBox::setNextAnswer(7);
        QCOMPARE(MesajGoster(QStringLiteral("Sipariş Onay"), MesajTipi::Soru,
                             {Dugme::Evet, Dugme::Hayir}, Dugme::Evet),
                 7);
        QCOMPARE(MessageBox::lastMessage()->text, QStringLiteral("Sipariş Onay"));
        QCOMPARE(MessageBox::shownCount(), 1);
    }

    void errorsOfHandlersAreReportedNotFatal() {
        // An error raised in an event handler reaches the default error report; the loop goes on.
        QStringList reported;
        setErrorReporter([&](const QString& m) { reported << m; });
        QPushButton button;
        connect(&button, &QPushButton::clicked,
                [] { throw std::runtime_error("kayıt bulunamadı"); });
        QTimer::singleShot(0, &button, [&] { button.click(); });
        QTRY_COMPARE(reported, QStringList{QStringLiteral("kayıt bulunamadı")});
        setErrorReporter({});
    }
};

int main(int argc, char* argv[]) {
    Application app(argc, argv);
    TestMessageBox test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_messagebox.moc"
