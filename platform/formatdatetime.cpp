// FormatDateTime: picture formatting of dates and times.
#include "platform/formatdatetime.h"

#include "platform/daycount.h"
#include "platform/rangeerror.h"
#include "platform/regionalsettings.h"

namespace bralvo::platform {

namespace {

// True when an am/pm specifier appears at or after `from` (outside quotes).
bool ampmFollows(const QString &format, qsizetype from)
{
    for (qsizetype i = from; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'"' || c == u'\'') {
            const qsizetype end = format.indexOf(c, i + 1);
            if (end < 0)
                return false;
            i = end;
        } else if (c.toUpper() == u'A') {
            const QString rest = format.mid(i, 5).toUpper();
            if (rest.startsWith(QStringLiteral("AM/PM")) || rest.startsWith(QStringLiteral("A/P"))
                || rest.startsWith(QStringLiteral("AMPM")))
                return true;
        }
    }
    return false;
}

class DateTimeWriter {
public:
    DateTimeWriter(const QDate &date, const QTime &time, const RegionalSettings &settings)
        : m_date(date), m_time(time), m_settings(settings) {}

    QString write(const QString &format)
    {
        append(format.isEmpty() ? QStringLiteral("c") : format, 0);
        return m_out;
    }

private:
    // Nested forms ("c", "ddddd", "t") go at most two levels deep.
    void append(const QString &format, int level)
    {
        if (level > 2)
            return;
        QChar lastToken;
        for (qsizetype i = 0; i < format.size();) {
            const QChar c = format.at(i);
            QChar token = c.toUpper();
            if (token >= u'A' && token <= u'Z') {
                if (token == u'M' && lastToken == u'H')
                    token = u'N';
                lastToken = token;
            }
            i = appendToken(format, i, token, level);
        }
    }

    static qsizetype runOf(const QString &format, qsizetype i)
    {
        const QChar c = format.at(i).toUpper();
        qsizetype n = 1;
        while (i + n < format.size() && format.at(i + n).toUpper() == c)
            ++n;
        return n;
    }

    // Writes the token at i and returns the position after it.
    qsizetype appendToken(const QString &format, qsizetype i, QChar token, int level)
    {
        const qsizetype n = runOf(format, i);
        switch (token.unicode()) {
        case 'Y': appendYear(n); return i + n;
        case 'M': appendMonth(n); return i + n;
        case 'D': appendDay(n, level); return i + n;
        case 'H': appendHour(n, ampmFollows(format, i + n)); return i + n;
        case 'N': appendNumber(m_time.minute(), n == 1 ? 1 : 2); return i + n;
        case 'S': appendNumber(m_time.second(), n == 1 ? 1 : 2); return i + n;
        case 'Z': appendNumber(m_time.msec(), n == 1 ? 1 : 3); return i + n;
        case 'T': append(n == 1 ? m_settings.shortTimeFormat : m_settings.longTimeFormat, level + 1); return i + n;
        case 'C': appendC(level); return i + n;
        case 'A': return appendAmPm(format, i);
        case '/': m_out += m_settings.dateSeparator; return i + 1;
        case ':': m_out += m_settings.timeSeparator; return i + 1;
        case '"': case '\'': return appendQuoted(format, i);
        default: m_out += format.at(i); return i + 1;
        }
    }

    void appendNumber(int value, int width)
    {
        m_out += QString::number(value).rightJustified(width, u'0');
    }

    void appendYear(qsizetype n)
    {
        if (n <= 2)
            appendNumber(m_date.year() % 100, 2);
        else
            appendNumber(m_date.year(), 4);
    }

    void appendMonth(qsizetype n)
    {
        const int month = m_date.month();
        if (n <= 2)
            appendNumber(month, int(n));
        else
            m_out += (n == 3 ? m_settings.shortMonthNames : m_settings.longMonthNames).value(month - 1);
    }

    void appendDay(qsizetype n, int level)
    {
        const int weekday = m_date.dayOfWeek() - 1;
        switch (n) {
        case 1: case 2: appendNumber(m_date.day(), int(n)); break;
        case 3: m_out += m_settings.shortDayNames.value(weekday); break;
        case 4: m_out += m_settings.longDayNames.value(weekday); break;
        case 5: append(m_settings.shortDateFormat, level + 1); break;
        default: append(m_settings.longDateFormat, level + 1); break;
        }
    }

    void appendHour(qsizetype n, bool twelveHour)
    {
        int hour = m_time.hour();
        if (twelveHour) {
            hour %= 12;
            if (hour == 0)
                hour = 12;
        }
        appendNumber(hour, n == 1 ? 1 : 2);
    }

    void appendC(int level)
    {
        append(m_settings.shortDateFormat, level + 1);
        if (m_time.msecsSinceStartOfDay() != 0) {
            m_out += u' ';
            append(m_settings.longTimeFormat, level + 1);
        }
    }

    qsizetype appendAmPm(const QString &format, qsizetype i)
    {
        const bool morning = m_time.hour() < 12;
        const QString rest = format.mid(i, 5);
        if (rest.toUpper() == QStringLiteral("AM/PM")) {
            m_out += morning ? rest.left(2) : rest.mid(3, 2);
            return i + 5;
        }
        if (rest.left(4).toUpper() == QStringLiteral("AMPM")) {
            m_out += morning ? m_settings.timeAmString : m_settings.timePmString;
            return i + 4;
        }
        if (rest.left(3).toUpper() == QStringLiteral("A/P")) {
            m_out += morning ? rest.at(0) : rest.at(2);
            return i + 3;
        }
        m_out += format.at(i);
        return i + 1;
    }

    qsizetype appendQuoted(const QString &format, qsizetype i)
    {
        const qsizetype end = format.indexOf(format.at(i), i + 1);
        if (end < 0) {
            m_out += format.mid(i + 1);
            return format.size();
        }
        m_out += format.mid(i + 1, end - i - 1);
        return end + 1;
    }

    QDate m_date;
    QTime m_time;
    const RegionalSettings &m_settings;
    QString m_out;
};

} // namespace

namespace {

QString formatParts(const QString &format, const QDate &date, const QTime &time, const RegionalSettings &settings)
{
    return DateTimeWriter(date.isValid() ? date : QDate(1899, 12, 30), time.isValid() ? time : QTime(0, 0), settings)
        .write(format);
}

} // namespace

QString FormatDateTime(const QString &format, const QDateTime &value, const RegionalSettings &settings)
{
    return formatParts(format, value.date(), value.time(), settings);
}

QString FormatDateTime(const QString &format, double dayCount, const RegionalSettings &settings)
{
    // A null date stands for day 0 only when the caller gave a QDateTime;
    // a count that is no date must not print as 30.12.1899.
    const QDateTime value = dateTimeFromDayCount(dayCount);
    if (!value.isValid())
        throw RangeError();
    return FormatDateTime(format, value, settings);
}

QString DateToStr(const QDate &date, const RegionalSettings &settings)
{
    return formatParts(QStringLiteral("ddddd"), date, QTime(0, 0), settings);
}

QString TimeToStr(const QTime &time, const RegionalSettings &settings)
{
    return formatParts(QStringLiteral("tt"), QDate(), time, settings);
}

QString DateTimeToStr(const QDateTime &value, const RegionalSettings &settings)
{
    return formatParts(QStringLiteral("c"), value.date(), value.time(), settings);
}

} // namespace bralvo::platform
