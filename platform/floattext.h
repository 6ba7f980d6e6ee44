// Numbers as plain text and back, with the regional decimal separator.
#pragma once

#include <QString>
#include <optional>

namespace bralvo::platform {

struct RegionalSettings;

// The general form: the shortest text of at most 15 significant digits
// that stands for the value, so every value typed or read with up to 15
// digits comes back exactly (0.1 gives "0,1", not 0,1000000000000000055).
// Plain notation for 0.0001 <= |value| < 1E15, else "1,5E20" / "1E-5".
// Zero is "0"; infinity and NaN give "INF", "-INF", "NAN".
QString FloatToStr(double value, const RegionalSettings &settings);

// Reads optional blanks, an optional sign, digits with at most one
// regional decimal separator, an optional exponent ("E-3", "e+05"), and
// optional blanks. Thousands separators and the other decimal separator
// are not accepted. Throws ConversionError
// ("'<text>' is not a valid floating point value") on anything else,
// including an empty text and a value beyond the double range.
double StrToFloat(const QString &text, const RegionalSettings &settings);

// The same rules; nullopt instead of throwing.
std::optional<double> TryStrToFloat(const QString &text, const RegionalSettings &settings);

} // namespace bralvo::platform
