// Decimal digits of a double, and rounding on them, so that amounts round
// the way they read (0.125 to two decimals is 0.13) rather than the way
// their binary form falls.
#pragma once

#include <QString>

namespace bralvo::platform {

// value = 0.d1d2d3... x 10^exponent (digits without leading or trailing
// zeros; zero has no digits and exponent 0).
struct DecimalDigits {
    bool negative = false;
    QString digits;
    int exponent = 0;
    bool isZero() const { return digits.isEmpty(); }
};

// The value's decimal expansion rounded half away from zero to at most
// 15 significant digits, trailing zeros dropped: the shortest text that
// reads back as the value whenever one of 15 digits exists
// (0.1 -> "1" e0, 0.30000000000000004 -> "3" e0, 1234.5 -> "12345" e4).
// The value must be finite.
DecimalDigits decimalDigits(double value);

// Rounds half away from zero to the given number of decimals (may be
// negative: -2 rounds to hundreds); the result may become zero.
DecimalDigits roundToDecimals(const DecimalDigits &value, int decimals);
// Rounds half away from zero to the given number (>= 1) of significant digits.
DecimalDigits roundToSignificant(const DecimalDigits &value, int significant);

// Plain text with "." and no exponent ("-0.0125", "1200"); "0" for zero.
QString toPlainText(const DecimalDigits &value);
// The nearest double to the decimal value.
double toDouble(const DecimalDigits &value);

} // namespace bralvo::platform
