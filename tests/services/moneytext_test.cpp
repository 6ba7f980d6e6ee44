// The quick money text against the picture formatter it stands in for:
// worked cases first, then many values of every size, which must give
// the very same text.
#include "services/moneytext.h"

#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <random>

using bralvo::services::QuickMoneyText;

namespace {

QString quick(double value)
{
    return QuickMoneyText(value, u',', u' ').value_or(QStringLiteral("<none>"));
}

TEST(QuickMoneyText, WorkedCases)
{
    struct Case {
        double value;
        const char *text;
    };
    for (const Case &c : {Case{0, "0,00"}, Case{-0.0, "0,00"}, Case{0.125, "0,13"}, Case{-5, "-5,00"},
                          Case{0.005, "0,01"}, Case{-0.004, "0,00"}, Case{999.995, "1 000,00"},
                          Case{1234567.891, "1 234 567,89"}, Case{100, "100,00"}, Case{0.05, "0,05"},
                          Case{1e14, "100 000 000 000 000,00"}, Case{2.675, "2,68"}, Case{1.005, "1,01"}}) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(quick(c.value).toStdString(), c.text);
    }
}

TEST(QuickMoneyText, LeavesWhatItCannotWriteToThePictureFormatter)
{
    EXPECT_FALSE(QuickMoneyText(std::numeric_limits<double>::infinity(), u',', u' '));
    EXPECT_FALSE(QuickMoneyText(std::nan(""), u',', u' '));
    EXPECT_FALSE(QuickMoneyText(0.1 + 0.2, u',', u' '));  // 0.30000000000000004
}

TEST(QuickMoneyText, GivesThePictureFormattersText)
{
    bralvo::platform::RegionalSettings settings;
    settings.decimalSeparator = u'.';
    settings.thousandSeparator = u',';
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> scale(-4, 15);
    std::uniform_int_distribution<int> cents(-100000000, 100000000);
    int compared = 0;
    for (int i = 0; i < 200000; ++i) {
        // Plain doubles of every size, and amounts of whole cents and halves.
        const double value = i % 3 == 0   ? mantissa(random) * std::pow(10.0, scale(random))
                             : i % 3 == 1 ? cents(random) / 100.0
                                          : cents(random) / 1000.0 + 0.0005;
        const std::optional<QString> text = QuickMoneyText(value, u'.', u',');
        if (!text)
            continue;
        ++compared;
        const QString picture = bralvo::platform::FormatFloat(QStringLiteral("###,###,##0.00"), value, settings);
        ASSERT_EQ(text->toStdString(), picture.toStdString()) << "value " << value;
    }
    EXPECT_GT(compared, 100000);
}

} // namespace
