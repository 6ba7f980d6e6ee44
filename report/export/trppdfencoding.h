// The glyph-name differences that turn the standard Latin encoding into
// a Windows code page, one run per entry: a start code and the names of
// consecutive codes ("129 /afii10052 /quotesinglbase ...").
#pragma once

#include <QStringList>

namespace bralvo::report {

// Empty for a character set written without differences.
QStringList PdfDifferences(int charset);

} // namespace bralvo::report
