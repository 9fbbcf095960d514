#include "decimal.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace zerda {

DecimalText toDecimalText(double value, int decimals) {
    DecimalText out;
    if (!std::isfinite(value)) {
        out.finite = false;
        out.integerDigits = std::isnan(value) ? QStringLiteral("NAN") : QStringLiteral("INF");
        out.negative = value < 0;
        return out;
    }
    decimals = std::max(0, decimals);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    // buffer: d.dddddddddddddde[+-]xx, fifteen significant digits
    std::string digits;
    digits.push_back(buffer[0]);
    digits.append(buffer + 2, 14);
    const int exponent = std::atoi(buffer + 17);
    int point = exponent + 1;  // digits before the decimal point
    if (point < 1) {
        digits.insert(0, size_t(1 - point), '0');
        point = 1;
    }
    const size_t keep = size_t(point + decimals);
    if (digits.size() < keep + 1)
        digits.append(keep + 1 - digits.size(), '0');
    const bool roundUp = digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        int i = int(keep) - 1;
        while (i >= 0 && digits[size_t(i)] == '9')
            digits[size_t(i--)] = '0';
        if (i < 0) {
            digits.insert(0, 1, '1');
            ++point;
        } else {
            ++digits[size_t(i)];
        }
    }
    std::string integer = digits.substr(0, size_t(point));
    const size_t firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? "0" : integer.substr(firstNonZero);
    const std::string fraction = digits.substr(size_t(point));
    out.integerDigits = QString::fromLatin1(integer.data(), qsizetype(integer.size()));
    out.fractionDigits = QString::fromLatin1(fraction.data(), qsizetype(fraction.size()));
    out.negative =
        value < 0 && (integer != "0" || fraction.find_first_not_of('0') != std::string::npos);
    return out;
}

double decimalTextValue(const DecimalText& text) {
    if (!text.finite)
        return text.integerDigits == QLatin1String("NAN") ? NAN
                                                          : (text.negative ? -INFINITY : INFINITY);
    QString literal = text.integerDigits;
    if (!text.fractionDigits.isEmpty())
        literal += QLatin1Char('.') + text.fractionDigits;
    const double v = literal.toDouble();
    return text.negative ? -v : v;
}

double roundToCents(double value) {
    // Far from a half cent the binary value rounds as its decimal form does; only values close to
    // one need the decimal form (1.005 is 1.00499999... in binary and must still give 1.01).
    const double cents = value * 100;
    if (std::isfinite(cents) && std::fabs(cents) < 1e12) {
        const double whole = std::floor(cents);
        const double fraction = cents - whole;
        if (std::fabs(fraction - 0.5) > 1e-6) {
            // A whole number of cents divided by 100 is the double nearest to the decimal.
            const double rounded = fraction > 0.5 ? whole + 1 : whole;
            return rounded == 0 ? 0.0 : rounded / 100;
        }
    }
    return decimalTextValue(toDecimalText(value, 2));
}

}  // namespace zerda
