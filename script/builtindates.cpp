// Built-in date functions. Date-time values are day counts (day 0 is
// 30.12.1899), carried as variants of the date kind.
#include "script/builtinfunctions.h"

#include "platform/conversionerror.h"
#include "platform/daycount.h"
#include "script/runtimeerror.h"
#include "script/tschelpers.h"

#include <QDateTime>
#include <cmath>

namespace bralvo::script {

namespace {

bool isLeapYear(qint64 year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

Variant encodeDate(TscMethodHelper &h)
{
    const qint64 y = h.GetParamValue(0).toInt64();
    const qint64 m = h.GetParamValue(1).toInt64();
    const qint64 d = h.GetParamValue(2).toInt64();
    if (y < 1 || y > 9999 || !QDate::isValid(int(y), int(m), int(d)))
        throw platform::ConversionError(QStringLiteral("Invalid argument to date encode"));
    return Variant::fromDate(platform::dayCountFromDate(QDate(int(y), int(m), int(d))));
}

Variant encodeTime(TscMethodHelper &h)
{
    qint64 parts[4];
    const qint64 limits[4] = {24, 60, 60, 1000};
    for (int i = 0; i < 4; ++i) {
        parts[i] = h.GetParamValue(i).toInt64();
        if (parts[i] < 0 || parts[i] >= limits[i])
            throw platform::ConversionError(QStringLiteral("Invalid argument to time encode"));
    }
    const qint64 ms = ((parts[0] * 60 + parts[1]) * 60 + parts[2]) * 1000 + parts[3];
    return Variant::fromDate(double(ms) / 86400000.0);
}

QDateTime dateTimeArg(TscMethodHelper &h)
{
    const QDateTime value = platform::dateTimeFromDayCount(h.GetParamValue(0).toDouble());
    if (!value.isValid())
        throw rangeError();
    return value;
}

Variant word(int value)
{
    return Variant::fromInteger(value, platform::varWord);
}

Variant decodeDate(TscMethodHelper &h)
{
    const QDate date = dateTimeArg(h).date();
    h.SetParamValue(1, word(date.year()));
    h.SetParamValue(2, word(date.month()));
    h.SetParamValue(3, word(date.day()));
    return Variant::null();
}

Variant decodeTime(TscMethodHelper &h)
{
    const QTime time = dateTimeArg(h).time();
    h.SetParamValue(1, word(time.hour()));
    h.SetParamValue(2, word(time.minute()));
    h.SetParamValue(3, word(time.second()));
    h.SetParamValue(4, word(time.msec()));
    return Variant::null();
}

Variant daysInMonth(TscMethodHelper &h)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const qint64 year = h.GetParamValue(0).toInt64();
    const qint64 month = h.GetParamValue(1).toInt64();
    // A month outside 1..12 would read past the table.
    if (month < 1 || month > 12)
        throw rangeError();
    return Variant(days[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0));
}

} // namespace

Variant callDate(const QString &name, TscMethodHelper &h)
{
    const QDateTime now = QDateTime::currentDateTime();
    if (name == QLatin1String("ENCODEDATE"))
        return encodeDate(h);
    if (name == QLatin1String("DECODEDATE"))
        return decodeDate(h);
    if (name == QLatin1String("ENCODETIME"))
        return encodeTime(h);
    if (name == QLatin1String("DECODETIME"))
        return decodeTime(h);
    if (name == QLatin1String("DATE"))
        return Variant::fromDate(platform::dayCountFromDate(now.date()));
    if (name == QLatin1String("TIME"))
        return Variant::fromDate(now.time().msecsSinceStartOfDay() / 86400000.0);
    if (name == QLatin1String("NOW"))
        return Variant::fromDate(platform::dayCountFromDateTime(now));
    if (name == QLatin1String("DAYOFWEEK"))
        return Variant(dateTimeArg(h).date().dayOfWeek() % 7 + 1);
    if (name == QLatin1String("ISLEAPYEAR"))
        return Variant(isLeapYear(h.GetParamValue(0).toInt64()));
    return daysInMonth(h); // DAYSINMONTH
}

} // namespace bralvo::script
