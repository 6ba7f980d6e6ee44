// A sum of money written in Slovak words for the receipt printout
// ("dvanásťtisíctristoštyridsaťpäť"). Words are joined without blanks and
// no currency word is added.
#pragma once

#include <QString>

namespace bralvo::services {

// The whole part of the amount (rounded down) in words, for 1 up to
// 999 999 999. Anything else (below 1, 1 000 000 000 or more, NaN) gives
// the empty text.
QString AmountInWords(double amount);

// n from 0 to 99 999 in words; 0 gives the empty text. 10 000..19 999 are
// read as 10..19 thousand ("dvanásťtisíc..."). Outside the range: "".
QString ThousandsInWords(int n);

// The word for a digit value v (1..19) at a position (1, 100 or 1000):
// "jeden"/"jednosto"/"jedentisíc", "päť"/"päťsto"/"päťtisíc" and so on.
// Any other position or value gives the empty text.
QString DigitWord(int position, int v);

} // namespace bralvo::services
