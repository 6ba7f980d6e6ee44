#include "services/dates.h"

#include "platform/regionalsettings.h"

#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::services;
using bralvo::platform::RegionalSettings;
using bralvo::platform::ScopedRegionalSettings;

TEST(ParseDateCore, ReadsDdMmYyyyByPosition)
{
    struct Case {
        const char *text;
        int offset;
        int code;
        QDate expected; // the untouched start value when code != 0
    };
    const QDate untouched(2000, 1, 1);
    for (const Case &c : {Case{"29.02.2008", 0, 0, QDate(2008, 2, 29)}, Case{"05.02.2009", 10, 0, QDate(2009, 2, 15)},
                          Case{"05.02.2009", -5, 0, QDate(2009, 1, 31)}, Case{"31.12.2009", 1, 0, QDate(2010, 1, 1)},
                          Case{"1.1.2009", 0, 1, untouched}, Case{"", 0, 1, untouched},
                          Case{"05.02.2009 ", 0, 1, untouched}, Case{"05.02,2009", 0, 1, untouched},
                          Case{"05.0..2009", 0, 1, untouched}, Case{"aa.bb.cccc", 0, 2, untouched},
                          Case{"31.02.2009", 0, 2, untouched}, Case{"29.02.2009", 0, 2, untouched},
                          Case{"  .  .    ", 0, 2, untouched}, Case{"00.01.2009", 0, 2, untouched},
                          Case{"01.13.2009", 0, 2, untouched}}) {
        SCOPED_TRACE(c.text);
        QDate date = untouched;
        EXPECT_EQ(ParseDateCore(QString::fromUtf8(c.text), c.offset, date), c.code);
        EXPECT_EQ(date, c.expected);
    }
}

TEST(ParseDate, GivesANullDateForBadText)
{
    EXPECT_EQ(ParseDate(QStringLiteral("05.02.2009")), QDate(2009, 2, 5));
    EXPECT_TRUE(ParseDate(QStringLiteral("31.02.2009")).isNull());
    EXPECT_TRUE(ParseDate(QStringLiteral("5.2.2009")).isNull());
}

TEST(DateTexts, PatternsOfTheProgram)
{
    const ScopedRegionalSettings regional(RegionalSettings::slovak());
    const QDateTime when(QDate(2009, 2, 5), QTime(14, 7, 9), Qt::UTC);
    EXPECT_EQ(FormatDateTimeText(QStringLiteral("yyyy-mm-dd_hh;nn,ss"), when) + QStringLiteral("_bralvo.txb"),
              QStringLiteral("2009-02-05_14;07,09_bralvo.txb"));
    EXPECT_EQ(FormatDateTimeText(QStringLiteral("yyyy-mm-dd , hh:nn,ss"), when),
              QStringLiteral("2009-02-05 , 14:07,09"));
    EXPECT_EQ(FormatDateTimeText(QStringLiteral("dd.mm.yyyy"), QDate(2009, 2, 5)), QStringLiteral("05.02.2009"));
    EXPECT_EQ(FormatDateTimeText(QStringLiteral("yyyy-mm-dd"), QDate(2009, 2, 5)), QStringLiteral("2009-02-05"));
    EXPECT_EQ(FormatDateTimeText(QStringLiteral("yymm"), QDate(2009, 2, 5)), QStringLiteral("0902"));
    EXPECT_EQ(YearText(QDate(2009, 2, 5)), QStringLiteral("2009"));
    EXPECT_EQ(YearText(QDate(987, 2, 5)), QStringLiteral("0987"));
    EXPECT_EQ(CurrentYearString(), QString::number(QDate::currentDate().year()));
}
