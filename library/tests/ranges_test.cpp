#include "stored_files.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

struct Range {
    double upper;
    double lower;
    double magnitude;
};

Range full_range(int32_t file, int32_t var, Range in = {0.0, 0.0, 0.0})
{
    drang(&file, &var, &in.upper, &in.lower, &in.magnitude);
    return in;
}

Range window_range(int32_t file, int32_t yvar, int32_t xvar, double xlo, double xhi,
                   Range in = {0.0, 0.0, 0.0})
{
    rrang(&file, &yvar, &xvar, &xlo, &xhi, &in.upper, &in.lower, &in.magnitude);
    return in;
}

}  // namespace

using Ranges = StoredFiles;

TEST_F(Ranges, FullRangeAppliesPairAndSwapsForNegativeFactor)
{
    const int32_t f = put_file({{2.0, 5.0, 3.0}});
    struct Case {
        double shift, factor, upper, lower, magnitude;
    };
    for (const Case c : {Case{0, 1, 5, 2, 5}, Case{0, -1, -2, -5, 5}, Case{1, 2, 11, 5, 11},
                         Case{3, 0, 3, 3, 3}, Case{-10, 1, -5, -8, 8}}) {
        set_pair(f, 1, c.shift, c.factor);
        const Range r = full_range(f, 1);
        EXPECT_DOUBLE_EQ(r.upper, c.upper) << c.factor << " " << c.shift;
        EXPECT_DOUBLE_EQ(r.lower, c.lower) << c.factor << " " << c.shift;
        EXPECT_DOUBLE_EQ(r.magnitude, c.magnitude) << c.factor << " " << c.shift;
    }
}

TEST_F(Ranges, AllZeroValuesGiveMagnitudeOne)
{
    const int32_t f = put_file({{0.0, 0.0}});
    EXPECT_EQ(full_range(f, 1).magnitude, 1.0);
    EXPECT_EQ(window_range(f, 1, 1, -1.0, 1.0).magnitude, 1.0);
}

TEST_F(Ranges, FilesAfterTheFirstCombineWithThePassedRange)
{
    const int32_t f1 = put_file({{2.0, 5.0}});
    const int32_t f2 = put_file({{-1.0, 4.0}});
    const int32_t f3 = put_file({{3.0, 9.0}});
    Range r = full_range(f1, 1, {100.0, -100.0, 0.0});
    EXPECT_EQ(r.upper, 5.0);
    EXPECT_EQ(r.lower, 2.0);
    r = full_range(f2, 1, r);
    r = full_range(f3, 1, r);
    EXPECT_EQ(r.upper, 9.0);
    EXPECT_EQ(r.lower, -1.0);
    EXPECT_EQ(r.magnitude, 9.0);
}

TEST_F(Ranges, FileBeyondLoadedCountGivesUnitRange)
{
    put_file({{2.0}});
    put_file({{2.0}});
    for (int32_t file : {3, 0, -1, 1001, 1002, std::numeric_limits<int32_t>::max()}) {
        for (const Range r : {full_range(file, 1, {7, 7, 7}), window_range(file, 1, 1, 0, 10, {7, 7, 7})}) {
            EXPECT_EQ(r.upper, 1.0) << file;
            EXPECT_EQ(r.lower, 0.0) << file;
            EXPECT_EQ(r.magnitude, 1.0) << file;
        }
    }
}

TEST_F(Ranges, VariableWithoutSamplesReadsAsNeverRaised)
{
    const int32_t f = put_file({{2.0}});
    for (int32_t var : {2, 5000, 0, -4, 5001}) {
        const Range r = full_range(f, var);
        EXPECT_EQ(r.upper, zan::kInitMax) << var;
        EXPECT_EQ(r.lower, zan::kInitMin) << var;
    }
}

TEST_F(Ranges, WindowIncludesBothEndsAndAppliesPairs)
{
    const int32_t f = put_file({{0, 1, 2, 3, 4, 5}, {10, -3, 7, 8, -20, 30}});
    Range r = window_range(f, 2, 1, 1.0, 3.0);
    EXPECT_EQ(r.upper, 8.0);
    EXPECT_EQ(r.lower, -3.0);
    EXPECT_EQ(r.magnitude, 8.0);
    // X shifted by 1 moves the window onto raw X 0..2; Y scaled by -1.
    set_pair(f, 1, 1.0, 1.0);
    set_pair(f, 2, 0.0, -1.0);
    r = window_range(f, 2, 1, 1.0, 3.0);
    EXPECT_EQ(r.upper, 3.0);
    EXPECT_EQ(r.lower, -10.0);
}

TEST_F(Ranges, EmptyWindowLeavesStartValuesForFirstFileAndPassedValuesLater)
{
    const int32_t f1 = put_file({{0, 1, 2}, {5, 6, 7}});
    const int32_t f2 = put_file({{0, 1, 2}, {5, 6, 7}});
    Range r = window_range(f1, 2, 1, 10.0, 20.0, {3.0, 1.0, 0.0});
    EXPECT_EQ(r.upper, -1.0e10);
    EXPECT_EQ(r.lower, 1.0e10);
    r = window_range(f2, 2, 1, 10.0, 20.0, {3.0, 1.0, 0.0});
    EXPECT_EQ(r.upper, 3.0);
    EXPECT_EQ(r.lower, 1.0);
    r = window_range(f2, 2, 1, 0.0, 0.0, {3.0, 1.0, 0.0});
    EXPECT_EQ(r.upper, 5.0);
    EXPECT_EQ(r.lower, 1.0);
}

TEST_F(Ranges, NotANumberNeitherEntersTheWindowNorTheRange)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const int32_t f = put_file({{nan, 1, 2}, {100, 6, 7}});
    Range r = window_range(f, 2, 1, -1e300, 1e300);
    EXPECT_EQ(r.upper, 7.0);
    EXPECT_EQ(r.lower, 6.0);
    // A factor that is not a number makes every Y undefined: nothing found.
    set_pair(f, 2, 0.0, nan);
    r = window_range(f, 2, 1, -1e300, 1e300);
    EXPECT_EQ(r.upper, -1.0e10);
    EXPECT_EQ(r.lower, 1.0e10);
}

TEST_F(Ranges, WindowScanMatchesPlainLoopOnUnevenLengths)
{
    // Lengths around the unrolled width catch a lost tail or head sample.
    for (int32_t n = 1; n <= 11; ++n) {
        release();
        std::vector<double> x(static_cast<std::size_t>(n));
        std::vector<double> y(static_cast<std::size_t>(n));
        for (int32_t i = 0; i < n; ++i) {
            x[static_cast<std::size_t>(i)] = i;
            y[static_cast<std::size_t>(i)] = (i * 7919 % 13) - 6.0;
        }
        const int32_t f = put_file({x, y});
        for (int32_t a = 0; a < n; ++a) {
            for (int32_t b = a; b < n; ++b) {
                double up = -1e10;
                double dn = 1e10;
                for (int32_t i = a; i <= b; ++i) {
                    up = std::max(up, y[static_cast<std::size_t>(i)]);
                    dn = std::min(dn, y[static_cast<std::size_t>(i)]);
                }
                const Range r = window_range(f, 2, 1, a, b);
                ASSERT_EQ(r.upper, up) << n << " " << a << " " << b;
                ASSERT_EQ(r.lower, dn) << n << " " << a << " " << b;
            }
        }
    }
}

TEST_F(Ranges, WindowOverVariablesTheFileLacksFindsNothing)
{
    const int32_t f = put_file({{0, 1}, {5, 6}});
    for (auto [y, x] : {std::pair{3, 1}, std::pair{1, 3}, std::pair{0, 1}, std::pair{2, -1}, std::pair{5001, 1}}) {
        const Range r = window_range(f, y, x, -10.0, 10.0);
        EXPECT_EQ(r.upper, -1.0e10);
        EXPECT_EQ(r.lower, 1.0e10);
    }
}

TEST_F(Ranges, WindowFromBlockExtremesMatchesTheScanOfEverySample)
{
    // Several groups of blocks; X rising (the usual time), X rising with
    // plateaus, and X that goes back and forth.
    const int32_t rows = 3 * 4096 + 777;
    std::mt19937 gen(5);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<double> rising, plateaus, wandering, y;
    for (int32_t i = 0; i < rows; ++i) {
        rising.push_back(i * 0.01);
        plateaus.push_back(std::floor(i / 300.0));
        wandering.push_back(50.0 * std::sin(i * 0.003) + noise(gen));
        y.push_back(3.0 * std::cos(i * 0.002) + noise(gen));
    }
    const int32_t f = put_file({rising, plateaus, wandering, y});
    zan::FileSlot& slot = zan::store().slots[static_cast<std::size_t>(f - 1)];
    slot.prepare_extremes();
    const std::vector<double>* xs[] = {&rising, &plateaus, &wandering};
    struct Pair {
        double shift, factor;
    };
    std::uniform_real_distribution<double> at(-60.0, 160.0);
    for (const Pair p : {Pair{0, 1}, Pair{2, -3}, Pair{1, 0}, Pair{-5, 0.5}}) {
        for (int32_t xv = 1; xv <= 3; ++xv) {
            set_pair(f, xv, p.shift, p.factor);
            set_pair(f, 4, -p.shift, p.factor);
            for (int k = 0; k < 60; ++k) {
                double a = at(gen), b = at(gen);
                if (k % 4 == 0) b = a + 0.5;
                if (a > b) std::swap(a, b);
                double up = -1e10, dn = 1e10;
                for (int32_t i = 0; i < rows; ++i) {
                    const double x = (*xs[xv - 1])[static_cast<std::size_t>(i)] * p.factor + p.shift;
                    const double v = y[static_cast<std::size_t>(i)] * p.factor - p.shift;
                    if (x >= a && x <= b) {
                        up = std::max(up, v);
                        dn = std::min(dn, v);
                    }
                }
                const Range r = window_range(f, 4, xv, a, b);
                ASSERT_EQ(r.upper, up) << xv << " " << a << ".." << b << " factor " << p.factor;
                ASSERT_EQ(r.lower, dn) << xv << " " << a << ".." << b << " factor " << p.factor;
            }
            set_pair(f, xv, 0, 1);
        }
    }
}

TEST_F(Ranges, WindowEdgesOnTheLastOrFirstSampleOfABlockTakeThatSample)
{
    // Time 0, 1, 2, ... with a spike on the sample that ends or starts a
    // 64-sample block or a group of blocks, and a window that starts or ends
    // exactly there: the spike is the window's extreme.
    const int32_t rows = 3 * 4096 + 100;
    struct Case {
        int32_t spike;   // sample index from 0
        double lo, hi;   // window in time
    };
    const Case cases[] = {
        {63, 63, 200},          // starts on the last sample of a block
        {4095, 4095, 5000},     // starts on the last sample of a group
        {64, 10, 64},           // ends on the first sample of a block
        {8192, 7000, 8192},     // ends on the first sample of a group
        {127, 127, 127},        // the single sample that ends a block
    };
    for (const Case& c : cases) {
        std::vector<double> t, y;
        for (int32_t i = 0; i < rows; ++i) {
            t.push_back(i);
            y.push_back(i == c.spike ? 1000.0 : std::sin(i * 0.01));
        }
        release();
        const int32_t f = put_file({t, y});
        zan::FileSlot& slot = zan::store().slots[static_cast<std::size_t>(f - 1)];
        slot.extremes.prepare(slot.block.get(), slot.nvar, slot.capacity);
        const Range r = window_range(f, 2, 1, c.lo, c.hi);
        EXPECT_EQ(r.upper, 1000.0) << "spike at " << c.spike << ", window " << c.lo << ".." << c.hi;
    }
}
