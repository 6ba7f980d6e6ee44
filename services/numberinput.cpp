// Strict checks of typed numbers.
#include "services/numberinput.h"

#include "services/numbers.h"
#include "services/uitexts.h"

#include <QRegularExpression>

namespace bralvo::services {

bool IsTypedNumber(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*-?\\s*\\d{1,3}(?:[ \\x{00A0}]?\\d{3})*(?:[.,]\\d+)?\\s*$|^\\s*-?\\d+(?:[.,]\\d+)?\\s*$"));
    return pattern.match(text).hasMatch();
}

bool IsTypedNumberWithin(const QString &text, double min, double max)
{
    if (!IsTypedNumber(text))
        return false;
    const double value = ParseNumber(text);
    return value >= min && value <= max;
}

QString NumberRefusalText(const QString &label)
{
    return FillPlaceholders(MessageText(313), {label});
}

QString RangeRefusalText(const QString &label, int min, int max)
{
    return FillPlaceholders(MessageText(314), {label, QString::number(min), QString::number(max)});
}

} // namespace bralvo::services
