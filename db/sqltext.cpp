// Value encodings of SQL text.
#include "db/sqltext.h"

#include "db/esqliteexception.h"
#include "services/numbers.h"

#include <QLocale>
#include <cmath>

namespace bralvo::db {

namespace {

bool isAsciiDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

QString EscapeQuotes(const QString &text)
{
    QString result = text;
    return result.replace(QLatin1Char('\''), QLatin1String("''"));
}

QString SqlQuoted(const QString &text)
{
    QString value = text;
    value.remove(QChar(0));
    return QLatin1Char('\'') + EscapeQuotes(value) + QLatin1Char('\'');
}

QString SqlId(const QString &idText)
{
    const QString id = idText.trimmed();
    if (id.isEmpty() || id.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("NULL");
    if (!isAsciiDigits(id) || id.size() > 19)
        throw ESQLiteException(QStringLiteral("Invalid record id: ") + idText);
    return id;
}

QString SqlId(qint64 id)
{
    if (id < 0)
        throw ESQLiteException(QStringLiteral("Invalid record id: ") + QString::number(id));
    return QString::number(id);
}

QString SqlYear(const QString &yearText)
{
    if (yearText.size() != 4 || !isAsciiDigits(yearText))
        throw ESQLiteException(QStringLiteral("Invalid year: ") + yearText);
    return QLatin1Char('\'') + yearText + QLatin1Char('\'');
}

QString SqlNumber(double value)
{
    if (!std::isfinite(value))
        throw ESQLiteException(QStringLiteral("Invalid number"));
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString NumberToSqlText(const QString &typedNumber)
{
    const double value = services::ParseNumber(typedNumber);
    if (!std::isfinite(value))
        throw ESQLiteException(QStringLiteral("Invalid number"));
    // QString::number is locale-independent: "." and never any grouping.
    const QString text = QString::number(value, 'f', 8);
    if (text.toDouble() == 0)
        return QStringLiteral("0");
    return text;
}

QString DateToSqlDate(const QString &displayDate)
{
    return displayDate.mid(6, 4) + QLatin1Char('-') + displayDate.mid(3, 2) + QLatin1Char('-')
        + displayDate.mid(0, 2);
}

QString SqlDateToDate(const QString &sqlDate)
{
    // Built in place: lists convert thousands of dates.
    const QStringView date(sqlDate);
    QString result;
    result.reserve(10);
    result.append(date.mid(8, 2)).append(QLatin1Char('.')).append(date.mid(5, 2)).append(QLatin1Char('.'))
        .append(date.mid(0, 4));
    if (result == QLatin1String("  .  .    "))
        return QString();
    return result;
}

QString SqlDateLiteral(const QString &displayDate)
{
    return SqlQuoted(DateToSqlDate(displayDate));
}

QString LiveRowWhere(const char *column, const QString &value)
{
    return QStringLiteral(" WHERE (") + QLatin1String(column) + QStringLiteral(" = ") + SqlQuoted(value)
        + QStringLiteral(") AND (existuje = 1)");
}

void AppendAnd(QString &condition)
{
    if (!condition.isEmpty())
        condition += QLatin1String(" AND ");
}

QString JoinSqlLines(const QStringList &lines)
{
    return lines.join(QLatin1String("\r\n"));
}

} // namespace bralvo::db
