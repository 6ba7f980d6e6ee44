// String helpers the query model's stored text depends on: checksum,
// whitespace stripping, delimited parts, Base64 and zlib packing.
// Their exact behaviour is part of the stored format, so keep it fixed.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace bralvo::report {

// CRC-32 (IEEE 802.3, as zlib) over the text's UTF-8 bytes, the encoding
// the packed model is stored in.
quint32 CalcCRC32(const QString &text);
// The same over the text's Windows-1250 bytes, as models stored before
// the checksum moved to UTF-8 carry it; nullopt when the text has a
// character that code page lacks.
std::optional<quint32> CalcCRC32Cp1250(const QString &text);

// Drops every character of charSet, then turns each run of spaces into one.
QString StripLineBreaks(const QString &text, const QString &charSet);

// The n-th part (1-based) of text split at separator; with toEnd, that part
// and everything after it. A part past the end is empty.
QString GetDelimitedPart(QChar separator, const QString &text, int n, bool toEnd);

// RFC 4648, "=" padding, no line breaks; empty in, empty out.
QString Base64Encode(const QByteArray &data);
// Throws EqbError for characters outside the alphabet or a bad length.
QByteArray Base64Decode(const QString &text);

// zlib (RFC 1950) at level 9 of the text's UTF-8 bytes, then Base64.
QString CompressString(const QString &text);
// A stored model never comes near this; more is taken for a forged text.
constexpr qsizetype MaxModelTextBytes = 16 * 1024 * 1024;

// Inverse of CompressString; throws EqbError when the text is not Base64
// or not zlib data, or would expand past MaxModelTextBytes.
QString DecompressString(const QString &text);

} // namespace bralvo::report
