#include "platform/decimaltext.h"

#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::platform;

TEST(DecimalDigits, FifteenSignificantDigitsAtMost)
{
    struct Case {
        double value;
        const char *plain;
    };
    for (const Case &c : {Case{0, "0"}, Case{0.1, "0.1"}, Case{0.1 + 0.2, "0.3"}, Case{1234.5, "1234.5"},
                          Case{-0.0125, "-0.0125"}, Case{1e20, "100000000000000000000"},
                          Case{1.0 / 3, "0.333333333333333"},
                          Case{1e-7, "0.0000001"}, Case{999999999999999.9, "1000000000000000"}}) {
        SCOPED_TRACE(c.plain);
        EXPECT_EQ(toPlainText(decimalDigits(c.value)), QString::fromLatin1(c.plain));
    }
}

TEST(DecimalDigits, RoundsHalvesAwayFromZero)
{
    struct Case {
        double value;
        int decimals;
        const char *plain;
    };
    for (const Case &c : {Case{0.125, 2, "0.13"}, Case{-0.125, 2, "-0.13"}, Case{0.5, 0, "1"}, Case{0.4, 0, "0"},
                          Case{999.995, 2, "1000"}, Case{-0.004, 2, "0"}, Case{0.005, 2, "0.01"}, Case{0.0005, 2, "0"},
                          Case{1250, -2, "1300"}, Case{2.675, 2, "2.68"}}) {
        SCOPED_TRACE(c.plain);
        EXPECT_EQ(toPlainText(roundToDecimals(decimalDigits(c.value), c.decimals)), QString::fromLatin1(c.plain));
    }
    EXPECT_EQ(toPlainText(roundToSignificant(decimalDigits(1234.5), 4)), QStringLiteral("1235"));
    EXPECT_EQ(toDouble(roundToDecimals(decimalDigits(100.006), 2)), 100.01);
}
