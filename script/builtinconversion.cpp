// Built-in conversions between values and text, through the platform's
// regional formatting routines.
#include "script/builtinfunctions.h"

#include "platform/conversionerror.h"
#include "platform/daycount.h"
#include "platform/floattext.h"
#include "platform/formatdatetime.h"
#include "platform/parsedatetime.h"
#include "platform/regionalsettings.h"
#include "script/runtimeerror.h"
#include "script/tschelpers.h"

#include <limits>

namespace bralvo::script {

namespace {

[[noreturn]] void notAnInteger(const QString &text)
{
    throw platform::ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

// Digits in the given base, accumulated without overflow; nullopt when
// a digit is missing or wrong or the value leaves 64 bits.
std::optional<quint64> digitsValue(QStringView digits, int base)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (QChar c : digits) {
        const int d = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
                      : base == 16 && c.toLower() >= u'a' && c.toLower() <= u'f' ? c.toLower().unicode() - 'a' + 10
                                                                                 : -1;
        if (d < 0 || __builtin_mul_overflow(value, quint64(base), &value)
            || __builtin_add_overflow(value, quint64(d), &value))
            return std::nullopt;
    }
    return value;
}

double dayCountArg(TscMethodHelper &h)
{
    return h.GetParamValue(0).toDouble();
}

} // namespace

qint64 textToInt64(const QString &text)
{
    QStringView rest = QStringView(text).trimmed();
    bool negative = false;
    if (!rest.isEmpty() && (rest[0] == u'-' || rest[0] == u'+')) {
        negative = rest[0] == u'-';
        rest = rest.mid(1);
    }
    int base = 10;
    if (rest.startsWith(u'$')) {
        base = 16;
        rest = rest.mid(1);
    } else if (rest.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        rest = rest.mid(2);
    }
    const std::optional<quint64> magnitude = digitsValue(rest, base);
    if (!magnitude)
        notAnInteger(text);
    // Hexadecimal may spell a negative number in two's complement ($FFFFFFFFFFFFFFFF = -1).
    if (base == 16 && !negative)
        return qint64(*magnitude);
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    if (*magnitude > limit)
        notAnInteger(text);
    return negative ? qint64(0 - *magnitude) : qint64(*magnitude);
}

int textToInt32(const QString &text)
{
    qint64 value = textToInt64(text);
    // Hexadecimal spells 32-bit two's complement: $FFFFFFFF is -1.
    const bool hex = text.contains(u'$') || text.contains(QLatin1String("0x"), Qt::CaseInsensitive);
    if (hex && value > std::numeric_limits<qint32>::max() && value <= 0xFFFFFFFFLL)
        value = qint32(quint32(value));
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        notAnInteger(text);
    return int(value);
}

QString valueText(const Variant &value)
{
    return value.isNull() || value.isEmpty() ? QString() : value.toString();
}

Variant callToText(const QString &name, TscMethodHelper &h)
{
    const platform::RegionalSettings &rs = platform::regionalSettings();
    if (name == QLatin1String("INTTOSTR"))
        return Variant(QString::number(h.GetParamValue(0).toInt64()));
    if (name == QLatin1String("FLOATTOSTR"))
        return Variant(platform::FloatToStr(h.GetParamValue(0).toDouble(), rs));
    if (name == QLatin1String("DATETOSTR"))
        return Variant(platform::FormatDateTime(QStringLiteral("ddddd"), dayCountArg(h), rs));
    if (name == QLatin1String("TIMETOSTR"))
        return Variant(platform::FormatDateTime(QStringLiteral("tt"), dayCountArg(h), rs));
    return Variant(platform::FormatDateTime(QStringLiteral("c"), dayCountArg(h), rs)); // DATETIMETOSTR
}

Variant callFromText(const QString &name, TscMethodHelper &h)
{
    const platform::RegionalSettings &rs = platform::regionalSettings();
    const QString text = valueText(h.GetParamValue(0));
    if (name == QLatin1String("STRTOINT"))
        return Variant(textToInt32(text));
    if (name == QLatin1String("STRTOINT64"))
        return Variant(textToInt64(text));
    if (name == QLatin1String("STRTOFLOAT"))
        return Variant(platform::StrToFloat(text, rs));
    if (name == QLatin1String("STRTODATE"))
        return Variant::fromDate(platform::dayCountFromDate(platform::StrToDate(text, rs)));
    if (name == QLatin1String("STRTOTIME")) {
        const QTime time = platform::StrToTime(text, rs);
        return Variant::fromDate(time.msecsSinceStartOfDay() / 86400000.0);
    }
    return Variant::fromDate(platform::dayCountFromDateTime(platform::StrToDateTime(text, rs)));
}

} // namespace bralvo::script
