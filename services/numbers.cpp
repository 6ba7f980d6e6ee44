// The forgiving number reader and the money and decimal formats.
#include "services/numbers.h"

#include "services/moneytext.h"

#include "platform/conversionerror.h"
#include "platform/floattext.h"
#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"

#include <charconv>
#include <cmath>
#include <optional>

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

// A plain "-123,45" or "123.45" (digits, one decimal mark, a leading
// minus) read at once: grids parse thousands of them. Anything else goes
// the general way, which reads these to the same value.
std::optional<double> plainNumber(const QString &text)
{
    char buffer[64];
    const qsizetype n = text.size();
    if (n == 0 || n >= qsizetype(sizeof buffer))
        return std::nullopt;
    bool mark = false;
    bool digitBeforeMark = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= u'0' && c <= u'9') {
            buffer[i] = char(c);
            digitBeforeMark = digitBeforeMark || !mark;
        } else if ((c == u',' || c == u'.') && !mark && digitBeforeMark && i + 1 < n) {
            buffer[i] = '.';
            mark = true;
        } else if (!(c == u'-' && i == 0)) {
            return std::nullopt;
        } else {
            buffer[i] = '-';
        }
    }
    if (!digitBeforeMark)
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(buffer, buffer + n, value);
    if (result.ec != std::errc() || result.ptr != buffer + n)
        return std::nullopt;
    return value;
}

} // namespace

double ParseNumber(const QString &text)
{
    if (const std::optional<double> plain = plainNumber(text))
        return *plain;
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
