// Texts the PDF writer puts into the file: numbers, strings of the
// document information and bookmarks, escaped page text, right-to-left
// lines, and the code page that goes with a font's character set.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace bralvo::report {

// The character set the program's texts are in: a font with the default
// character set (1) is written in this one.
inline constexpr int kProgramCharset = 238;

// Two decimals with "."; whole values as integers (1, 595, 56.25); a
// number that is not finite as 0.
QString PdfNumber(double x);
// "(text)" with "\", "(" and ")" escaped when every character is in the
// range 32..122, else "<FEFF" + the UTF-16 units in upper-case hex + ">".
QString PdfTextString(const QString &text);
// Page text bytes: "\" becomes "\\", then "(" and ")" get a backslash.
QByteArray EscapePdfText(const QByteArray &line);
// The line reversed, brackets mirrored, and every run of codes 33..121
// (numbers, Latin words) turned back to read left to right.
QString ReverseRtlLine(const QString &line);

// Default character set (1) -> kProgramCharset; others unchanged.
int ResolvedCharset(int charset);
// The code page of a character set ("windows-1250", "Shift_JIS", ...).
const char *CodePageOfCharset(int charset);
// Text in the code page, or nothing when a character does not fit.
// Single-byte pages use a table made once per page (page text converts
// line by line).
std::optional<QByteArray> EncodeExactly(const QString &text, const char *codePage);

// The four East Asian character sets written as CID fonts.
bool IsCidCharset(int charset);

} // namespace bralvo::report
