// Reading dates and times typed in the regional forms.
//
// Dates: day, month and year in the order of the regional short date form,
// split by the regional date separator, blanks allowed around numbers.
// The year may be left out (this year) or given with one or two digits
// (placed by RegionalSettings::twoDigitYearWindow). Times: hour, and
// optionally minutes, seconds and milliseconds ("14:05", "2:05:09.120"),
// split by the regional time separator, optionally followed by "am"/"pm"
// or the regional am/pm texts. A date-time is a date, blanks, and a time;
// StrToDateTime gives it as a UTC QDateTime holding the wall-clock values.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace bralvo::platform {

struct RegionalSettings;

// Throw ConversionError: "'<text>' is not a valid date", "... valid time",
// "... valid date and time".
QDate StrToDate(const QString &text, const RegionalSettings &settings);
QTime StrToTime(const QString &text, const RegionalSettings &settings);
QDateTime StrToDateTime(const QString &text, const RegionalSettings &settings);

std::optional<QDate> TryStrToDate(const QString &text, const RegionalSettings &settings);
std::optional<QTime> TryStrToTime(const QString &text, const RegionalSettings &settings);
std::optional<QDateTime> TryStrToDateTime(const QString &text, const RegionalSettings &settings);

} // namespace bralvo::platform
