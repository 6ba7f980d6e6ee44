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

} // namespace

char *PutPdfNumber(char *at, double x)
{
    if (x == std::trunc(x) && std::fabs(x) < 9.2e18)
        return PutPdfInt(at, static_cast<long long>(x));
    const double magnitude = std::fabs(x);
    if (!(magnitude < 1e13)) // huge, infinite or not a number: never a tie here
        return std::to_chars(at, at + kPdfNumberRoom, x, std::chars_format::fixed, 2).ptr;
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
