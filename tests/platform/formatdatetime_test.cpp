#include "platform/daycount.h"
#include "platform/formatdatetime.h"
#include "platform/rangeerror.h"
#include "platform/regionalsettings.h"

#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

#include <limits>

using namespace bralvo::platform;

namespace {

// Thursday, 5 February 2009, 14:07:09.045
const QDateTime afternoon(QDate(2009, 2, 5), QTime(14, 7, 9, 45), Qt::UTC);

struct Case {
    const char *format;
    const char *expected;
};

void expectAll(std::initializer_list<Case> cases, const QDateTime &value)
{
    const RegionalSettings rs = RegionalSettings::slovak();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.format), value, rs), QString::fromUtf8(c.expected));
    }
}

} // namespace

TEST(FormatDateTime, DateFields)
{
    expectAll({{"dd.mm.yyyy", "05.02.2009"},
               {"d.m.yy", "5.2.09"},
               {"y yyy", "09 2009"},
               {"ddd dddd", "št štvrtok"},
               {"mmm mmmm", "feb február"},
               {"ddddd", "05.02.2009"},
               {"dddddd", "5. február 2009"},
               {"mm/dd/yyyy", "02.05.2009"}},
              afternoon);
}

TEST(FormatDateTime, MonthAfterHourMeansMinutes)
{
    expectAll({{"hh:mm", "14:07"},
               {"hh:mm:ss", "14:07:09"},
               {"h 'h' mm", "14 h 07"},
               {"hh dd mm", "14 05 02"},
               {"yyyy-mm-dd_hh;nn,ss", "2009-02-05_14;07,09"},
               {"yyyy-mm-dd , hh:nn,ss", "2009-02-05 , 14:07,09"},
               {"z zzz zz", "45 045 045"}},
              afternoon);
}

TEST(FormatDateTime, TwelveHourClock)
{
    expectAll({{"h:nn am/pm", "2:07 pm"},
               {"hh:nn AM/PM", "02:07 PM"},
               {"h a/p", "2 p"},
               {"h ampm", "2 PM"},
               {"hh", "14"}},
              afternoon);
    expectAll({{"h am/pm", "12 am"}, {"h:nn A/P", "12:30 A"}},
              QDateTime(QDate(2009, 2, 5), QTime(0, 30), Qt::UTC));
}

TEST(FormatDateTime, RegionalFormsAndLiterals)
{
    expectAll({{"c", "05.02.2009 14:07:09"},
               {"", "05.02.2009 14:07:09"},
               {"t tt", "14:07 14:07:09"},
               {"\"Dátum:\" dd.mm.", "Dátum: 05.02."},
               {"'hh' \"mm\" x", "hh mm x"}},
              afternoon);
    expectAll({{"c", "05.02.2009"}}, QDateTime(QDate(2009, 2, 5), QTime(0, 0), Qt::UTC));
}

TEST(FormatDateTime, RegionalShortForms)
{
    const RegionalSettings rs = RegionalSettings::slovak();
    EXPECT_EQ(DateToStr(QDate(2009, 2, 5), rs), QStringLiteral("05.02.2009"));
    EXPECT_EQ(TimeToStr(QTime(8, 5, 3), rs), QStringLiteral("8:05:03"));
    EXPECT_EQ(DateTimeToStr(afternoon, rs), QStringLiteral("05.02.2009 14:07:09"));
    EXPECT_EQ(DateTimeToStr(QDateTime(QDate(2009, 2, 5), QTime(0, 0), Qt::UTC), rs), QStringLiteral("05.02.2009"));
}

TEST(DayCount, CountsDaysFrom30December1899)
{
    EXPECT_EQ(dayCountFromDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(dayCountFromDate(QDate(1900, 1, 1)), 2.0);
    EXPECT_EQ(dayCountFromDate(QDate(2009, 2, 5)), 39849.0);
    EXPECT_EQ(dayCountFromDateTime(QDateTime(QDate(2009, 2, 5), QTime(12, 0), Qt::UTC)), 39849.5);
    EXPECT_EQ(dayCountFromDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC)), -1.25);

    EXPECT_EQ(dateTimeFromDayCount(39849.5), QDateTime(QDate(2009, 2, 5), QTime(12, 0), Qt::UTC));
    EXPECT_EQ(dateTimeFromDayCount(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC));
    EXPECT_EQ(dateTimeFromDayCount(39849.99999999999), QDateTime(QDate(2009, 2, 6), QTime(0, 0), Qt::UTC));
    EXPECT_TRUE(dateTimeFromDayCount(std::numeric_limits<double>::quiet_NaN()).isNull());
    EXPECT_TRUE(dateTimeFromDayCount(1e9).isNull());

    EXPECT_EQ(FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn"), 39849.5, RegionalSettings::slovak()),
              QStringLiteral("05.02.2009 12:00"));
}

TEST(FormatDateTime, DayCountThatIsNoDateRaisesRangeError)
{
    const RegionalSettings rs = RegionalSettings::slovak();
    const double outside[] = {3000000,
                              -700000.5,
                              1e20,
                              -1e20,
                              2958466, // 1.1.10000
                              std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity()};
    for (const double count : outside) {
        for (const char *format : {"c", "ddddd", "tt", "hh:nn"}) {
            SCOPED_TRACE(std::to_string(count) + " " + format);
            try {
                FormatDateTime(QString::fromLatin1(format), count, rs);
                ADD_FAILURE() << "no error";
            } catch (const RangeError &e) {
                EXPECT_EQ(e.userText(), QStringLiteral("Range check error"));
            }
        }
    }
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd.mm.yyyy"), 2958465.0, rs), QStringLiteral("31.12.9999"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd.mm.yyyy"), -693593.0, rs), QStringLiteral("01.01.0001"));
    // A null QDateTime still stands for day 0.
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd.mm.yyyy"), QDateTime(), rs), QStringLiteral("30.12.1899"));
}
