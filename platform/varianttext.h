// Text conversions of Variant: numbers and dates to text and back, in the
// regional format. Kept apart so that Variant reaches the shared formatting
// routines in one place.
#pragma once

#include <QString>
#include <optional>

namespace bralvo::platform {

// Decimal or "$"-hexadecimal integer text (blanks around it allowed);
// nothing when the text is not such an integer or does not fit in 64 bits.
std::optional<qint64> textToInteger(const QString &text);
// A float in the regional format ("." also accepted); nothing when invalid.
std::optional<double> textToFloat(const QString &text);
// The general float format: shortest form, up to 15 significant digits.
QString floatToText(double value);
// A date-time day count (days since 30.12.1899) as the short date, with the
// time appended unless it is midnight.
QString dateToText(double dayCount);

} // namespace bralvo::platform
