#include "axis_division.h"
#include "zan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cstdint>
#include <limits>

namespace {

struct Axis {
    double first;
    double last;
    double step;
    int32_t ndiv;
};

Axis divide(double low, double high)
{
    const double lo = low;
    const double hi = high;
    Axis a{-7, -7, -7, -7};
    dscls(&low, &high, &a.first, &a.last, &a.step, &a.ndiv);
    EXPECT_EQ(std::memcmp(&low, &lo, sizeof lo), 0);
    EXPECT_EQ(std::memcmp(&high, &hi, sizeof hi), 0);
    return a;
}

}  // namespace

TEST(AxisDivision, NiceStepIsOneTwoFourOrFiveTimesAPowerOfTen)
{
    struct Case {
        double x;
        double nice;
    };
    const Case cases[] = {{3, 4},         {4.5, 5},     {6, 10},       {0.013, 0.02},   {1, 1},
                          {2, 2},         {2.0001, 4},  {4, 4},        {5, 5},          {5.0001, 10},
                          {10, 10},       {0.1, 0.1},   {11, 20},      {-3, 4},         {1e-21, 1},
                          {0.0, 1},       {1.5e-20, 2e-20}, {7e15, 1e16}, {std::nan(""), 1},
                          {std::numeric_limits<double>::infinity(), 1}};
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(zan::nice_step(c.x), c.nice) << c.x;
}

TEST(AxisDivision, DividesRangesIntoPleasantTicks)
{
    struct Case {
        double low, high, first, last, step;
        int32_t ndiv;
    };
    const Case cases[] = {
        {0, 100, 0, 100, 20, 5},
        {0, 7, 0, 7, 1, 7},
        // Equal non-zero ends are widened to include zero.
        {5, 5, 0, 5, 1, 5},
        {-5, -5, -5, 0, 1, 5},
        // Nothing at all becomes 0 to 0.9999999, divided as 0 to 1.
        {0, 0, 0, 1, 0.2, 5},
        {1e-21, -1e-21, 0, 1, 0.2, 5},
        // Angles.
        {-170, 175, -180, 180, 60, 6},
        {0, 360, 0, 360, 60, 6},
        {-355, -10, -360, 0, 60, 6},
        {-350, -10, -350, 0, 50, 7},
        {0, 350, 0, 350, 50, 7},
        {-1, 1, -1.2, 1.2, 0.4, 6},
        // An inverted range takes in zero: 7 to 3 becomes 0 to 3 (only the top
        // may be trimmed), -3 to -8 becomes -3 to 0 (only the bottom).
        {7, 3, 0, 3, 0.5, 6},
        {-3, -8, -3, 0, 0.5, 6},
        // The upper trim: the search gives six divisions of 0.2 from -1.6,
        // and the top one lies above the input high, so it goes.
        {-1.5, -0.6, -1.6, -0.6, 0.2, 5},
        {0.5, 0.75, 0.5, 0.75, 0.05, 5},
    };
    for (const Case& c : cases) {
        const Axis a = divide(c.low, c.high);
        EXPECT_NEAR(a.first, c.first, 1e-9) << c.low << " .. " << c.high;
        EXPECT_NEAR(a.last, c.last, 1e-9) << c.low << " .. " << c.high;
        EXPECT_NEAR(a.step, c.step, 1e-12) << c.low << " .. " << c.high;
        EXPECT_EQ(a.ndiv, c.ndiv) << c.low << " .. " << c.high;
    }
}

TEST(AxisDivision, TopDivisionStaysWhenHighEqualsLastMinusStep)
{
    // The top division goes only when the high value lies below it.
    struct Case {
        double low, high, first, last, step;
        int32_t ndiv;
    };
    const Case cases[] = {
        {-30, -28.4, -30, -28.2, 0.2, 9},
        {-29.6, -28, -29.6, -27.8, 0.2, 9},
        {-29.1, -29, -29.1, -28.98, 0.02, 6},
    };
    for (const Case& c : cases) {
        const Axis a = divide(c.low, c.high);
        ASSERT_EQ(c.high, a.last - a.step) << c.low << " .. " << c.high;
        EXPECT_NEAR(a.first, c.first, 1e-12) << c.low << " .. " << c.high;
        EXPECT_NEAR(a.last, c.last, 1e-12) << c.low << " .. " << c.high;
        EXPECT_NEAR(a.step, c.step, 1e-12) << c.low << " .. " << c.high;
        EXPECT_EQ(a.ndiv, c.ndiv) << c.low << " .. " << c.high;
    }
}

TEST(AxisDivision, TicksCoverTheRangeAndKeepTheirRelation)
{
    const double ranges[][2] = {{0.123, 0.987}, {-3e7, 2e8}, {1e-12, 3e-12}, {-7.5, -7.25},
                                {99, 101},      {1e15, 1e15 + 5}, {-1e300, 1e300}};
    for (const auto& r : ranges) {
        const Axis a = divide(r[0], r[1]);
        EXPECT_GE(a.ndiv, 5) << r[0];
        EXPECT_LE(a.ndiv, 9) << r[0];
        EXPECT_GT(a.step, 0.0) << r[0];
        EXPECT_NEAR(a.last, a.first + a.ndiv * a.step, 1e-9 * std::fabs(a.step) * a.ndiv) << r[0];
        EXPECT_LE(a.first, r[0]) << r[0];
        EXPECT_GE(a.last, r[1]) << r[0];
    }
}

TEST(AxisDivision, UndefinedInputsDivideLikeTheEmptyRange)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double max = std::numeric_limits<double>::max();
    for (auto [lo, hi] : {std::pair{nan, 1.0}, std::pair{0.0, inf}, std::pair{-inf, inf}, std::pair{-max, max}}) {
        const Axis a = divide(lo, hi);
        EXPECT_EQ(a.first, 0.0);
        EXPECT_NEAR(a.last, 1.0, 1e-12);
        EXPECT_NEAR(a.step, 0.2, 1e-12);
        EXPECT_EQ(a.ndiv, 5);
    }
}
