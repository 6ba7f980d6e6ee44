// Numbers and operators written straight into a byte buffer: page content
// is built without an intermediate text per number.
#pragma once

#include <QByteArray>

namespace bralvo::report {

// Two decimals with "."; whole values as integers (1, 595, 56.25). Exact
// halves round away from zero (1.125 gives 1.13).
void AppendPdfNumber(QByteArray &out, double x);
void AppendPdfInt(QByteArray &out, long long value);

} // namespace bralvo::report
