// Code-page conversions at the program's edges. Text inside is QString;
// these routines turn file, digest and console bytes into text and back
// through Qt's (ICU) converters, never through hand-written tables.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace bralvo::platform {

// Code page names accepted below ("windows-1250", "IBM852" and any other
// name Qt's converters know).
inline constexpr char kWindows1250[] = "windows-1250";
inline constexpr char kIbm852[] = "IBM852";

// True when the bytes are well-formed UTF-8 (an empty array is).
bool isValidUtf8(const QByteArray &bytes);

// Bytes of a text file: UTF-8 when valid (a leading byte-order mark is
// dropped), else Windows-1250, so files from a Windows installation read.
QString decodeText(const QByteArray &bytes);

// The bytes a digest of the text is taken over: Windows-1250 when every
// character is encodable so, else UTF-8 (digests stored by older
// installations keep matching).
QByteArray digestBytes(const QString &text);

// Encodes in the named code page; a character the code page lacks becomes
// "?", so the result has one byte per character for single-byte pages.
// Throws bralvo::Error when the code page is unknown.
QByteArray encodeText(const QString &text, const char *codePage);

// As encodeText, but std::nullopt when any character cannot be encoded.
// Throws bralvo::Error when the code page is unknown.
std::optional<QByteArray> encodeTextExactly(const QString &text, const char *codePage);

// Decodes bytes of the named code page. Throws bralvo::Error when the code
// page is unknown.
QString decodeText(const QByteArray &bytes, const char *codePage);

} // namespace bralvo::platform
