#pragma once

#include <QString>

namespace zerda {

// The remembered login in "ayar.ini": section kullanici, keys isim, sifre and hatırla, UTF-8.
struct GirisAyari {
    QString isim;
    QString sifre;
    bool hatirla = true;
};

QString ayarDosyasi();  // YerelKlasor + "ayar.ini"

// A missing key reads as the empty text; a missing or unreadable hatırla as true (true is a
// non-zero integer). Returns false when there is no file.
bool AyarOku(const QString& path, GirisAyari& out);
// Writes the section, the keys in this order; raises Error when the file can't be written.
void AyarKaydet(const QString& path, const GirisAyari& settings);

}  // namespace zerda
