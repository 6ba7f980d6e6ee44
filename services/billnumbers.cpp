// Trailing-number arithmetic of bill numbers.
#include "services/billnumbers.h"

#include "platform/conversionerror.h"

namespace bralvo::services {

namespace {

qsizetype trailingRunStart(const QString &text)
{
    qsizetype start = text.size();
    while (start > 0 && text.at(start - 1) >= u'0' && text.at(start - 1) <= u'9')
        --start;
    return start;
}

[[noreturn]] void outOfRange(const QString &text)
{
    throw platform::ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

} // namespace

QString IncrementTrailingNumber(const QString &text, int n)
{
    QString run = text.mid(trailingRunStart(text));
    if (run.isEmpty())
        run = QStringLiteral("0");
    bool ok = false;
    const qint64 value = run.toLongLong(&ok);
    if (!ok)
        outOfRange(run);
    qint64 sum = 0;
    if (__builtin_add_overflow(value, qint64(n), &sum))
        outOfRange(run);
    QString digits = QString::number(sum);
    if (digits.size() < run.size())
        digits = digits.rightJustified(run.size(), u'0');
    return digits;
}

QString TrailingNumberPrefix(const QString &text)
{
    return text.left(trailingRunStart(text));
}

} // namespace bralvo::services
