#include "counters.h"

#include <QLocale>

namespace zerda {

TSonuc BaslikAyir(const QString& caption) {
    TSonuc result;
    result.baslik = caption;
    const qsizetype p = caption.indexOf(QLatin1Char('='));
    if (p < 0)
        return result;
    result.baslik = caption.mid(p + 1, 100);
    bool ok = false;
    const int count = caption.left(p).toInt(&ok);
    result.sayi = ok ? count : 0;
    return result;
}

QString sayacBasligi(int count, const QString& label) {
    return QString::number(count) + QLatin1Char('=') + label;
}

QString sayacBasligi(double count, const QString& label) {
    return QLocale().toString(count, 'g', 15) + QLatin1Char('=') + label;
}

}  // namespace zerda
