// Money text without the picture formatter's general machinery.
#include "services/moneytext.h"

#include <charconv>
#include <cmath>

namespace bralvo::services {

namespace {

// Digits of 0.d1d2... x 10^exponent, rounded half away from zero so that
// two decimals are left; returns the new digit count (0: zero).
int roundToCents(char *digits, int count, int &exponent)
{
    const int keep = exponent + 2;
    if (keep < 0)
        return 0;
    if (keep >= count)
        return count;
    const bool up = digits[keep] >= '5';
    count = keep;
    if (up) {
        int i = count - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            for (int j = count; j > 0; --j)
                digits[j] = digits[j - 1];
            digits[0] = '1';
            ++count;
            ++exponent;
        }
    }
    while (count > 0 && digits[count - 1] == '0')
        --count;
    return count;
}

} // namespace

std::optional<QString> QuickMoneyText(double value, QChar decimalSeparator, QChar thousandSeparator)
{
    if (!std::isfinite(value))
        return std::nullopt;
    char buffer[64];
    char digits[40];
    int count = 0;
    int exponent = 0;
    if (value != 0) {
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific).ptr;
        const char *p = buffer;
        for (; p != end && *p != 'e'; ++p)
            if (*p != '.')
                digits[count++] = *p;
        if (count > 15)
            return std::nullopt;
        std::from_chars(p + 1 + (p[1] == '+'), end, exponent);
        exponent += 1;
        while (count > 0 && digits[count - 1] == '0')
            --count;
        count = roundToCents(digits, count, exponent);
    }
    const int intCount = count == 0 ? 1 : qMax(1, exponent);
    QString text;
    text.reserve(intCount + intCount / 3 + 4);
    if (value < 0 && count > 0)
        text += u'-';
    for (int i = 0; i < intCount; ++i) {
        const int at = i - (intCount - qMax(0, count == 0 ? 0 : exponent));
        text += QChar(at >= 0 && at < count ? digits[at] : '0');
        const int remaining = intCount - 1 - i;
        if (remaining > 0 && remaining % 3 == 0)
            text += thousandSeparator;
    }
    text += decimalSeparator;
    for (int place = 0; place < 2; ++place) {
        const int at = exponent + place;  // digit index of this decimal
        text += QChar(count > 0 && at >= 0 && at < count ? digits[at] : '0');
    }
    return text;
}

} // namespace bralvo::services
