// MD5 (RFC 1321) and HMAC-MD5 (RFC 2104) over byte strings, and the
// 32-digit lower-case form used for password and folder digests.
#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>

namespace bralvo::services {

// An MD5 computation in progress; belongs to one caller.
struct Md5Context {
    QCryptographicHash hash{QCryptographicHash::Md5};
};

// Starts (or restarts) the context on the empty message.
void Md5Begin(Md5Context &context);
// Adds bytes to the message; any length, also empty.
void Md5Feed(Md5Context &context, const QByteArray &bytes);
// The 16-byte digest of everything fed since Md5Begin.
QByteArray Md5Finish(Md5Context &context);

// The 16-byte digest of the bytes.
QByteArray Md5String(const QByteArray &bytes);

// The 16-byte HMAC-MD5 of text under key; a key longer than 64 bytes is
// replaced by its MD5 first.
QByteArray HmacMd5String(const QByteArray &text, const QByteArray &key);

// Two lower-case hexadecimal digits per byte; empty in, empty out.
QString BinToLowerHex(const QByteArray &bytes);

// The stored digest of a text (passwords, database folder names): the
// lower-case hexadecimal MD5 of its Windows-1250 bytes, or of its UTF-8
// bytes when it holds a character Windows-1250 lacks.
QString TextDigestHex(const QString &text);

} // namespace bralvo::services
