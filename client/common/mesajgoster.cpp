#include "mesajgoster.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMutex>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace zerda {

namespace {

struct MessageState {
    std::optional<int> nextAnswer;
    std::optional<ShownMessage> last;
    int shown = 0;
    std::function<void(MesajTipi)> sound = [](MesajTipi) { QApplication::beep(); };
};

MessageState& state() {
    static MessageState s;
    return s;
}

QMessageBox::StandardButton standardButton(Dugme b) {
    switch (b) {
        case Dugme::Evet:
            return QMessageBox::Yes;
        case Dugme::Hayir:
            return QMessageBox::No;
        case Dugme::Tamam:
            return QMessageBox::Ok;
        case Dugme::Vazgec:
            return QMessageBox::Cancel;
        case Dugme::Iptal:
            return QMessageBox::Abort;
        case Dugme::Tekrar:
            return QMessageBox::Retry;
        case Dugme::Atla:
            return QMessageBox::Ignore;
        case Dugme::TumuneHayir:
            return QMessageBox::NoToAll;
        case Dugme::TumuneEvet:
            return QMessageBox::YesToAll;
        case Dugme::Yardim:
            return QMessageBox::Help;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon iconOf(MesajTipi kind) {
    switch (kind) {
        case MesajTipi::Uyari:
            return QMessageBox::Warning;
        case MesajTipi::Hata:
            return QMessageBox::Critical;
        case MesajTipi::Bilgi:
            return QMessageBox::Information;
        case MesajTipi::Soru:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString mesajBasligi(MesajTipi kind) {
    switch (kind) {
        case MesajTipi::Uyari:
            return QStringLiteral("Uyarı");
        case MesajTipi::Hata:
            return QStringLiteral("Hata");
        case MesajTipi::Bilgi:
            return QStringLiteral("Bilgi");
        case MesajTipi::Soru:
            return QStringLiteral("Soru");
    }
    return {};
}

QString dugmeYazisi(Dugme b) {
    switch (b) {
        case Dugme::Evet:
            return QStringLiteral("Evet");
        case Dugme::Hayir:
            return QStringLiteral("Hayır");
        case Dugme::Tamam:
            return QStringLiteral("Tamam");
        case Dugme::Vazgec:
            return QStringLiteral("Vazgeç");
        case Dugme::Iptal:
            return QStringLiteral("İptal");
        case Dugme::Tekrar:
            return QStringLiteral("Tekrar");
        case Dugme::Atla:
            return QStringLiteral("Atla");
        case Dugme::TumuneHayir:
            return QStringLiteral("Tümüne Hayır");
        case Dugme::TumuneEvet:
            return QStringLiteral("Tümüne Evet");
        case Dugme::Yardim:
            return QStringLiteral("Yardım");
    }
    return {};
}

int dugmeSonucu(Dugme b) {
    switch (b) {
        case Dugme::Evet:
            return kSonucEvet;
        case Dugme::Hayir:
            return kSonucHayir;
        case Dugme::Tamam:
            return kSonucTamam;
        case Dugme::Vazgec:
            return kSonucVazgec;
        case Dugme::Iptal:
            return kSonucIptal;
        case Dugme::Tekrar:
            return kSonucTekrar;
        case Dugme::Atla:
            return kSonucAtla;
        case Dugme::TumuneHayir:
            return kSonucTumuneHayir;
        case Dugme::TumuneEvet:
            return kSonucTumuneEvet;
        case Dugme::Yardim:
            return 0;
    }
    return 0;
}

std::unique_ptr<QMessageBox> mesajKutusuYap(QWidget* owner, const QString& text, MesajTipi kind,
                                            const QList<Dugme>& buttons, Dugme defaultButton) {
    auto box = std::make_unique<QMessageBox>(owner);
    box->setIcon(iconOf(kind));
    box->setWindowTitle(mesajBasligi(kind));
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box->setText(shown);
    QFont font = box->font();
    font.setPointSize(kMesajYaziBoyu);
    box->setFont(font);
    for (Dugme b : buttons) {
        QPushButton* button = box->addButton(standardButton(b));
        button->setText(dugmeYazisi(b));
        button->setProperty("zerdaSonuc", dugmeSonucu(b));
        button->setObjectName(QStringLiteral("dugme") + QString::number(int(b)));
    }
    if (buttons.contains(defaultButton)) {
        QAbstractButton* button = box->button(standardButton(defaultButton));
        box->setDefaultButton(qobject_cast<QPushButton*>(button));
    }
    return box;
}

int MesajGoster(const QString& text, MesajTipi kind, const QList<Dugme>& buttons,
                Dugme defaultButton) {
    MessageState& s = state();
    s.last = ShownMessage{text, kind, buttons, defaultButton};
    ++s.shown;
    if (s.nextAnswer) {
        const int answer = *s.nextAnswer;
        s.nextAnswer.reset();
        return answer;
    }
    QWidget* owner = QApplication::activeWindow();
    std::unique_ptr<QMessageBox> box = mesajKutusuYap(owner, text, kind, buttons, defaultButton);
    // Centred over its owner, or over the screen when there is none.
    box->adjustSize();
    const QRect area =
        owner ? owner->frameGeometry()
              : (QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry()
                                               : QRect());
    if (!area.isEmpty())
        box->move(area.center() - box->rect().center());
    if (s.sound)
        s.sound(kind);
    box->exec();
    QAbstractButton* clicked = box->clickedButton();
    return clicked ? clicked->property("zerdaSonuc").toInt() : kSonucVazgec;
}

void StandartMesaj(QMessageBox::Icon icon, const QString& text) {
    MessageState& s = state();
    const MesajTipi kind = icon == QMessageBox::Critical  ? MesajTipi::Hata
                           : icon == QMessageBox::Warning ? MesajTipi::Uyari
                                                          : MesajTipi::Bilgi;
    s.last = ShownMessage{text, kind, {Dugme::Tamam}, Dugme::Tamam};
    ++s.shown;
    if (s.nextAnswer) {
        s.nextAnswer.reset();
        return;
    }
    if (s.sound)
        s.sound(kind);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, QApplication::applicationDisplayName(), shown, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void MessageBox::setNextAnswer(int resultCode) {
    state().nextAnswer = resultCode;
}
void MessageBox::clearNextAnswer() {
    state().nextAnswer.reset();
}
std::optional<ShownMessage> MessageBox::lastMessage() {
    return state().last;
}
int MessageBox::shownCount() {
    return state().shown;
}
void MessageBox::resetLog() {
    state().last.reset();
    state().shown = 0;
}
void MessageBox::setSoundPlayer(std::function<void(MesajTipi)> player) {
    state().sound = std::move(player);
}

}  // namespace zerda
