// Trimming and splitting routines shared by the mail and socket code.
// Each comes for QByteArray (protocol bytes) and QString (text); both
// behave alike. Positions count from 1. No routine throws.
#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace bralvo::services {

// Remove only the blank (code 32); tabs and other control characters stay.
QByteArray TrimBlanksLeft(const QByteArray &text);
QByteArray TrimBlanksRight(const QByteArray &text);
QByteArray TrimBlanks(const QByteArray &text);
QString TrimBlanksLeft(const QString &text);
QString TrimBlanksRight(const QString &text);
QString TrimBlanks(const QString &text);

// The part before / after the first occurrence of the whole separator;
// the whole text when it does not occur or is empty.
QByteArray TextBefore(const QByteArray &text, const QByteArray &separator);
QByteArray TextAfter(const QByteArray &text, const QByteArray &separator);
QString TextBefore(const QString &text, const QString &separator);
QString TextAfter(const QString &text, const QString &separator);

// The address between "<" and ">", trimmed of every character with a code
// of 32 or below; a field without brackets gives itself, so trimmed.
QByteArray ExtractAngleAddress(const QByteArray &field);
QString ExtractAngleAddress(const QString &field);

// The part before the first separator; text keeps what follows it. When
// the separator does not occur, the whole text is returned and text
// becomes empty.
QByteArray FetchRaw(QByteArray &text, const QByteArray &separator);
QString FetchRaw(QString &text, const QString &separator);
// FetchRaw with the result and the rest trimmed of blanks.
QByteArray FetchTrimmed(QByteArray &text, const QByteArray &separator);
QString FetchTrimmed(QString &text, const QString &separator);
// The text up to the first delimiter outside a quoted run (quotes kept,
// nothing trimmed); text keeps what follows that delimiter.
QByteArray FetchQuoted(QByteArray &text, const QByteArray &delimiter, const QByteArray &quote);
QString FetchQuoted(QString &text, const QString &delimiter, const QString &quote);

// Position (from 1) of the first CR or LF, or -1. terminator receives what
// stands there: CR, LF, CR LF or LF CR ("" when none).
int FindLineBreak(const QByteArray &text, QByteArray &terminator);
int FindLineBreak(const QString &text, QString &terminator);

// Writes the bytes at the device's position; false when not all were
// written.
bool WriteStringToStream(QIODevice &stream, const QByteArray &text);

} // namespace bralvo::services
