// The trailing-number arithmetic of bill numbers: "2009/0041" is followed
// by "2009/0042", "FA" by "FA1".
#pragma once

#include <QString>

namespace bralvo::services {

// The trailing digit run of the text (or "0" when it has none) plus n,
// written in decimal and padded on the left with "0" to the run's length;
// a longer result stays whole. Only the number part is returned:
// "FA0099" + 1 gives "0100", "99" + 1 gives "100", "ABC" + 1 gives "1",
// "0100" - 1 gives "0099". Throws platform::ConversionError when the run
// or the sum lies beyond the signed 64-bit range.
QString IncrementTrailingNumber(const QString &text, int n);

// The text without its trailing digit run: "2009/0041" gives "2009/",
// "123" gives "", "FA" gives "FA".
QString TrailingNumberPrefix(const QString &text);

} // namespace bralvo::services
