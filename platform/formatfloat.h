// Picture formatting of numbers, the routine behind every amount shown in
// grids, printouts and report memos.
//
// Pattern language (one to three sections separated by ";": positive,
// negative, zero):
//   "0"   a digit always shown        "#"  a digit shown only when significant
//   "."   the first one places the regional decimal separator; further
//         ones are ignored; the separator is written only when at least
//         one decimal digit follows it ("#,##0." shows no decimals)
//   ","   anywhere among the integer digits: group thousands with the
//         regional thousands separator
//   "E+0", "E-0", "e+00" ...  scientific form; "+" always writes the
//         exponent's sign, "-" only a minus; the zeros give its minimum width
//   'x' or "x"  quoted literals; any other character is written as it is.
// A negative section writes the absolute value (its own text carries the
// sign); an empty or missing negative section uses the first one with a
// leading "-". The zero section is used when the value shows as zero in
// the first section's decimals. A value that rounds to zero never shows
// a minus sign. An empty pattern gives FloatToStr.
//
// Rounding is half away from zero on the value's decimal expansion (at
// most 15 significant digits, see decimaltext.h): 0.125 in "0.00" gives
// 0,13. Infinity and NaN give "INF", "-INF" and "NAN". Never throws.
#pragma once

#include <QString>

namespace bralvo::platform {

struct RegionalSettings;

QString FormatFloat(const QString &format, double value, const RegionalSettings &settings);

} // namespace bralvo::platform
