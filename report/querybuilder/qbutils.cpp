// String helpers of the query model's stored text.
#include "report/querybuilder/qbutils.h"

#include "report/querybuilder/eqberror.h"

#include <QStringEncoder>
#include <limits>
#include <zlib.h>

namespace bralvo::report {

namespace {

// Refuses lengths zlib's uLong cannot hold instead of truncating them.
uLong zlibLength(qsizetype size)
{
    if (size < 0 || quint64(size) > quint64(std::numeric_limits<uInt>::max()))
        throw EqbError(QStringLiteral("The model text is too long."));
    return uLong(size);
}

quint32 crcOf(const QByteArray &bytes)
{
    return quint32(crc32(0L, reinterpret_cast<const Bytef *>(bytes.constData()),
                         uInt(zlibLength(bytes.size()))));
}

} // namespace

quint32 CalcCRC32(const QString &text) { return crcOf(text.toUtf8()); }

std::optional<quint32> CalcCRC32Cp1250(const QString &text)
{
    QStringEncoder cp1250("windows-1250");
    const QByteArray bytes = cp1250.encode(text);
    if (!cp1250.isValid() || cp1250.hasError())
        return std::nullopt;
    return crcOf(bytes);
}

QString StripLineBreaks(const QString &text, const QString &charSet)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (charSet.contains(c))
            continue;
        if (c == u' ' && out.endsWith(u' '))
            continue;
        out.append(c);
    }
    return out;
}

QString GetDelimitedPart(QChar separator, const QString &text, int n, bool toEnd)
{
    QString rest = text;
    if (!rest.endsWith(separator))
        rest.append(separator);
    QString part;
    for (int i = 0; i < n; ++i) {
        const qsizetype at = rest.indexOf(separator);
        if (toEnd)
            part = rest.left(rest.size() - 1);
        else
            part = at < 0 ? rest : rest.left(at);
        rest = at < 0 ? QString() : rest.mid(at + 1);
    }
    return part;
}

QString Base64Encode(const QByteArray &data)
{
    return QString::fromLatin1(data.toBase64());
}

QByteArray Base64Decode(const QString &text)
{
    const auto result = QByteArray::fromBase64Encoding(
        text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!result || text.size() % 4 != 0)
        throw EqbError(QStringLiteral("The model text is not valid Base64 data."));
    return *result;
}

QString CompressString(const QString &text)
{
    const QByteArray in = text.toUtf8();
    uLongf outSize = compressBound(zlibLength(in.size()));
    QByteArray out(qsizetype(outSize), '\0');
    const int rc = compress2(reinterpret_cast<Bytef *>(out.data()), &outSize,
                             reinterpret_cast<const Bytef *>(in.constData()),
                             zlibLength(in.size()), 9);
    if (rc != Z_OK)
        throw EqbError(QStringLiteral("The model could not be compressed."));
    out.resize(qsizetype(outSize));
    return Base64Encode(out);
}

QString DecompressString(const QString &text)
{
    QByteArray in = Base64Decode(text);
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        throw EqbError(QStringLiteral("The model could not be expanded."));
    zs.next_in = reinterpret_cast<Bytef *>(in.data());
    zs.avail_in = uInt(zlibLength(in.size()));
    QByteArray out;
    int rc = Z_OK;
    char buffer[4096];
    while (rc == Z_OK) {
        zs.next_out = reinterpret_cast<Bytef *>(buffer);
        zs.avail_out = sizeof buffer;
        rc = inflate(&zs, Z_NO_FLUSH);
        out.append(buffer, qsizetype(sizeof buffer - zs.avail_out));
        if (out.size() > MaxModelTextBytes) {
            inflateEnd(&zs);
            throw EqbError(QStringLiteral("The model text is too long."));
        }
        if (rc == Z_OK && zs.avail_in == 0 && zs.avail_out != 0)
            rc = Z_DATA_ERROR; // input ended before the zlib stream did
    }
    inflateEnd(&zs);
    if (rc != Z_STREAM_END)
        throw EqbError(QStringLiteral("The model text is not valid compressed data."));
    return QString::fromUtf8(out);
}

} // namespace bralvo::report
