#include "ayarlar.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "errors.h"
#include "utils.h"

namespace zerda {

namespace {
const QString kSection = QStringLiteral("kullanici");
const QString kHatirla = QStringLiteral("hatırla");
}  // namespace

QString ayarDosyasi() {
    return QDir(YerelKlasor()).filePath(QStringLiteral("ayar.ini"));
}

bool AyarOku(const QString& path, GirisAyari& out) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    out = GirisAyari();
    QString section;
    QString hatirla;
    bool sawHatirla = false;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || section.compare(kSection, Qt::CaseInsensitive) != 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1);
        if (key.compare(QStringLiteral("isim"), Qt::CaseInsensitive) == 0)
            out.isim = value;
        else if (key.compare(QStringLiteral("sifre"), Qt::CaseInsensitive) == 0)
            out.sifre = value;
        else if (key.compare(kHatirla, Qt::CaseInsensitive) == 0) {
            hatirla = value.trimmed();
            sawHatirla = true;
        }
    }
    bool ok = false;
    const int flag = hatirla.toInt(&ok);
    out.hatirla = !sawHatirla || !ok || flag != 0;
    return true;
}

void AyarKaydet(const QString& path, const GirisAyari& settings) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        throw Error(QStringLiteral("%1 yazılamadı: %2").arg(path, file.errorString()));
    const QString text = QStringLiteral("[%1]\nisim=%2\nsifre=%3\n%4=%5\n")
                             .arg(kSection, settings.isim, settings.sifre, kHatirla,
                                  settings.hatirla ? QStringLiteral("1") : QStringLiteral("0"));
    file.write(text.toUtf8());
    if (!file.commit())
        throw Error(QStringLiteral("%1 yazılamadı: %2").arg(path, file.errorString()));
}

}  // namespace zerda
