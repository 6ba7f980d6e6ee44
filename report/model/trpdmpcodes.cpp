// Decoding of printer code texts.
#include "report/model/trpdmpcodes.h"

#include "platform/conversionerror.h"

#include <QStringList>

namespace bralvo::report {

namespace {

[[noreturn]] void invalidCode(const QString &part)
{
    throw platform::ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(part));
}

// Digits only: toInt alone would take "+5" and " 5".
char decimalByte(const QString &part)
{
    bool allDigits = !part.isEmpty();
    for (QChar c : part)
        allDigits = allDigits && c >= u'0' && c <= u'9';
    bool ok = false;
    const int code = allDigits ? part.toInt(&ok) : -1;
    if (!ok || code > 255)
        invalidCode(part);
    return char(code);
}

QByteArray decodeDecimal(const QString &text)
{
    QByteArray bytes;
    const QStringList parts = text.mid(1).split(u'#');
    for (const QString &part : parts)
        bytes.append(decimalByte(part));
    return bytes;
}

QByteArray decodeHex(const QString &text)
{
    QByteArray bytes;
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        const QString pair = text.mid(i, 2);
        bool ok = false;
        const int code = pair.toInt(&ok, 16);
        if (!ok || !pair.at(0).isLetterOrNumber() || !pair.at(1).isLetterOrNumber())
            invalidCode(QLatin1Char('$') + pair);
        bytes.append(char(code));
    }
    return bytes;
}

} // namespace

QByteArray DecodeCommand(const QString &text)
{
    if (text.startsWith(u'#'))
        return decodeDecimal(text);
    return decodeHex(text);
}

} // namespace bralvo::report
