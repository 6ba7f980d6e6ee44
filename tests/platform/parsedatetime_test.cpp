#include "platform/conversionerror.h"
#include "platform/parsedatetime.h"
#include "platform/regionalsettings.h"

#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::platform;

TEST(StrToDate, ReadsTheRegionalOrder)
{
    struct Case {
        const char *text;
        QDate expected;
    };
    const RegionalSettings rs = RegionalSettings::slovak();
    const int thisYear = QDate::currentDate().year();
    for (const Case &c : {Case{"5.2.2009", QDate(2009, 2, 5)}, Case{"05.02.2009", QDate(2009, 2, 5)},
                          Case{" 5. 2. 2009 ", QDate(2009, 2, 5)}, Case{"5.2.09", QDate(2009, 2, 5)},
                          Case{"29.02.2008", QDate(2008, 2, 29)}, Case{"5.2.", QDate(thisYear, 2, 5)},
                          Case{"5.2", QDate(thisYear, 2, 5)}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToDate(QString::fromUtf8(c.text), rs), c.expected);
    }
    RegionalSettings us = rs;
    us.shortDateFormat = QStringLiteral("m/d/yyyy");
    us.dateSeparator = u'/';
    EXPECT_EQ(StrToDate(QStringLiteral("2/5/2009"), us), QDate(2009, 2, 5));
}

TEST(StrToDate, TwoDigitYearsFollowTheWindow)
{
    RegionalSettings rs = RegionalSettings::slovak();
    const int base = QDate::currentDate().year() - rs.twoDigitYearWindow;
    const int yy = base % 100;
    EXPECT_EQ(StrToDate(QStringLiteral("1.1.%1").arg(yy, 2, 10, QChar(u'0')), rs).year(), base);
    EXPECT_EQ(StrToDate(QStringLiteral("1.1.%1").arg((yy + 99) % 100, 2, 10, QChar(u'0')), rs).year(), base + 99);
    rs.twoDigitYearWindow = 0;
    EXPECT_EQ(StrToDate(QStringLiteral("1.1.0009"), rs).year(), 9);
}

TEST(StrToDate, RejectsWhatIsNoDate)
{
    const RegionalSettings rs = RegionalSettings::slovak();
    for (const char *text : {"", "abc", "31.2.2009", "29.2.2009", "5-2-2009", "5.2.2009 x", "5..2009", "0.1.2009",
                             "1.13.2009", "5", "1.1.20090"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(TryStrToDate(QString::fromUtf8(text), rs).has_value());
    }
    try {
        StrToDate(QStringLiteral("31.2.2009"), rs);
        FAIL() << "no error";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("'31.2.2009' is not a valid date"));
    }
}

TEST(StrToTime, ReadsHoursMinutesSecondsAndAmPm)
{
    struct Case {
        const char *text;
        QTime expected;
    };
    const RegionalSettings rs = RegionalSettings::slovak();
    for (const Case &c : {Case{"14:07", QTime(14, 7)}, Case{"14", QTime(14, 0)}, Case{"2:07:09 PM", QTime(14, 7, 9)},
                          Case{"12 AM", QTime(0, 0)}, Case{"12:30 pm", QTime(12, 30)},
                          Case{"14:07:09,5", QTime(14, 7, 9, 500)}, Case{"8:05:03.045", QTime(8, 5, 3, 45)}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToTime(QString::fromUtf8(c.text), rs), c.expected);
    }
    for (const char *text : {"", "25:00", "12:60", "13 PM", "ab", "14:"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(TryStrToTime(QString::fromUtf8(text), rs).has_value());
    }
    EXPECT_THROW(StrToTime(QStringLiteral("25:00"), rs), ConversionError);
}

TEST(StrToDateTime, DateWithOptionalTime)
{
    const RegionalSettings rs = RegionalSettings::slovak();
    EXPECT_EQ(StrToDateTime(QStringLiteral("5.2.2009 14:07"), rs),
              QDateTime(QDate(2009, 2, 5), QTime(14, 7), Qt::UTC));
    EXPECT_EQ(StrToDateTime(QStringLiteral("5.2.2009"), rs), QDateTime(QDate(2009, 2, 5), QTime(0, 0), Qt::UTC));
    EXPECT_FALSE(TryStrToDateTime(QStringLiteral("5.2.2009 25:00"), rs).has_value());
    EXPECT_THROW(StrToDateTime(QStringLiteral("x"), rs), ConversionError);
}
