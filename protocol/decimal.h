#pragma once

#include <QString>

namespace zerda {

// A number in decimal form, rounded at a number of decimals the way the program's money formats
// round: from its 15-significant-digit decimal form, halves away from zero (2.675 -> 2.68,
// 1.005 -> 1.01), not from its binary value.
struct DecimalText {
    bool negative = false;
    QString integerDigits;   // at least "0"
    QString fractionDigits;  // exactly the decimals asked for
    bool finite = true;
};

DecimalText toDecimalText(double value, int decimals);

// The value of a DecimalText as a double.
double decimalTextValue(const DecimalText& text);

// Rounded to two decimals from the decimal form, as money is rounded on both ends.
double roundToCents(double value);

}  // namespace zerda
