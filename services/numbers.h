// Amounts, quantities and rates as text: the forgiving reader every edit
// field and grid cell goes through, and the money and decimal formats of
// the grids and printouts. All follow the process-wide regional settings
// (platform/regionalsettings.h) as they are at the moment of the call.
#pragma once

#include <QChar>
#include <QString>

namespace bralvo::services {

// Takes the number out of a typed or formatted text: "1 234,5", "1234.5",
// "12 ks", "19 %" and "abc-12" all read. Either "," or "." is the decimal
// separator; other characters are dropped; when the text holds a "-",
// everything before the first "-", digit 1-9 or decimal separator goes
// (so "0-5" is -5). An empty result or a lone "-" is 0. Throws
// platform::ConversionError when what is left is still no number
// ("1,2,3", "12-3", "--5", "1.234,50").
double ParseNumber(const QString &text);

// The smallest integer not below ParseNumber(text): "2.1" gives 3,
// "-2.1" gives -2. Throws platform::ConversionError as ParseNumber does,
// and when the result lies outside the 32-bit range.
int ParseNumberCeil(const QString &text);

// "###,###,##0.00": grouped thousands, exactly two decimals, halves away
// from zero on the decimal value (0.125 gives "0,13"; -5 gives "-5,00").
QString FormatMoney(double value);

// Grouped thousands and exactly `decimals` decimals ("###,###,##0.0000"
// for 4); decimals <= 0 gives no decimals at all.
QString FormatNumberDecimals(int decimals, double value);

// Every `from` in the text replaced by `to`.
QString ReplaceChar(const QString &text, QChar from, QChar to);

// "," when the regional decimal separator is ".", otherwise ".".
QChar OtherDecimalSeparator();

// The text without its digits "0" to "9".
QString StripDigits(const QString &text);

} // namespace bralvo::services
