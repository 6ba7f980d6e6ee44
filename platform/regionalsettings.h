// The regional settings every number and date text follows: separators,
// date and time forms, month and day names, am/pm and money texts.
// One process-wide object, read at each call, so a test can switch it.
//
// Date and time forms use this program's pattern letters (see
// formatdatetime.h): "dd.mm.yyyy", "h:nn:ss", not Qt's.
#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace bralvo::platform {

// A default-constructed object has the Slovak separators and forms but no
// month or day names (they then format as empty texts); slovak() has all.
struct RegionalSettings {
    QChar decimalSeparator = u',';
    QChar thousandSeparator = u' ';
    QChar dateSeparator = u'.';
    QChar timeSeparator = u':';
    QString shortDateFormat = QStringLiteral("dd.mm.yyyy");
    QString longDateFormat = QStringLiteral("d. mmmm yyyy");
    QString shortTimeFormat = QStringLiteral("h:nn");
    QString longTimeFormat = QStringLiteral("h:nn:ss");
    QString timeAmString = QStringLiteral("AM");
    QString timePmString = QStringLiteral("PM");
    // Twelve names each, January first.
    QStringList shortMonthNames;
    QStringList longMonthNames;
    // Seven names each, Monday first (index = QDate::dayOfWeek() - 1).
    QStringList shortDayNames;
    QStringList longDayNames;
    // Money for Format's "%m": symbol, decimals, and the placement codes
    // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"; negative 0 "($1)" ... 15 "(1 $)".
    QString currencyString = QStringLiteral("€");
    int currencyDecimals = 2;
    int currencyFormat = 3;
    int negativeCurrencyFormat = 8;
    // A year typed with one or two digits lands in the hundred years that
    // begin this many years before today's year: with 50, in 2026, "76".."99"
    // are 1976..1999 and "00".."75" are 2000..2075. 0 leaves it as typed.
    int twoDigitYearWindow = 50;

    // Slovak conventions: "," decimal, blank thousands, "dd.mm.yyyy",
    // Slovak month and day names. Used under the C/POSIX locale.
    static RegionalSettings slovak();
    // Taken from a Qt locale; the C locale gives slovak().
    static RegionalSettings fromLocale(const QLocale &locale);
    // fromLocale(QLocale::system()).
    static RegionalSettings fromSystem();
};

// The process-wide settings; built from the system on first use.
// Main thread only.
const RegionalSettings &regionalSettings();
void setRegionalSettings(const RegionalSettings &settings);

// Puts settings in place for a scope and restores the previous ones
// (tests, and code that must format for another locale).
class ScopedRegionalSettings {
public:
    explicit ScopedRegionalSettings(const RegionalSettings &settings);
    ~ScopedRegionalSettings();
    ScopedRegionalSettings(const ScopedRegionalSettings &) = delete;
    ScopedRegionalSettings &operator=(const ScopedRegionalSettings &) = delete;

private:
    RegionalSettings m_previous;
};

} // namespace bralvo::platform
