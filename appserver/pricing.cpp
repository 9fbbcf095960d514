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

namespace {

long double afterDiscounts(long double amount, const DiscountRates& rates) {
    for (double r : rates)
        if (r > 0)
            amount -= amount * r / 100;
    return amount;
}

}  // namespace

double netPrice(double price, const DiscountRates& rates) {
    return roundToCents(double(afterDiscounts(price, rates)));
}

LineAmounts lineAmounts(double quantity, double price, double vatRate, const DiscountRates& rates) {
    LineAmounts a;
    a.tutar = roundToCents(quantity * price);
    a.net = roundToCents(double(afterDiscounts(a.tutar, rates)));
    a.indirim = roundToCents(a.tutar - a.net);
    a.netBirim = quantity > 0 ? roundToCents(a.net / quantity) : 0;
    a.vergi = roundToCents(a.net * vatRate / 100);
    return a;
}

double withVat(double price, double vatRate) {
    return roundToCents(price * (vatRate / 100 + 1));
}

}  // namespace zerda::appserver
