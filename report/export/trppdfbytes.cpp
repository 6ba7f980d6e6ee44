#include "report/export/trppdfbytes.h"

#include <charconv>
#include <cmath>

namespace bralvo::report {

void AppendPdfInt(QByteArray &out, long long value)
{
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    out.append(text, end - text);
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

void appendFixed(QByteArray &out, double x)
{
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed, 2).ptr;
    out.append(text, end - text);
}

} // namespace

void AppendPdfNumber(QByteArray &out, double x)
{
    if (x == std::trunc(x) && std::fabs(x) < 9.2e18) {
        AppendPdfInt(out, static_cast<long long>(x));
        return;
    }
    const double magnitude = std::fabs(x);
    if (!(magnitude < 1e13)) {
        appendFixed(out, x); // huge, infinite or not a number: never a tie here
        return;
    }
    const unsigned long long hundredths = roundedHundredths(magnitude);
    char text[32];
    char *p = text;
    if (x < 0)
        *p++ = '-';
    p = std::to_chars(p, text + sizeof text, hundredths / 100).ptr;
    const unsigned cents = unsigned(hundredths % 100);
    *p++ = '.';
    *p++ = char('0' + cents / 10);
    *p++ = char('0' + cents % 10);
    out.append(text, p - text);
}

} // namespace bralvo::report
