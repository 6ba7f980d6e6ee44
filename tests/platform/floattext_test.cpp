#include "platform/conversionerror.h"
#include "platform/floattext.h"
#include "platform/regionalsettings.h"

#include "tests/support/englishnumbers.h"
#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

#include <limits>

using namespace bralvo::platform;
using bralvo::test::englishNumbers;

TEST(FloatToStr, ShortestFormWithTheRegionalSeparator)
{
    struct Case {
        double value;
        const char *expected;
    };
    const RegionalSettings rs = RegionalSettings::slovak();
    for (const Case &c : {Case{0, "0"}, Case{100, "100"}, Case{0.1, "0,1"}, Case{0.1 + 0.2, "0,3"},
                          Case{1234.5, "1234,5"}, Case{-2.5, "-2,5"}, Case{1.0 / 3, "0,333333333333333"},
                          Case{2.0 / 3, "0,666666666666667"}, Case{123456789012345.0, "123456789012345"},
                          Case{1e15, "1E15"}, Case{1.5e20, "1,5E20"}, Case{0.0001, "0,0001"},
                          Case{0.00001, "1E-5"}, Case{-1.5e-7, "-1,5E-7"}}) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FloatToStr(c.value, rs), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(FloatToStr(0.5, englishNumbers()), QStringLiteral("0.5"));
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity(), rs), QStringLiteral("INF"));
}

TEST(FloatToStr, ReadsBackAsTheSameValue)
{
    const RegionalSettings rs = RegionalSettings::slovak();
    for (double v : {0.1, 19.99, 1234.5678, -0.000123, 1e-300, 123456.789e200, 0.07, 4.35}) {
        SCOPED_TRACE(v);
        EXPECT_EQ(StrToFloat(FloatToStr(v, rs), rs), v);
    }
}

TEST(StrToFloat, AcceptsTheRegionalForm)
{
    struct Case {
        const char *text;
        double expected;
    };
    const RegionalSettings rs = RegionalSettings::slovak();
    for (const Case &c : {Case{"1,5", 1.5}, Case{" -2,25 ", -2.25}, Case{"+7", 7}, Case{",5", 0.5}, Case{"3,", 3},
                          Case{"1E3", 1000}, Case{"1,5e-3", 0.0015}, Case{"2E+2", 200}, Case{"1e-400", 0}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StrToFloat(QString::fromUtf8(c.text), rs), c.expected);
    }
    EXPECT_EQ(StrToFloat(QStringLiteral("1.5"), englishNumbers()), 1.5);
}

TEST(StrToFloat, RejectsEverythingElse)
{
    const RegionalSettings rs = RegionalSettings::slovak();
    for (const char *text : {"", " ", "abc", "1.5", "1 234,5", "1,2,3", "12-3", "--5", "-", ",", "1e", "1e400", "5 ks",
                             "INF"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(TryStrToFloat(QString::fromUtf8(text), rs).has_value());
        EXPECT_THROW(StrToFloat(QString::fromUtf8(text), rs), ConversionError);
    }
    EXPECT_FALSE(TryStrToFloat(QStringLiteral("1,5"), englishNumbers()).has_value());
}

TEST(StrToFloat, ErrorNamesTheText)
{
    try {
        StrToFloat(QStringLiteral("1,2,3"), RegionalSettings::slovak());
        FAIL() << "no error";
    } catch (const bralvo::Error &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("'1,2,3' is not a valid floating point value"));
    }
}
