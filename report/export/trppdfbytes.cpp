#include "report/export/trppdfbytes.h"

#include <charconv>
#include <cmath>

namespace bralvo::report {

char *PutPdfInt(char *at, long long value)
{
    return std::to_chars(at, at + 24, value).ptr;
}

void AppendPdfInt(QByteArray &out, long long value)
{
    char text[24];
    out.append(text, PutPdfInt(text, value) - text);
}

namespace {

// Hundredths of |x| rounded as the exact binary value says, halves away
// from zero. x * 100 is rounded once; fma gives what that rounding lost,
// so values just below or above a half are told apart from a half.
unsigned long long roundedHundredths(double x)
{
    const double p = x * 100;
    const double lost = std::fma(x, 100, -p);
    const double whole = std::floor(p);
    const double half = (p - whole) - 0.5 + lost;
    return static_cast<unsigned long long>(whole) + (half >= 0 ? 1 : 0);
}

// Huge. to_chars rounds an exact half to even;
// such a half (an odd number of eighths) is written with three decimals
// and its hundredths digit (2 or 7, so no carry) rounded up instead.
char *putLarge(char *at, double x)
{
    const double eighths = x * 8;
    const bool half = eighths == std::trunc(eighths) && std::fmod(std::fabs(eighths), 2) == 1;
    if (!half)
        return std::to_chars(at, at + kPdfNumberRoom, x, std::chars_format::fixed, 2).ptr;
    char *end = std::to_chars(at, at + kPdfNumberRoom, x, std::chars_format::fixed, 3).ptr - 1;
    ++end[-1];
    return end;
}

} // namespace

char *PutPdfNumber(char *at, double x)
{
    // PDF has no infinity or NaN: such a number would spoil the file.
    if (!std::isfinite(x))
        x = 0;
    if (x == std::trunc(x) && std::fabs(x) < 9.2e18)
        return PutPdfInt(at, static_cast<long long>(x));
    const double magnitude = std::fabs(x);
    if (!(magnitude < 1e13))
        return putLarge(at, x);
    const unsigned long long hundredths = roundedHundredths(magnitude);
    if (x < 0)
        *at++ = '-';
    at = std::to_chars(at, at + 24, hundredths / 100).ptr;
    const unsigned cents = unsigned(hundredths % 100);
    *at++ = '.';
    *at++ = char('0' + cents / 10);
    *at++ = char('0' + cents % 10);
    return at;
}

void AppendPdfNumber(QByteArray &out, double x)
{
    char text[kPdfNumberRoom];
    out.append(text, PutPdfNumber(text, x) - text);
}

} // namespace bralvo::report
