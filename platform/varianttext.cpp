// Text conversions of Variant (see varianttext.h), over the shared
// formatting routines and the process-wide regional settings.
#include "platform/varianttext.h"
#include "platform/floattext.h"
#include "platform/formatdatetime.h"
#include "platform/regionalsettings.h"

namespace bralvo::platform {

std::optional<qint64> textToInteger(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    qint64 v = 0;
    if (t.startsWith(QLatin1Char('$')))
        v = t.mid(1).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("-$")))
        v = -t.mid(2).toLongLong(&ok, 16);
    else
        v = t.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<double> textToFloat(const QString &text)
{
    if (const auto i = textToInteger(text))
        return double(*i);
    const RegionalSettings &settings = regionalSettings();
    if (const auto d = TryStrToFloat(text, settings))
        return d;
    // Texts written by programs use "." whatever the region.
    if (settings.decimalSeparator != QLatin1Char('.') && text.contains(QLatin1Char('.'))
        && !text.contains(settings.decimalSeparator)) {
        QString dotted = text;
        dotted.replace(QLatin1Char('.'), settings.decimalSeparator);
        return TryStrToFloat(dotted, settings);
    }
    return std::nullopt;
}

QString floatToText(double value)
{
    return FloatToStr(value, regionalSettings());
}

QString dateToText(double dayCount)
{
    return FormatDateTime(QStringLiteral("c"), dayCount, regionalSettings());
}

} // namespace bralvo::platform
