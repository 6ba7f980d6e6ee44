// Dates as day counts: the float form in which scripts and reports carry
// a date-time. Day 0 is 30.12.1899 00:00; the fraction is the time of day.
// A negative count keeps the time as a positive fraction: -1.25 is
// 29.12.1899 06:00. Times round to the millisecond.
#pragma once

#include <QDate>
#include <QDateTime>

namespace bralvo::platform {

double dayCountFromDate(const QDate &date);           // a null date gives 0
double dayCountFromDateTime(const QDateTime &value);  // local date and time as shown
// A UTC QDateTime holding the same wall-clock date and time (so no
// daylight-saving gap moves it). Invalid (NaN, infinite or beyond the years
// 1..9999) gives a null QDateTime.
QDateTime dateTimeFromDayCount(double dayCount);

} // namespace bralvo::platform
