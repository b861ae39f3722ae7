// The mapped range of every step-th sample must equal what a walk over
// exactly those samples with idata and jdata finds, and a run is called
// continuous only when its neighbours really lie one device unit apart.
#include "stored_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

struct Answer {
    int32_t xlo = 0, xhi = 0, ylo = 0, yhi = 0, xin = 0, yin = 0, xcont = 0, ycont = 0;
};

Answer query(int32_t file, int32_t first, int32_t last, int32_t step)
{
    Answer a;
    mrngs(&file, &first, &last, &step, &a.xlo, &a.xhi, &a.ylo, &a.yhi, &a.xin, &a.yin, &a.xcont, &a.ycont);
    return a;
}

// Extremes, inside flag and whether neighbours lie within one unit, from
// single-sample mapping of samples first, first + step, ... up to last.
struct Walked {
    int32_t lo = 0, hi = 0, in = 0;
    bool near = true;
};

Walked walk_axis(bool x_axis, int32_t file, int32_t first, int32_t last, int32_t step)
{
    Walked w;
    bool all_in = true, all_above = true, all_below = true;
    int32_t prev = 0;
    for (int32_t s = first; s <= last; s += step) {
        int32_t c = 0, inside = 1;
        if (x_axis) idata(&file, &s, &c, &inside);
        else jdata(&file, &s, &c, &inside);
        w.lo = s == first ? c : std::min(w.lo, c);
        w.hi = s == first ? c : std::max(w.hi, c);
        if (s != first && std::abs(c - prev) > 1) w.near = false;
        prev = c;
        all_in = all_in && inside == 1;
        all_above = all_above && inside == 0 && c == 32767;
        all_below = all_below && inside == 0 && c == -32767;
    }
    w.in = all_in ? 1 : (all_above || all_below) ? -1 : 0;
    return w;
}

class SteppedRange : public StoredFiles {
protected:
    static int32_t load(const Columns& columns) { return put_through_sink(columns); }

    // Checks the answer for samples first, first + step, ... up to last.
    static void check(int32_t file, int32_t first, int32_t last, int32_t step)
    {
        const Answer a = query(file, first, last, step);
        const Walked x = walk_axis(true, file, first, last, step);
        const Walked y = walk_axis(false, file, first, last, step);
        ASSERT_EQ(a.xlo, x.lo);
        ASSERT_EQ(a.xhi, x.hi);
        ASSERT_EQ(a.xin, x.in);
        ASSERT_EQ(a.ylo, y.lo);
        ASSERT_EQ(a.yhi, y.hi);
        ASSERT_EQ(a.yin, y.in);
        // Claimed continuous only when it is, and inside.
        if (a.xcont == 1) {
            ASSERT_TRUE(x.near && x.in == 1);
        }
        if (a.ycont == 1) {
            ASSERT_TRUE(y.near && y.in == 1);
        }
    }
};

// A slow wave with a little noise, and now and then a jump.
std::vector<std::vector<double>> wave(int32_t rows, double noise_size)
{
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> noise(-noise_size, noise_size);
    std::vector<std::vector<double>> c(2);
    for (int32_t r = 0; r < rows; ++r) {
        c[0].push_back(r * 0.01);
        c[1].push_back(r % 1777 == 0 ? 9.0 : 5.0 * std::sin(r * 0.001) + noise(gen));
    }
    return c;
}

TEST_F(SteppedRange, MatchesAWalkOverEveryStepthSample)
{
    const int32_t rows = 30000;  // several groups of blocks at step 1
    const int32_t file = load(wave(rows, 0.05));
    struct Case {
        double factor;
        double ylo, yhi;
    } cases[] = {{1.0, -10.0, 10.0}, {-2.0, -10.0, 10.0}, {1.0, -0.5, 0.5}, {1e300, -1.0, 1.0}};
    std::mt19937 gen(3);
    std::uniform_int_distribution<int32_t> pick(1, rows);
    for (const Case& c : cases) {
        int32_t f = file, y = 2;
        double factor = c.factor;
        sfact(&f, &y, &factor);
        select_box(file, 10.0, 200.0, c.ylo, c.yhi);
        for (int32_t step : {1, 2, 7, 64, 100}) {
            for (int k = 0; k < 120; ++k) {
                int32_t a = pick(gen), b = pick(gen);
                if (k % 3 == 0) b = std::min(rows, a + k * step);
                if (a > b) std::swap(a, b);
                a = (a - 1) / step * step + 1;  // on the step's grid
                SCOPED_TRACE(testing::Message() << "factor " << c.factor << " step " << step << " " << a << ".." << b);
                check(file, a, b, step);
            }
            check(file, 1, rows, step);
        }
    }
}

TEST_F(SteppedRange, CallsSmoothRunsContinuous)
{
    // Neighbours at most 0.005 apart, 500 units across 20: 0.125 units apart.
    const int32_t file = load(wave(20000, 0.0));
    select_box(file, 0.0, 200.0, -10.0, 10.0);
    struct Case {
        int32_t first, last, step;
    } cases[] = {{2, 1700, 1}, {1800, 3500, 1}, {4, 1501, 3}, {1821, 3500, 7}};
    for (const Case& c : cases) {
        const Answer a = query(file, c.first, c.last, c.step);
        EXPECT_EQ(a.ycont, 1) << c.first << ".." << c.last << " step " << c.step;
        EXPECT_EQ(a.yin, 1);
    }
    // Across a jump, and where the step makes neighbours too far apart.
    EXPECT_EQ(query(file, 1700, 1800, 1).ycont, 0);
    EXPECT_EQ(query(file, 1, 10001, 1000).ycont, 0);
}

TEST_F(SteppedRange, FollowsSamplesAddedToTheFile)
{
    // Smooth samples but for a few that jump far both ways, and arrive,
    // with the rest, after the summaries were made from the first 5,000.
    const int32_t rows = 9000;
    std::vector<std::vector<double>> c(2);
    for (int32_t r = 0; r < rows; ++r) {
        c[0].push_back(r * 0.01);
        const bool jump = r >= 5000 && r < 5040;
        c[1].push_back(jump ? (r % 2 ? 8.0 : -8.0) : r * 0.0001);
    }
    for (int32_t step : {1, 3}) {
        release();
        const int32_t file = load(c);
        zan::FileSlot* slot = zan::loaded_slot(file);
        slot->stored = 5000;
        select_box(file, 0.0, 100.0, -10.0, 10.0);
        const int32_t lastOld = 4999 / step * step + 1;
        EXPECT_EQ(query(file, 1, lastOld, step).ycont, 1) << "step " << step;
        slot->stored = rows;
        SCOPED_TRACE(testing::Message() << "step " << step);
        check(file, 1, (rows - 1) / step * step + 1, step);
        check(file, 4097 / step * step + 1, 5100, step);
        check(file, lastOld, lastOld + step, step);
        check(file, 4000, 6000, step);
        EXPECT_EQ(query(file, 4000, 6000, step).ycont, 0);
        EXPECT_EQ(query(file, 6001, 8500, step).ycont, 1);
    }
}

// The first of every step-th sample whose point leaves a box, and the rows
// of those before it, as a walk with idata and jdata finds them.
TEST_F(SteppedRange, FindsTheFirstSampleLeavingABox)
{
    const int32_t rows = 30000;
    const int32_t file = load(wave(rows, 0.05));
    select_box(file, 10.0, 200.0, -6.0, 6.0);
    std::mt19937 gen(9);
    std::uniform_int_distribution<int32_t> pick(1, rows);
    for (int32_t step : {1, 3, 64}) {
        for (int k = 0; k < 300; ++k) {
            int32_t a = pick(gen), b = pick(gen);
            if (a > b) std::swap(a, b);
            a = (a - 1) / step * step + 1;
            // A box around the first sample's point, of sizes that let some
            // runs stay inside and others leave across or down; some with
            // the whole device range across.
            int32_t f = file, s0 = a, x0 = 0, y0 = 0, inside = 1;
            idata(&f, &s0, &x0, &inside);
            jdata(&f, &s0, &y0, &inside);
            int32_t xlo = k % 4 == 0 ? -32767 : x0 - k % 40, xhi = k % 4 == 0 ? 32767 : x0 + k % 70;
            int32_t ylo = y0 - k % 30, yhi = y0 + k % 20, found = -1, st = step, first = a, last = b;
            int32_t runlo = 0, runhi = 0;
            mexit(&f, &first, &last, &st, &xlo, &xhi, &ylo, &yhi, &found, &runlo, &runhi);
            int32_t expected = 0, lo = 1, hi = 0;
            for (int32_t s = a; s <= b && expected == 0; s += step) {
                int32_t x = 0, y = 0, xin = 1, yin = 1;
                idata(&f, &s, &x, &xin);
                jdata(&f, &s, &y, &yin);
                if (xin != 1 || yin != 1 || x < xlo || x > xhi || y < ylo || y > yhi) {
                    expected = s;
                } else {
                    lo = lo > hi ? y : std::min(lo, y);
                    hi = std::max(hi, y);
                }
            }
            ASSERT_EQ(found, expected) << "step " << step << " " << a << ".." << b;
            // The rows of the samples passed before it.
            if (lo <= hi) {
                ASSERT_EQ(runlo, lo) << "step " << step << " " << a << ".." << b;
                ASSERT_EQ(runhi, hi) << "step " << step << " " << a << ".." << b;
            } else {
                ASSERT_GT(runlo, runhi);
            }
        }
    }
}

TEST_F(SteppedRange, GivesZerosForRunsOffTheStepsGrid)
{
    const int32_t file = load(wave(500, 0.1));
    select_box(file, 0.0, 5.0, -10.0, 10.0);
    const Answer a = query(file, 2, 400, 3);
    EXPECT_EQ(a.xlo, 0);
    EXPECT_EQ(a.xhi, 0);
    EXPECT_EQ(a.xin, 0);
    EXPECT_EQ(query(file, 1, 400, 0).xin, 0);
    EXPECT_EQ(query(file, 1, 501, 2).xin, 0);
    EXPECT_EQ(query(file, 1, 400, 3).xin, 1);
}

}  // namespace
