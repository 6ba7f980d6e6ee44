// Regional settings: the Slovak defaults, the conversion from a Qt locale,
// and the one process-wide object.
#include "platform/regionalsettings.h"

#include <optional>

namespace bralvo::platform {

namespace {

QStringList slovakNames(const char *const names[], int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::fromUtf8(names[i]);
    return list;
}

bool isQtPatternLetter(QChar c)
{
    return QStringLiteral("dMyhHmszapAPt").contains(c);
}

// The next run of one letter in a Qt pattern, starting at i.
qsizetype runLength(const QString &pattern, qsizetype i)
{
    qsizetype n = 1;
    while (i + n < pattern.size() && pattern.at(i + n) == pattern.at(i))
        ++n;
    return n;
}

QString convertQtRun(QChar letter, qsizetype count, bool &skipped)
{
    skipped = false;
    switch (letter.unicode()) {
    case 'd': return QString(qMin<qsizetype>(count, 4), u'd');
    case 'M': return QString(qMin<qsizetype>(count, 4), u'm');
    case 'y': return count <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
    case 'h': case 'H': return QString(qMin<qsizetype>(count, 2), u'h');
    case 'm': return QString(qMin<qsizetype>(count, 2), u'n');
    case 's': return QString(qMin<qsizetype>(count, 2), u's');
    case 'z': return count == 1 ? QStringLiteral("z") : QStringLiteral("zzz");
    case 'a': case 'A': case 'p': case 'P': return QStringLiteral("ampm");
    default: skipped = true; return QString(); // time zone and the like
    }
}

// Qt's date/time pattern ("d. M. yyyy", "HH:mm:ss") in this program's letters.
QString fromQtPattern(const QString &pattern)
{
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == u'\'') {
            const qsizetype end = pattern.indexOf(u'\'', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end + 1;
            out += u'"' + pattern.mid(i + 1, stop - i - 1).remove(u'\'') + u'"';
            i = stop;
        } else if (isQtPatternLetter(c)) {
            qsizetype n = runLength(pattern, i);
            if ((c == u'A' || c == u'a') && i + 1 < pattern.size() && pattern.at(i + 1).toLower() == u'p')
                n = 2; // "AP"/"ap"
            bool skipped = false;
            out += convertQtRun(c, n, skipped);
            i += n;
        } else if (c.isLetter()) {
            out += u'"' + QString(c) + u'"';
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    return out.trimmed();
}

QChar firstSeparator(const QString &pattern, QChar fallback)
{
    bool quoted = false;
    for (QChar c : pattern) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && !c.isLetter() && !c.isSpace())
            return c;
    }
    return fallback;
}

QChar firstChar(const QString &text, QChar fallback)
{
    return text.isEmpty() ? fallback : text.at(0);
}

void takeCurrency(const QLocale &locale, RegionalSettings &rs)
{
    rs.currencyString = locale.currencySymbol();
    const QString &symbol = rs.currencyString;
    const QString one = locale.toCurrencyString(1.0);
    if (symbol.isEmpty() || one.size() <= symbol.size())
        return;
    const bool symbolFirst = one.startsWith(symbol);
    const QChar between = symbolFirst ? one.at(symbol.size()) : one.at(one.size() - symbol.size() - 1);
    const bool spaced = between.isSpace();
    rs.currencyFormat = symbolFirst ? (spaced ? 2 : 0) : (spaced ? 3 : 1);
    static const int negativeOf[] = {1, 5, 9, 8}; // the same form with a minus in front
    rs.negativeCurrencyFormat = negativeOf[rs.currencyFormat];
}

std::optional<RegionalSettings> &currentStore()
{
    static std::optional<RegionalSettings> store;
    return store;
}

} // namespace

RegionalSettings RegionalSettings::slovak()
{
    static const char *const longMonths[] = {"január", "február", "marec", "apríl", "máj", "jún", "júl",
                                             "august", "september", "október", "november", "december"};
    static const char *const shortMonths[] = {"jan", "feb", "mar", "apr", "máj", "jún",
                                              "júl", "aug", "sep", "okt", "nov", "dec"};
    static const char *const longDays[] = {"pondelok", "utorok", "streda", "štvrtok", "piatok", "sobota", "nedeľa"};
    static const char *const shortDays[] = {"po", "ut", "st", "št", "pi", "so", "ne"};
    RegionalSettings rs;
    rs.longMonthNames = slovakNames(longMonths, 12);
    rs.shortMonthNames = slovakNames(shortMonths, 12);
    rs.longDayNames = slovakNames(longDays, 7);
    rs.shortDayNames = slovakNames(shortDays, 7);
    return rs;
}

RegionalSettings RegionalSettings::fromLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return slovak();
    RegionalSettings rs;
    rs.decimalSeparator = firstChar(locale.decimalPoint(), u',');
    rs.thousandSeparator = firstChar(locale.groupSeparator(), u' ');
    rs.shortDateFormat = fromQtPattern(locale.dateFormat(QLocale::ShortFormat));
    rs.longDateFormat = fromQtPattern(locale.dateFormat(QLocale::LongFormat));
    rs.shortTimeFormat = fromQtPattern(locale.timeFormat(QLocale::ShortFormat));
    rs.longTimeFormat = fromQtPattern(locale.timeFormat(QLocale::LongFormat));
    rs.dateSeparator = firstSeparator(rs.shortDateFormat, u'.');
    rs.timeSeparator = firstSeparator(rs.longTimeFormat, u':');
    rs.timeAmString = locale.amText();
    rs.timePmString = locale.pmText();
    for (int month = 1; month <= 12; ++month) {
        rs.longMonthNames << locale.standaloneMonthName(month, QLocale::LongFormat);
        rs.shortMonthNames << locale.standaloneMonthName(month, QLocale::ShortFormat);
    }
    for (int day = 1; day <= 7; ++day) {
        rs.longDayNames << locale.standaloneDayName(day, QLocale::LongFormat);
        rs.shortDayNames << locale.standaloneDayName(day, QLocale::ShortFormat);
    }
    takeCurrency(locale, rs);
    return rs;
}

RegionalSettings RegionalSettings::fromSystem()
{
    return fromLocale(QLocale::system());
}

const RegionalSettings &regionalSettings()
{
    std::optional<RegionalSettings> &store = currentStore();
    if (!store)
        store = RegionalSettings::fromSystem();
    return *store;
}

void setRegionalSettings(const RegionalSettings &settings)
{
    currentStore() = settings;
}

ScopedRegionalSettings::ScopedRegionalSettings(const RegionalSettings &settings)
    : m_previous(regionalSettings())
{
    setRegionalSettings(settings);
}

ScopedRegionalSettings::~ScopedRegionalSettings()
{
    setRegionalSettings(m_previous);
}

} // namespace bralvo::platform
