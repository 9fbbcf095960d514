#include "pricing.h"

#include <QLocale>
#include <QStringList>

#include "decimal.h"

namespace zerda::appserver {

QString discountText(const DiscountRates& rates) {
    QStringList parts;
    for (double r : rates)
        if (r != 0)
            parts << QLocale::c().toString(r, 'g', 6);
    return parts.isEmpty() ? QStringLiteral("0") : parts.join(QStringLiteral(" + "));
}

double netPrice(double price, const DiscountRates& rates) {
    long double c = price;
    for (double r : rates)
        if (r > 0)
            c -= c * r / 100;
    return roundToCents(double(c));
}

double withVat(double price, double vatRate) {
    return roundToCents(price * (vatRate / 100 + 1));
}

}  // namespace zerda::appserver
