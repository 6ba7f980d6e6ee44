// StrToDate, StrToTime, StrToDateTime: dates and times typed in the
// regional forms.
#include "platform/parsedatetime.h"

#include "platform/conversionerror.h"
#include "platform/regionalsettings.h"

namespace bralvo::platform {

namespace {

// A cursor over the typed text.
class Scanner {
public:
    explicit Scanner(const QString &text) : m_text(text) {}

    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    bool accept(QChar c)
    {
        skipBlanks();
        if (atEnd() || m_text.at(m_pos) != c)
            return false;
        ++m_pos;
        return true;
    }
    // Digits after optional blanks; the digit count goes to `digits`.
    std::optional<int> number(int &digits)
    {
        skipBlanks();
        int value = 0;
        digits = 0;
        while (!atEnd() && m_text.at(m_pos) >= u'0' && m_text.at(m_pos) <= u'9' && digits < 9) {
            value = value * 10 + (m_text.at(m_pos).unicode() - '0');
            ++digits;
            ++m_pos;
        }
        return digits > 0 ? std::optional<int>(value) : std::nullopt;
    }
    // Accepts one of the words (case-insensitive); its index, or -1.
    int acceptWord(const QStringList &words)
    {
        skipBlanks();
        for (int i = 0; i < words.size(); ++i) {
            const QString &word = words.at(i);
            if (!word.isEmpty() && m_text.mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) == 0) {
                m_pos += word.size();
                return i;
            }
        }
        return -1;
    }

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

// "DMY", "MDY" or "YMD": the order of the short date form's fields.
QString fieldOrder(const QString &shortDateFormat)
{
    QString order;
    bool quoted = false;
    for (QChar c : shortDateFormat) {
        const QChar u = c.toUpper();
        if (c == u'"' || c == u'\'')
            quoted = !quoted;
        else if (!quoted && (u == u'D' || u == u'M' || u == u'Y') && !order.contains(u))
            order += u;
    }
    return order.size() == 3 ? order : QStringLiteral("DMY");
}

int fullYear(int year, int digits, int window)
{
    if (digits > 2 || window <= 0)
        return year;
    const int base = QDate::currentDate().year() - window;
    year += base / 100 * 100;
    return year < base ? year + 100 : year;
}

std::optional<QDate> scanDate(Scanner &s, const RegionalSettings &settings)
{
    int values[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    for (; count < 3; ++count) {
        if (count > 0 && !s.accept(settings.dateSeparator))
            break;
        const std::optional<int> n = s.number(digits[count]);
        if (!n && count < 2)
            return std::nullopt;
        if (!n)
            break; // "5.2." ends in a separator
        values[count] = *n;
    }
    if (count == 3)
        s.accept(settings.dateSeparator); // "5. 2. 2009." style
    QString order = fieldOrder(settings.shortDateFormat);
    int year = QDate::currentDate().year();
    int yearDigits = 4;
    if (count == 2)
        order.remove(u'Y');
    int day = 0, month = 0;
    for (int i = 0; i < count; ++i) {
        switch (order.at(i).unicode()) {
        case 'D': day = values[i]; break;
        case 'M': month = values[i]; break;
        default: year = values[i]; yearDigits = digits[i]; break;
        }
    }
    const QDate date(fullYear(year, yearDigits, settings.twoDigitYearWindow), month, day);
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return std::nullopt;
    return date;
}

std::optional<QTime> scanTime(Scanner &s, const RegionalSettings &settings)
{
    int parts[4] = {0, 0, 0, 0};
    int digits = 0;
    const std::optional<int> hour = s.number(digits);
    if (!hour)
        return std::nullopt;
    parts[0] = *hour;
    for (int i = 1; i < 3 && s.accept(settings.timeSeparator); ++i) {
        const std::optional<int> n = s.number(digits);
        if (!n)
            return std::nullopt;
        parts[i] = *n;
        if (i == 2 && (s.accept(settings.decimalSeparator) || s.accept(u'.'))) {
            const std::optional<int> ms = s.number(digits);
            if (!ms || digits > 3)
                return std::nullopt;
            parts[3] = *ms * (digits == 1 ? 100 : digits == 2 ? 10 : 1);
        }
    }
    const int ampm = s.acceptWord({settings.timeAmString, settings.timePmString, QStringLiteral("AM"),
                                   QStringLiteral("PM"), QStringLiteral("A"), QStringLiteral("P")});
    if (ampm >= 0) {
        if (parts[0] < 1 || parts[0] > 12)
            return std::nullopt;
        parts[0] = parts[0] % 12 + (ampm % 2 == 1 ? 12 : 0);
    }
    const QTime time(parts[0], parts[1], parts[2], parts[3]);
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

[[noreturn]] void fail(const QString &text, const char *what)
{
    throw ConversionError(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)));
}

} // namespace

std::optional<QDate> TryStrToDate(const QString &text, const RegionalSettings &settings)
{
    Scanner s(text);
    const std::optional<QDate> date = scanDate(s, settings);
    s.skipBlanks();
    return s.atEnd() ? date : std::nullopt;
}

std::optional<QTime> TryStrToTime(const QString &text, const RegionalSettings &settings)
{
    Scanner s(text);
    const std::optional<QTime> time = scanTime(s, settings);
    s.skipBlanks();
    return s.atEnd() ? time : std::nullopt;
}

std::optional<QDateTime> TryStrToDateTime(const QString &text, const RegionalSettings &settings)
{
    Scanner s(text);
    const std::optional<QDate> date = scanDate(s, settings);
    if (!date)
        return std::nullopt;
    s.skipBlanks();
    QTime time(0, 0);
    if (!s.atEnd()) {
        const std::optional<QTime> t = scanTime(s, settings);
        s.skipBlanks();
        if (!t || !s.atEnd())
            return std::nullopt;
        time = *t;
    }
    return QDateTime(*date, time, Qt::UTC);
}

QDate StrToDate(const QString &text, const RegionalSettings &settings)
{
    if (const std::optional<QDate> date = TryStrToDate(text, settings))
        return *date;
    fail(text, "date");
}

QTime StrToTime(const QString &text, const RegionalSettings &settings)
{
    if (const std::optional<QTime> time = TryStrToTime(text, settings))
        return *time;
    fail(text, "time");
}

QDateTime StrToDateTime(const QString &text, const RegionalSettings &settings)
{
    if (const std::optional<QDateTime> value = TryStrToDateTime(text, settings))
        return *value;
    fail(text, "date and time");
}

} // namespace bralvo::platform
