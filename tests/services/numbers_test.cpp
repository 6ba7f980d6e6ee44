#include "services/numbers.h"

#include "platform/conversionerror.h"
#include "platform/regionalsettings.h"

#include "tests/support/englishnumbers.h"
#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::services;
using bralvo::platform::RegionalSettings;
using bralvo::platform::ScopedRegionalSettings;
using bralvo::test::englishNumbers;

namespace {

class SlovakNumbers : public ::testing::Test {
protected:
    ScopedRegionalSettings m_regional{RegionalSettings::slovak()};
};

} // namespace

TEST_F(SlovakNumbers, ParseNumberTakesTheNumberOutOfTheText)
{
    struct Case {
        const char *text;
        double expected;
    };
    for (const Case &c : {Case{"1 234,5", 1234.5}, Case{"1234.5", 1234.5}, Case{"12 ks", 12}, Case{"", 0},
                          Case{"-", 0}, Case{"abc-12", -12}, Case{"0-5", -5}, Case{"19 %", 19},
                          Case{"1\u00a0234,50 Sk", 1234.5}, Case{"-0,5", -0.5}, Case{"x,25", 0.25},
                          Case{"0,10", 0.1}, Case{"123456789,987654321", 123456789.987654321},
                          Case{"-007,25", -7.25}, Case{"0.1", 0.1}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseNumber(QString::fromUtf8(c.text)), c.expected);
    }
}

TEST_F(SlovakNumbers, ParseNumberRaisesWhenNoNumberIsLeft)
{
    for (const char *text : {"1.234,50", "1,2,3", "12-3", "--5", "1-"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(ParseNumber(QString::fromUtf8(text)), bralvo::platform::ConversionError);
    }
}

TEST(ParseNumber, ReadsTheSeparatorsOfAnyLocale)
{
    const ScopedRegionalSettings regional(englishNumbers());
    EXPECT_EQ(ParseNumber(QStringLiteral("1 234,5")), 1234.5);
    EXPECT_EQ(ParseNumber(QStringLiteral("1234.5")), 1234.5);
}

TEST_F(SlovakNumbers, ParseNumberCeilRoundsUp)
{
    struct Case {
        const char *text;
        int expected;
    };
    for (const Case &c : {Case{"2.1", 3}, Case{"-2.1", -2}, Case{"2", 2}, Case{"10", 10}, Case{"", 0},
                          Case{"0,0001", 1}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseNumberCeil(QString::fromUtf8(c.text)), c.expected);
    }
    EXPECT_THROW(ParseNumberCeil(QStringLiteral("3000000000")), bralvo::platform::ConversionError);
    EXPECT_THROW(ParseNumberCeil(QStringLiteral("1,2,3")), bralvo::platform::ConversionError);
}

TEST_F(SlovakNumbers, FormatMoneyShowsGroupedThousandsAndTwoDecimals)
{
    struct Case {
        double value;
        const char *expected;
    };
    for (const Case &c : {Case{1234.5, "1 234,50"}, Case{-5, "-5,00"}, Case{0, "0,00"},
                          Case{1234567.891, "1 234 567,89"}, Case{-1234.5, "-1 234,50"}, Case{0.5, "0,50"}}) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FormatMoney(c.value), QString::fromUtf8(c.expected));
    }
    const ScopedRegionalSettings regional(englishNumbers());
    EXPECT_EQ(FormatMoney(1234.5), QStringLiteral("1,234.50"));
}

TEST_F(SlovakNumbers, FormatMoneyRoundsHalvesAwayFromZeroOnTheDecimalValue)
{
    struct Case {
        double value;
        const char *expected;
    };
    // printf's binary rounding gives 0,12, 2,67, 1,00 and -0,12 here.
    for (const Case &c : {Case{0.125, "0,13"}, Case{2.675, "2,68"}, Case{1.005, "1,01"}, Case{-0.125, "-0,13"},
                          Case{100.006 * 0.19, "19,00"}, Case{-0.004, "0,00"}}) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FormatMoney(c.value), QString::fromUtf8(c.expected));
    }
}

TEST_F(SlovakNumbers, FormatNumberDecimalsKeepsExactlyThatManyDecimals)
{
    struct Case {
        int decimals;
        double value;
        const char *expected;
    };
    for (const Case &c : {Case{4, 1.5, "1,5000"}, Case{8, 1.23456789, "1,23456789"},
                          Case{8, 30.1234567891, "30,12345679"},
                          Case{2, 1234567, "1 234 567,00"}, Case{0, 1234.5, "1 235"}, Case{-1, 2.4, "2"}}) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FormatNumberDecimals(c.decimals, c.value), QString::fromUtf8(c.expected));
    }
}

TEST(OtherDecimalSeparator, IsTheOneTheLocaleDoesNotUse)
{
    {
        const ScopedRegionalSettings regional(RegionalSettings::slovak());
        EXPECT_EQ(OtherDecimalSeparator(), u'.');
    }
    const ScopedRegionalSettings regional(englishNumbers());
    EXPECT_EQ(OtherDecimalSeparator(), u',');
}

TEST(TextHelpers, ReplaceCharAndStripDigits)
{
    EXPECT_EQ(ReplaceChar(QStringLiteral("0.10"), u'.', u','), QStringLiteral("0,10"));
    EXPECT_EQ(ReplaceChar(QStringLiteral("a.b.c"), u'.', u'/'), QStringLiteral("a/b/c"));
    EXPECT_EQ(ReplaceChar(QString(), u'.', u','), QString());
    EXPECT_EQ(StripDigits(QStringLiteral("FA2009/0041x")), QStringLiteral("FA/x"));
    EXPECT_EQ(StripDigits(QStringLiteral("123")), QString());
    EXPECT_EQ(StripDigits(QString()), QString());
}
