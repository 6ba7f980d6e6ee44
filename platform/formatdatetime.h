// Picture formatting of dates and times, and the regional short forms.
//
// Pattern letters (case-insensitive; a longer run than listed counts as
// the longest form):
//   d dd ddd dddd   day, two-digit day, short and long day name
//   ddddd dddddd    the regional short and long date form
//   m mm mmm mmmm   month, two-digit month, short and long month name;
//                   "m"/"mm" mean minutes when the last pattern letter
//                   before them was an hour ("hh:mm"; literals between do
//                   not count, any other letter does)
//   yy yyyy         two- or four-digit year ("y" counts as "yy", "yyy" as "yyyy")
//   h hh            hour; 12-hour when an am/pm specifier follows later
//   n nn            minute
//   s ss            second
//   z zzz           millisecond ("zz" counts as "zzz")
//   t tt            the regional short and long time form
//   am/pm a/p       "am"/"pm" or "a"/"p" in the case written in the pattern
//   ampm            the regional am/pm texts
//   c               short date form, then a blank and the long time form
//                   unless the time is 00:00:00.000
//   /  :            the regional date and time separators
//   'x' "x"         quoted literals; every other character is written as is
// An empty pattern means "c". Only a day count that is no date throws.
#pragma once

#include <QDateTime>
#include <QString>

namespace bralvo::platform {

struct RegionalSettings;

// A null date counts as 30.12.1899 (day count 0), a null time as midnight.
QString FormatDateTime(const QString &format, const QDateTime &value, const RegionalSettings &settings);
// The same for a day count (see daycount.h). A count that is NaN, infinite
// or beyond the years 1..9999 throws RangeError (platform/rangeerror.h).
QString FormatDateTime(const QString &format, double dayCount, const RegionalSettings &settings);

// The regional short date form.
QString DateToStr(const QDate &date, const RegionalSettings &settings);
// The regional long time form.
QString TimeToStr(const QTime &time, const RegionalSettings &settings);
// Short date, then a blank and the long time form unless it is midnight.
QString DateTimeToStr(const QDateTime &value, const RegionalSettings &settings);

} // namespace bralvo::platform
