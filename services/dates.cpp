// Dates as the windows show them and the patterns the program writes.
#include "services/dates.h"

#include "platform/formatdatetime.h"
#include "platform/regionalsettings.h"

#include <optional>

namespace bralvo::services {

namespace {

// A decimal integer with an optional sign, as the date fields are read.
std::optional<int> fieldValue(const QString &text)
{
    qsizetype i = 0;
    if (!text.isEmpty() && (text.at(0) == u'-' || text.at(0) == u'+'))
        ++i;
    if (i == text.size())
        return std::nullopt;
    int value = 0;
    for (; i < text.size(); ++i) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return std::nullopt;
        value = value * 10 + (text.at(i).unicode() - '0');
    }
    return text.at(0) == u'-' ? -value : value;
}

bool hasDateForm(const QString &text)
{
    if (text.size() != 10 || text.at(2) != u'.' || text.at(5) != u'.')
        return false;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (text.at(i) == u'.')
            return false;
    }
    return true;
}

} // namespace

QString FormatDateTimeText(const QString &format, const QDateTime &value)
{
    return platform::FormatDateTime(format, value, platform::regionalSettings());
}

QString FormatDateTimeText(const QString &format, const QDate &date)
{
    return platform::FormatDateTime(format, QDateTime(date, QTime(0, 0), Qt::UTC), platform::regionalSettings());
}

int ParseDateCore(const QString &text, int dayOffset, QDate &date)
{
    if (!hasDateForm(text))
        return 1;
    const std::optional<int> year = fieldValue(text.mid(6, 4));
    const std::optional<int> day = fieldValue(text.mid(0, 2));
    const std::optional<int> month = fieldValue(text.mid(3, 2));
    if (!year || !day || !month || *year < 1)
        return 2;
    const QDate parsed(*year, *month, *day);
    if (!parsed.isValid())
        return 2;
    date = parsed.addDays(dayOffset);
    return 0;
}

QDate ParseDate(const QString &text)
{
    QDate date;
    ParseDateCore(text, 0, date);
    return date;
}

QString YearText(const QDate &date)
{
    return FormatDateTimeText(QStringLiteral("yyyy"), date);
}

QString CurrentYearString()
{
    return YearText(QDate::currentDate());
}

} // namespace bralvo::services
