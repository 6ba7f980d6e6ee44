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

// A double lies exactly halfway between two hundredths only when its
// fraction is an odd number of eighths (0.125, 0.375, ...): multiplying
// by 8 is exact, so that is where the tie is seen.
bool isExactHalfHundredth(double x)
{
    const double eighths = x * 8;
    return eighths == std::trunc(eighths) && std::fmod(std::fabs(eighths), 2) == 1;
}

} // namespace

void AppendPdfNumber(QByteArray &out, double x)
{
    if (x == std::trunc(x) && std::fabs(x) < 9.2e18) {
        AppendPdfInt(out, static_cast<long long>(x));
        return;
    }
    char text[400];
    if (!isExactHalfHundredth(x)) {
        const auto end = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed, 2).ptr;
        out.append(text, end - text);
        return;
    }
    // to_chars rounds a tie to even; the writer rounds it away from zero.
    // The hundredths digit of such a tie is 2 or 7: no carry.
    char *end = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed, 3).ptr;
    --end;
    ++end[-1];
    out.append(text, end - text);
}

} // namespace bralvo::report
