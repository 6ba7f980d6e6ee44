// RoundToStep: rounding to a step on decimal values, so multiples of the
// step stay put and negative amounts round by their magnitude.
#include "services/roundtostep.h"

#include "platform/decimaltext.h"

#include <cmath>
#include <optional>

namespace bralvo::services {

using platform::DecimalDigits;

namespace {

using Int128 = __int128;

constexpr int maxDigits = 37; // 10^37 < 2^127

Int128 digitsValue(const QString &digits)
{
    Int128 v = 0;
    for (QChar c : digits)
        v = v * 10 + (c.unicode() - '0');
    return v;
}

Int128 powerOfTen(int n)
{
    Int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// Both values as integers over one common power of ten (value =
// integer / 10^scale); nullopt when they do not fit.
std::optional<std::pair<Int128, Int128>> commonScale(const DecimalDigits &a, const DecimalDigits &b, int &scale)
{
    const int scaleA = int(a.digits.size()) - a.exponent;
    const int scaleB = int(b.digits.size()) - b.exponent;
    scale = qMax(scaleA, scaleB);
    const int lengthA = int(a.digits.size()) + scale - scaleA;
    const int lengthB = int(b.digits.size()) + scale - scaleB;
    if (lengthA > maxDigits || lengthB > maxDigits)
        return std::nullopt;
    return std::make_pair(digitsValue(a.digits) * powerOfTen(scale - scaleA),
                          digitsValue(b.digits) * powerOfTen(scale - scaleB));
}

double fromScaled(Int128 unscaled, int scale, bool negative)
{
    if (unscaled == 0)
        return 0.0;
    QString digits;
    while (unscaled > 0) {
        digits.prepend(QChar(u'0' + int(unscaled % 10)));
        unscaled /= 10;
    }
    DecimalDigits d;
    d.negative = negative;
    d.digits = digits;
    d.exponent = int(digits.size()) - scale;
    return platform::toDouble(d);
}

// The quotient of magnitudes, moved by the mode: up away from zero
// unless exact, down toward zero, nearest with halves away from zero.
Int128 roundedQuotient(int mode, Int128 value, Int128 step)
{
    Int128 q = value / step;
    const Int128 r = value % step;
    if ((mode > 0 && r != 0) || (mode == 0 && 2 * r >= step))
        ++q;
    return q;
}

// Quotients beyond 37 digits: the value is far finer or far coarser than
// the step, so long double is as exact as it needs to be.
double roundCoarse(int mode, double magnitude, double step)
{
    const long double q = static_cast<long double>(magnitude) / step;
    if (q >= 1e17L)
        return magnitude;
    long double whole = mode > 0 ? std::ceil(q) : mode < 0 ? std::floor(q) : std::floor(q + 0.5L);
    return double(whole * step);
}

} // namespace

double RoundToStep(int mode, double value, double step)
{
    if (!std::isfinite(value) || !std::isfinite(step) || step == 0 || value == 0)
        return value;
    const bool negative = value < 0;
    const DecimalDigits v = platform::decimalDigits(std::fabs(value));
    const DecimalDigits s = platform::decimalDigits(std::fabs(step));
    int scale = 0;
    const auto scaled = commonScale(v, s, scale);
    if (!scaled) {
        const double r = roundCoarse(mode, std::fabs(value), std::fabs(step));
        return negative ? -r : r;
    }
    const Int128 q = roundedQuotient(mode, scaled->first, scaled->second);
    return fromScaled(q * scaled->second, scale, negative);
}

} // namespace bralvo::services
