// The forgiving number reader and the money and decimal formats.
#include "services/numbers.h"

#include "services/moneytext.h"

#include "platform/conversionerror.h"
#include "platform/floattext.h"
#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"

#include <cmath>

namespace bralvo::services {

using platform::regionalSettings;

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The digits, "-" and decimal separators of a typed number, as the
// regional float reader expects them.
QString numberPart(const QString &text, QChar decimalSeparator)
{
    QString s = text;
    if (s.contains(u'-')) {
        qsizetype start = 0;
        while (start < s.size() && s.at(start) != u'-' && s.at(start) != decimalSeparator
               && !(s.at(start) >= u'1' && s.at(start) <= u'9'))
            ++start;
        s.remove(0, start);
    }
    for (QChar &c : s) {
        if (c == u',' || c == u'.')
            c = decimalSeparator;
    }
    QString kept;
    for (QChar c : s) {
        if (isDigit(c) || c == u'-' || c == decimalSeparator)
            kept += c;
    }
    return (kept.isEmpty() || kept == QStringLiteral("-")) ? QStringLiteral("0") : kept;
}

} // namespace

double ParseNumber(const QString &text)
{
    const platform::RegionalSettings &settings = regionalSettings();
    return platform::StrToFloat(numberPart(text, settings.decimalSeparator), settings);
}

int ParseNumberCeil(const QString &text)
{
    const double value = std::ceil(ParseNumber(text));
    if (!(value >= -2147483648.0 && value <= 2147483647.0))
        throw platform::ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return int(value);
}

QString FormatMoney(double value)
{
    const platform::RegionalSettings &settings = regionalSettings();
    // Grids show thousands of amounts: the quick form gives the same text.
    if (std::optional<QString> quick = QuickMoneyText(value, settings.decimalSeparator, settings.thousandSeparator))
        return *std::move(quick);
    return platform::FormatFloat(QStringLiteral("###,###,##0.00"), value, settings);
}

QString FormatNumberDecimals(int decimals, double value)
{
    const QString pattern = QStringLiteral("###,###,##0.") + QString(qMax(0, decimals), u'0');
    return platform::FormatFloat(pattern, value, regionalSettings());
}

QString ReplaceChar(const QString &text, QChar from, QChar to)
{
    QString result = text;
    return result.replace(from, to);
}

QChar OtherDecimalSeparator()
{
    return regionalSettings().decimalSeparator == u'.' ? u',' : u'.';
}

QString StripDigits(const QString &text)
{
    QString result;
    for (QChar c : text) {
        if (!isDigit(c))
            result += c;
    }
    return result;
}

} // namespace bralvo::services
