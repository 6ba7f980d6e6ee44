// Day counts: dates as floats, day 0 = 30.12.1899.
#include "platform/daycount.h"

#include <cmath>

namespace bralvo::platform {

namespace {

const QDate dayZero(1899, 12, 30);
constexpr double firstDay = -693593;  // 01.01.0001
constexpr double lastDay = 2958465;   // 31.12.9999
constexpr double msPerDay = 86400000.0;

} // namespace

double dayCountFromDate(const QDate &date)
{
    return date.isValid() ? double(dayZero.daysTo(date)) : 0.0;
}

double dayCountFromDateTime(const QDateTime &value)
{
    const double days = dayCountFromDate(value.date());
    const QTime time = value.time();
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / msPerDay : 0.0;
    return days < 0 ? days - fraction : days + fraction;
}

QDateTime dateTimeFromDayCount(double dayCount)
{
    if (!std::isfinite(dayCount) || dayCount < firstDay - 1 || dayCount > lastDay + 1)
        return QDateTime();
    double days = std::trunc(dayCount);
    qint64 ms = qint64(std::llround(std::fabs(dayCount - days) * msPerDay));
    if (ms >= qint64(msPerDay)) {
        ms = 0;
        days += 1;
    }
    if (days < firstDay || days > lastDay)
        return QDateTime();
    // UTC: a wall-clock time must not move across a daylight-saving gap.
    return QDateTime(dayZero.addDays(qint64(days)), QTime::fromMSecsSinceStartOfDay(int(ms)), Qt::UTC);
}

} // namespace bralvo::platform
