#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"

#include "tests/support/englishnumbers.h"
#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

#include <limits>

using namespace bralvo::platform;
using bralvo::test::englishNumbers;

namespace {

struct Case {
    const char *format;
    double value;
    const char *expected;
};

void expectAll(std::initializer_list<Case> cases, const RegionalSettings &settings)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.format) + " / " + std::to_string(c.value));
        EXPECT_EQ(FormatFloat(QString::fromUtf8(c.format), c.value, settings), QString::fromUtf8(c.expected));
    }
}

} // namespace

TEST(FormatFloat, MoneyPatternGroupsAndKeepsTwoDecimals)
{
    expectAll({{"###,###,##0.00", 1234.5, "1 234,50"},
               {"###,###,##0.00", 1234567.891, "1 234 567,89"},
               {"###,###,##0.00", 0, "0,00"},
               {"###,###,##0.00", -5, "-5,00"},
               {"###,###,##0.00", 999.999, "1 000,00"},
               {"###,###,##0.00", 123456789012.5, "123 456 789 012,50"},
               {"#,##0", 1234567, "1 234 567"},
               {"#,##0", 999.5, "1 000"},
               {"###,###,##0.", 1234.56, "1 235"}},
              RegionalSettings::slovak());
    expectAll({{"#,##0.00", 1234.5, "1,234.50"}, {"0.0", -0.25, "-0.3"}}, englishNumbers());
}

TEST(FormatFloat, RoundsHalvesAwayFromZeroOnTheDecimalValue)
{
    // Binary rounding would give 0,12 / 2,67 / 1,00 here.
    expectAll({{"0.00", 0.125, "0,13"},
               {"0.00", 2.675, "2,68"},
               {"0.00", 1.005, "1,01"},
               {"0.00", -0.125, "-0,13"},
               {"0", 2.5, "3"},
               {"0", -2.5, "-3"},
               {"0.00", 0.1 + 0.2, "0,30"}},
              RegionalSettings::slovak());
}

TEST(FormatFloat, OptionalAndForcedDigits)
{
    expectAll({{"##0.##", 19, "19"},
               {"##0.##", 19.5, "19,5"},
               {"##0.##", 10.125, "10,13"},
               {"##0.##", 5.999, "6"},
               {"##0.##", 0, "0"},
               {"#.##", 0, ""},
               {"#.##", 0.5, ",5"},
               {"0000", 42, "0042"},
               {"0.0#", 1.5, "1,5"},
               {"0.0#", 1.25, "1,25"},
               {"0.0.0", 1.25, "1,25"},
               {".00", 12.5, "12,50"},
               {"0", 1e20, "100000000000000000000"}},
              RegionalSettings::slovak());
}

TEST(FormatFloat, NegativeValueThatRoundsToZeroShowsNoMinus)
{
    expectAll({{"0.00", -0.001, "0,00"}, {"#,##0", -0.4, "0"}}, RegionalSettings::slovak());
}

TEST(FormatFloat, SectionsForNegativeAndZeroValues)
{
    expectAll({{"0.00;(0.00);'nula'", 5, "5,00"},
               {"0.00;(0.00);'nula'", -5, "(5,00)"},
               {"0.00;(0.00);'nula'", 0, "nula"},
               {"0.00;(0.00);'nula'", 0.001, "nula"},
               {"0.00;;'nula'", -3, "-3,00"},
               {"0.00;", -3, "-3,00"},
               {"0.00;'minus';", -3, "minus"}},
              RegionalSettings::slovak());
}

TEST(FormatFloat, LiteralsStayInPlace)
{
    expectAll({{"'Suma: '0.00' €'", 3, "Suma: 3,00 €"},
               {"0.0 \"kg\"", 2.5, "2,5 kg"},
               {"0-00", 123, "1-23"},
               {"##0.##%", 19, "19%"},
               {"'a;b' 0", 7, "a;b 7"}},
              RegionalSettings::slovak());
}

TEST(FormatFloat, ScientificForms)
{
    expectAll({{"0.00E+00", 1234.5, "1,23E+03"},
               {"0.00E+00", 0.00012345, "1,23E-04"},
               {"0.00E-00", 1234.5, "1,23E03"},
               {"0.###E+0", 1234.5, "1,235E+3"},
               {"0.00E+00", 0, "0,00E+00"},
               {"0.0e+000", -25, "-2,5e+001"}},
              RegionalSettings::slovak());
}

TEST(FormatFloat, EmptyPatternAndSpecialValues)
{
    const RegionalSettings rs = RegionalSettings::slovak();
    EXPECT_EQ(FormatFloat(QString(), 1.5, rs), QStringLiteral("1,5"));
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), inf, rs), QStringLiteral("INF"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), -inf, rs), QStringLiteral("-INF"));
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), std::numeric_limits<double>::quiet_NaN(), rs), QStringLiteral("NAN"));
}
