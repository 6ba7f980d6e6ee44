// Decimal digits of doubles and half-away-from-zero rounding on them.
#include "platform/decimaltext.h"

#include <charconv>
#include <cmath>
#include <string>

namespace bralvo::platform {

namespace {

constexpr int maxSignificant = 15;

// Parses to_chars scientific output "d.dddde[+-]xx" into digits/exponent.
DecimalDigits fromScientific(const char *first, const char *last, bool negative)
{
    DecimalDigits result;
    result.negative = negative;
    std::string mantissa;
    const char *p = first;
    for (; p != last && *p != 'e'; ++p) {
        if (*p != '.')
            mantissa.push_back(*p);
    }
    int exp10 = 0;
    if (p != last) {
        const char *e = p + 1;
        const bool negativeExponent = e != last && *e == '-';
        if (e != last && (*e == '-' || *e == '+'))
            ++e;
        std::from_chars(e, last, exp10);
        if (negativeExponent)
            exp10 = -exp10;
    }
    result.digits = QString::fromLatin1(mantissa.data(), qsizetype(mantissa.size()));
    result.exponent = exp10 + 1;
    return result;
}

void trimZeros(DecimalDigits &value)
{
    qsizetype start = 0;
    while (start < value.digits.size() && value.digits.at(start) == u'0')
        ++start;
    value.digits.remove(0, start);
    value.exponent -= int(start);
    qsizetype end = value.digits.size();
    while (end > 0 && value.digits.at(end - 1) == u'0')
        --end;
    value.digits.truncate(end);
    if (value.digits.isEmpty()) {
        value.exponent = 0;
        value.negative = false;
    }
}

// Keeps the first `keep` digits, rounding half away from zero by the next.
DecimalDigits keepDigits(const DecimalDigits &value, qsizetype keep)
{
    if (keep >= value.digits.size())
        return value;
    DecimalDigits result = value;
    if (keep < 0) {
        result.digits.clear();
        trimZeros(result);
        return result;
    }
    const bool roundUp = value.digits.at(keep) >= u'5';
    result.digits.truncate(keep);
    if (roundUp) {
        qsizetype i = keep - 1;
        while (i >= 0 && result.digits.at(i) == u'9') {
            result.digits[i] = u'0';
            --i;
        }
        if (i >= 0) {
            result.digits[i] = QChar(result.digits.at(i).unicode() + 1);
        } else {
            result.digits.prepend(u'1');
            ++result.exponent;
        }
    }
    trimZeros(result);
    return result;
}

} // namespace

DecimalDigits decimalDigits(double value)
{
    if (value == 0 || !std::isfinite(value))
        return {};
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    char buffer[800];
    auto shortest = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    DecimalDigits result = fromScientific(buffer, shortest.ptr, negative);
    if (result.digits.size() <= maxSignificant)
        return result;
    // More than 15 digits: round the exact expansion, never a rounded one.
    auto exact = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 770);
    result = fromScientific(buffer, exact.ptr, negative);
    trimZeros(result);
    return keepDigits(result, maxSignificant);
}

DecimalDigits roundToDecimals(const DecimalDigits &value, int decimals)
{
    return keepDigits(value, qsizetype(value.exponent) + decimals);
}

DecimalDigits roundToSignificant(const DecimalDigits &value, int significant)
{
    return keepDigits(value, qMax(1, significant));
}

QString toPlainText(const DecimalDigits &value)
{
    if (value.isZero())
        return QStringLiteral("0");
    QString text;
    if (value.negative)
        text += u'-';
    const qsizetype n = value.digits.size();
    if (value.exponent <= 0) {
        text += QStringLiteral("0.") + QString(-value.exponent, u'0') + value.digits;
    } else if (value.exponent >= n) {
        text += value.digits + QString(value.exponent - n, u'0');
    } else {
        text += value.digits.left(value.exponent) + u'.' + value.digits.mid(value.exponent);
    }
    return text;
}

double toDouble(const DecimalDigits &value)
{
    if (value.isZero())
        return 0.0;
    const QString scientific = QStringLiteral("0.") + value.digits + u'e' + QString::number(value.exponent);
    const std::string text = scientific.toStdString();
    double magnitude = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (res.ec == std::errc::result_out_of_range)
        magnitude = value.exponent > 0 ? HUGE_VAL : 0.0;
    return value.negative ? -magnitude : magnitude;
}

} // namespace bralvo::platform
