// The number texts the database layer reads and shows, gathered in one
// place so that they follow the program's regional settings.
#pragma once

#include <QString>

namespace bralvo::db {

// The general float format: up to 15 significant digits, the user's
// decimal separator (as the grids show values).
QString generalFloatText(double value);

// A typed number: either decimal separator, stray characters dropped, an
// empty text or "-" as 0 ("12 ks" -> 12, "abc-12" -> -12). Throws
// platform::ConversionError when the text stays malformed ("1,2,3").
double parseTypedNumber(const QString &text);

} // namespace bralvo::db
