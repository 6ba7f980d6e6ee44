// FloatToStr and StrToFloat: the general number text and its reader.
#include "platform/floattext.h"

#include "platform/conversionerror.h"
#include "platform/decimaltext.h"
#include "platform/regionalsettings.h"

#include <charconv>
#include <cmath>
#include <string>

namespace bralvo::platform {

namespace {

QString specialText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString scientificText(const DecimalDigits &d, QChar decimalSeparator)
{
    QString text = d.negative ? QStringLiteral("-") : QString();
    text += d.digits.at(0);
    if (d.digits.size() > 1)
        text += decimalSeparator + d.digits.mid(1);
    return text + u'E' + QString::number(d.exponent - 1);
}

// Blanks, sign, digits, one separator, optional exponent, blanks.
std::optional<std::string> normalisedNumber(const QString &text, QChar decimalSeparator)
{
    const QString t = text.trimmed();
    std::string out;
    qsizetype i = 0;
    if (i < t.size() && (t.at(i) == u'-' || t.at(i) == u'+'))
        out.push_back(char(t.at(i++).unicode()));
    int mantissaDigits = 0;
    bool separatorSeen = false;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c >= u'0' && c <= u'9') {
            out.push_back(char(c.unicode()));
            ++mantissaDigits;
        } else if (c == decimalSeparator && !separatorSeen) {
            out.push_back('.');
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < t.size() && (t.at(i) == u'e' || t.at(i) == u'E')) {
        out.push_back('e');
        ++i;
        if (i < t.size() && (t.at(i) == u'-' || t.at(i) == u'+'))
            out.push_back(char(t.at(i++).unicode()));
        int exponentDigits = 0;
        for (; i < t.size() && t.at(i) >= u'0' && t.at(i) <= u'9'; ++i, ++exponentDigits)
            out.push_back(char(t.at(i).unicode()));
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;
    return out;
}

} // namespace

QString FloatToStr(double value, const RegionalSettings &settings)
{
    if (!std::isfinite(value))
        return specialText(value);
    const DecimalDigits d = decimalDigits(value);
    if (d.isZero())
        return QStringLiteral("0");
    if (d.exponent > 15 || d.exponent < -3)
        return scientificText(d, settings.decimalSeparator);
    QString text = toPlainText(d);
    text.replace(u'.', settings.decimalSeparator);
    return text;
}

std::optional<double> TryStrToFloat(const QString &text, const RegionalSettings &settings)
{
    const std::optional<std::string> number = normalisedNumber(text, settings.decimalSeparator);
    if (!number)
        return std::nullopt;
    const char *first = number->data();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto result = std::from_chars(first, number->data() + number->size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is no number.
        const auto e = number->find('e');
        if (e == std::string::npos || (*number)[e + 1] != '-')
            return std::nullopt;
        return 0.0;
    }
    if (result.ec != std::errc() || result.ptr != number->data() + number->size())
        return std::nullopt;
    return value;
}

double StrToFloat(const QString &text, const RegionalSettings &settings)
{
    if (const std::optional<double> value = TryStrToFloat(text, settings))
        return *value;
    throw ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

} // namespace bralvo::platform
