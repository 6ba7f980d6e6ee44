// The money form "###,###,##0.00" written straight from the number's
// decimal digits, for grids that show thousands of amounts. It gives the
// very text the picture formatter gives for that pattern.
#pragma once

#include <QString>
#include <optional>

namespace bralvo::services {

// Grouped thousands, two decimals, halves away from zero on the decimal
// value (at most 15 significant digits), no minus on a value that shows
// as zero. nullopt for values the fast form leaves to the picture
// formatter: infinity, NaN and values whose shortest form has more than
// 15 significant digits.
std::optional<QString> QuickMoneyText(double value, QChar decimalSeparator, QChar thousandSeparator);

} // namespace bralvo::services
