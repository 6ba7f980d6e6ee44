#include "services/billnumbers.h"

#include "platform/conversionerror.h"

#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::services;

TEST(IncrementTrailingNumber, AddsToTheTrailingRunAndKeepsItsWidth)
{
    struct Case {
        const char *text;
        int n;
        const char *expected;
    };
    for (const Case &c : {Case{"FA0099", 1, "0100"}, Case{"99", 1, "100"}, Case{"ABC", 1, "1"},
                          Case{"0100", -1, "0099"},
                          Case{"0009", 1, "0010"}, Case{"", 1, "1"}, Case{"2009/0041", 1, "0042"}, Case{"5", -10, "-5"},
                          Case{"A1B07", 3, "10"}, Case{"000", 0, "000"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IncrementTrailingNumber(QString::fromUtf8(c.text), c.n), QString::fromUtf8(c.expected));
    }
}

TEST(IncrementTrailingNumber, RaisesBeyondTheSigned64BitRange)
{
    EXPECT_EQ(IncrementTrailingNumber(QStringLiteral("9223372036854775806"), 1),
              QStringLiteral("9223372036854775807"));
    EXPECT_THROW(IncrementTrailingNumber(QStringLiteral("9223372036854775807"), 1), bralvo::platform::ConversionError);
    EXPECT_THROW(IncrementTrailingNumber(QStringLiteral("FA99999999999999999999"), 1),
                 bralvo::platform::ConversionError);
}

TEST(TrailingNumberPrefix, IsTheTextBeforeTheRun)
{
    struct Case {
        const char *text;
        const char *expected;
    };
    for (const Case &c : {Case{"2009/0041", "2009/"}, Case{"123", ""}, Case{"FA", "FA"}, Case{"", ""},
                          Case{"FA-12-003", "FA-12-"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TrailingNumberPrefix(QString::fromUtf8(c.text)), QString::fromUtf8(c.expected));
    }
}

TEST(NextBillNumber, IsThePrefixAndTheIncrementedRun)
{
    for (const auto &[last, next] : {std::pair{"2009/0041", "2009/0042"}, std::pair{"FA", "FA1"},
                                     std::pair{"FA0999", "FA1000"}, std::pair{"9", "10"}}) {
        const QString text = QString::fromUtf8(last);
        EXPECT_EQ(TrailingNumberPrefix(text) + IncrementTrailingNumber(text, 1), QString::fromUtf8(next));
    }
}
