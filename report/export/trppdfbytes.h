// Numbers and operators written straight into a byte buffer: page content
// is built without an intermediate text per number.
#pragma once

#include <QByteArray>

namespace bralvo::report {

// Two decimals with "."; whole values as integers (1, 595, 56.25). Exact
// halves round away from zero (1.125 gives 1.13).
void AppendPdfNumber(QByteArray &out, double x);
void AppendPdfInt(QByteArray &out, long long value);

// The same into a character buffer with room for kPdfNumberRoom more
// characters; returns the end of what was written.
inline constexpr int kPdfNumberRoom = 400;
char *PutPdfNumber(char *at, double x);
char *PutPdfInt(char *at, long long value);

} // namespace bralvo::report
