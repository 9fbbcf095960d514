#pragma once

#include <QString>

namespace zerda {

// A tab caption in counter form, "12=Sepet", taken apart: the count (0 when there is none or it
// is not a number) and the label to draw (at most 100 characters after the first "=").
struct TSonuc {
    int sayi = 0;
    QString baslik;
};

TSonuc BaslikAyir(const QString& caption);

// "12=Sepet": the count, "=", the label.
QString sayacBasligi(int count, const QString& label);
// The count of the order balances comes as a number: written in general format, so a whole
// number has no fraction digits ("3=Bakiyeler").
QString sayacBasligi(double count, const QString& label);

}  // namespace zerda
