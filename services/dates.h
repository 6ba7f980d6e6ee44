// Dates as the windows show them ("dd.mm.yyyy") and the date patterns the
// program writes (backup names, settings, SQL). Patterns follow
// platform/formatdatetime.h under the process-wide regional settings.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace bralvo::services {

QString FormatDateTimeText(const QString &format, const QDateTime &value);
QString FormatDateTimeText(const QString &format, const QDate &date);  // at midnight

// Reads "dd.mm.yyyy" strictly by position. Returns 0 and sets `date` to the
// date plus dayOffset days on success. Returns 1 (date untouched) when the
// text is not 10 characters with "." at positions 3 and 6 and no "." at
// the others; 2 (date untouched) when a part is not a number or the date
// does not exist ("31.02.2009").
int ParseDateCore(const QString &text, int dayOffset, QDate &date);

// ParseDateCore with offset 0; a null QDate when the text is not a date.
QDate ParseDate(const QString &text);

// The year as "yyyy".
QString YearText(const QDate &date);
QString CurrentYearString();

} // namespace bralvo::services
