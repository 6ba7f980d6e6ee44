#include "services/roundtostep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace bralvo::services;

namespace {

struct Case {
    int mode;
    double value;
    double step;
    double expected;
};

void expectAll(std::initializer_list<Case> cases)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << c.value << " step " << c.step);
        EXPECT_EQ(RoundToStep(c.mode, c.value, c.step), c.expected);
    }
}

} // namespace

TEST(RoundToStep, PositiveValuesFollowTheModes)
{
    expectAll({{0, 2.25, 0.5, 2.5}, {0, 2.2, 0.5, 2.0}, {0, 2.24, 0.5, 2.0},
               {1, 2.1, 0.5, 2.5}, {1, 2.0, 0.5, 2.0}, {1, 2.01, 0.5, 2.5},
               {-1, 2.4, 0.5, 2.0}, {-1, 2.5, 0.5, 2.5},
               {0, 100.006, 0.01, 100.01}, {0, 19.0019, 0.10, 19.0}, {0, 2.675, 0.01, 2.68},
               {1, 12.3401, 0.01, 12.35}, {-1, 12.349, 0.01, 12.34}, {0, 1234, 5, 1235}, {0, 0, 0.5, 0}});
}

TEST(RoundToStep, MultipleOfTheStepNeverMoves)
{
    for (int mode : {-1, 0, 1}) {
        expectAll({{mode, 1000, 1, 1000}, {mode, 2, 0.5, 2}, {mode, 256, 1, 256}, {mode, 257, 1, 257},
                   {mode, 1e6, 1, 1e6}, {mode, 123456789, 1, 123456789}, {mode, 1e12, 1, 1e12},
                   {mode, 99999999999999, 1, 99999999999999}, {mode, 19.0, 0.10, 19.0}});
    }
}

TEST(RoundToStep, DecimalStepsDoNotDrift)
{
    // In binary 1.1 / 0.1 is above 11 and 0.7 / 0.1 below 7.
    for (int mode : {-1, 0, 1}) {
        expectAll({{mode, 0.3, 0.1, 0.3}, {mode, 1.1, 0.1, 1.1}, {mode, 0.7, 0.1, 0.7}, {mode, 4.35, 0.05, 4.35},
                   {mode, 123.45, 0.01, 123.45}, {mode, 1234567.89, 0.01, 1234567.89}, {mode, 0.6, 0.2, 0.6}});
    }
    expectAll({{1, 0.31, 0.1, 0.4}, {-1, 0.39, 0.1, 0.3}, {0, 0.35, 0.1, 0.4}, {0, 0.3499, 0.1, 0.3}});
}

TEST(RoundToStep, NegativeValuesRoundByTheirMagnitude)
{
    expectAll({{1, -2.3, 1, -3}, {1, -2.0, 1, -2}, {-1, -2.7, 1, -2}, {-1, -2.0, 1, -2},
               {0, -1.3, 0.5, -1.5}, {0, -1.25, 0.5, -1.5}, {0, -1.2, 0.5, -1.0}, {0, -2.25, 0.5, -2.5},
               {1, -0.01, 0.1, -0.1}, {-1, -0.01, 0.1, 0}});
}

TEST(RoundToStep, OddStepsAndValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    expectAll({{0, 2.2, -0.5, 2.0}, {1, 2.2, 0, 2.2}, {1, inf, 1, inf}, {1, 2.5, inf, 2.5},
               {1, 1e-30, 1, 1}, {-1, 1e-30, 1, 0}, {1, 1e30, 1e-15, 1e30}, {0, 123.456, 1e-20, 123.456}});
    EXPECT_TRUE(std::isnan(RoundToStep(0, std::numeric_limits<double>::quiet_NaN(), 1)));
}
