// Code-page conversions through Qt's converters.
#include "platform/textcodec.h"

#include "platform/error.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace bralvo::platform {

namespace {

QStringEncoder encoderFor(const char *codePage)
{
    QStringEncoder encoder(codePage, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        throw bralvo::Error(QStringLiteral("Unknown code page \"%1\".").arg(QLatin1String(codePage)));
    return encoder;
}

// Encodes one character at a time so that each one the code page lacks
// becomes a single "?" instead of the converter's substitute byte.
QByteArray encodeWithQuestionMarks(const QString &text, const char *codePage)
{
    QByteArray result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder encoder = encoderFor(codePage);
        const QByteArray bytes = encoder.encode(QStringView(text).mid(i, length));
        result += encoder.hasError() ? QByteArray("?") : bytes;
        i += length;
    }
    return result;
}

} // namespace

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

QString decodeText(const QByteArray &bytes)
{
    if (isValidUtf8(bytes)) {
        QStringDecoder decoder(QStringConverter::Utf8);  // drops a byte-order mark
        return decoder.decode(bytes);
    }
    return decodeText(bytes, kWindows1250);
}

QByteArray digestBytes(const QString &text)
{
    if (const std::optional<QByteArray> bytes = encodeTextExactly(text, kWindows1250))
        return *bytes;
    return text.toUtf8();
}

QByteArray encodeText(const QString &text, const char *codePage)
{
    if (const std::optional<QByteArray> bytes = encodeTextExactly(text, codePage))
        return *bytes;
    return encodeWithQuestionMarks(text, codePage);
}

std::optional<QByteArray> encodeTextExactly(const QString &text, const char *codePage)
{
    QStringEncoder encoder = encoderFor(codePage);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

QString decodeText(const QByteArray &bytes, const char *codePage)
{
    QStringDecoder decoder(codePage, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        throw bralvo::Error(QStringLiteral("Unknown code page \"%1\".").arg(QLatin1String(codePage)));
    return decoder.decode(bytes);
}

} // namespace bralvo::platform
