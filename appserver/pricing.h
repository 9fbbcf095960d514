#pragma once

#include <QList>
#include <QString>

namespace zerda::appserver {

// A dealer's four discount rates, in percent.
using DiscountRates = QList<double>;

// The rates that are not 0 as a text for display, "10 + 5"; "0" when there is none.
QString discountText(const DiscountRates& rates);

// The net price: each rate above 0 taken off what the ones before it left, rounded to cents.
double netPrice(double price, const DiscountRates& rates);

// The price with VAT at a rate in percent, rounded to cents.
double withVat(double price, double vatRate);

// The amounts of a basket line: the gross amount, the discount (the rates taken off one after
// another), the net amount, the net unit price and the VAT, each rounded to cents.
struct LineAmounts {
    double tutar = 0, indirim = 0, net = 0, netBirim = 0, vergi = 0;
};
LineAmounts lineAmounts(double quantity, double price, double vatRate, const DiscountRates& rates);

}  // namespace zerda::appserver
