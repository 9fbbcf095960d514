#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace zerda {

enum class MesajTipi { Uyari = 0, Hata = 1, Bilgi = 2, Soru = 3 };

// Buttons with their default-button codes.
enum class Dugme {
    Evet = 0,
    Hayir = 1,
    Tamam = 2,
    Vazgec = 3,
    Iptal = 4,
    Tekrar = 5,
    Atla = 6,
    TumuneHayir = 8,
    TumuneEvet = 9,
    Yardim = 10,
};

// Result codes of the buttons.
inline constexpr int kSonucTamam = 1;
inline constexpr int kSonucVazgec = 2;
inline constexpr int kSonucIptal = 3;
inline constexpr int kSonucTekrar = 4;
inline constexpr int kSonucAtla = 5;
inline constexpr int kSonucEvet = 6;
inline constexpr int kSonucHayir = 7;
inline constexpr int kSonucTumuneHayir = 13;
inline constexpr int kSonucTumuneEvet = 14;

inline constexpr int kMesajYaziBoyu = 15;  // points, the program's message font

QString mesajBasligi(MesajTipi kind);
QString dugmeYazisi(Dugme button);
int dugmeSonucu(Dugme button);

// Shows the program's modal message box over the active window: caption by kind, Turkish button
// labels, the default button focused, the kind's sound; returns the result code of the button
// that closed it. The text may hold CR LF line breaks.
int MesajGoster(const QString& text, MesajTipi kind, const QList<Dugme>& buttons,
                Dugme defaultButton);

// The platform's standard message dialog, not the program's Turkish box: a warning, an error or
// a notice with a single OK button. It goes through the same test hooks as MesajGoster.
void StandartMesaj(QMessageBox::Icon icon, const QString& text);

// The box MesajGoster shows, built but not shown, for those who need to look at it.
std::unique_ptr<QMessageBox> mesajKutusuYap(QWidget* owner, const QString& text, MesajTipi kind,
                                            const QList<Dugme>& buttons, Dugme defaultButton);

// Test hooks: with a next answer set, the next MesajGoster shows nothing and returns it at once;
// the last message asked for is kept either way.
struct ShownMessage {
    QString text;
    MesajTipi kind;
    QList<Dugme> buttons;
    Dugme defaultButton;
};
class MessageBox {
public:
    static void setNextAnswer(int resultCode);
    static void clearNextAnswer();
    static std::optional<ShownMessage> lastMessage();
    static int shownCount();
    static void resetLog();
    // The sound played as a box opens; the default asks the desktop for the system beep.
    static void setSoundPlayer(std::function<void(MesajTipi)> player);
};

}  // namespace zerda
