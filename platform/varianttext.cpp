// Text conversions of Variant (see varianttext.h).
#include "platform/varianttext.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <cmath>

namespace bralvo::platform {

namespace {

QChar decimalSeparator()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLatin1Char(',');
    return system.decimalPoint().at(0);
}

} // namespace

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
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (const auto i = textToInteger(t))
        return double(*i);
    t.replace(decimalSeparator(), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

QString floatToText(double value)
{
    QString s = QString::number(value, 'g', 15);
    s.replace(QLatin1Char('.'), decimalSeparator());
    s.replace(QLatin1String("e+"), QLatin1String("E"));
    s.replace(QLatin1String("e-"), QLatin1String("E-"));
    return s;
}

QString dateToText(double dayCount)
{
    const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
    const qint64 ms = qint64(std::llround(dayCount * 86400000.0));
    const QDateTime at = epoch.addMSecs(ms);
    QString s = at.date().toString(QStringLiteral("dd.MM.yyyy"));
    if (at.time() != QTime(0, 0))
        s += QLatin1Char(' ') + at.time().toString(QStringLiteral("hh:mm:ss"));
    return s;
}

} // namespace bralvo::platform
