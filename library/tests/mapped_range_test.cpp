// The mapped range of a run of samples must equal what a walk over the run
// with idata and jdata finds, whether it comes from the per-block extremes
// or from the samples.
#include "stored_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

struct Answer {
    int32_t xlo = 0, xhi = 0, ylo = 0, yhi = 0, xin = 0, yin = 0;
    bool operator==(const Answer&) const = default;
};

Answer query(int32_t file, int32_t first, int32_t last)
{
    Answer a;
    mrang(&file, &first, &last, &a.xlo, &a.xhi, &a.ylo, &a.yhi, &a.xin, &a.yin);
    return a;
}

// Least and greatest coordinate, and 1 / -1 / 0 as the export defines it,
// from single-sample mapping.
void walk_axis(bool x_axis, int32_t file, int32_t first, int32_t last, int32_t& lo, int32_t& hi, int32_t& in)
{
    bool all_in = true, all_above = true, all_below = true;
    for (int32_t s = first; s <= last; ++s) {
        int32_t c = 0, inside = 1;
        if (x_axis) idata(&file, &s, &c, &inside);
        else jdata(&file, &s, &c, &inside);
        lo = s == first ? c : std::min(lo, c);
        hi = s == first ? c : std::max(hi, c);
        all_in = all_in && inside == 1;
        all_above = all_above && inside == 0 && c == 32767;
        all_below = all_below && inside == 0 && c == -32767;
    }
    in = all_in ? 1 : (all_above || all_below) ? -1 : 0;
}

Answer walk(int32_t file, int32_t first, int32_t last)
{
    Answer a;
    walk_axis(true, file, first, last, a.xlo, a.xhi, a.xin);
    walk_axis(false, file, first, last, a.ylo, a.yhi, a.yin);
    return a;
}

class MappedRange : public StoredFiles {
protected:
    static int32_t load(const Columns& columns) { return put_through_sink(columns); }
};

std::vector<std::vector<double>> noisy(int32_t rows, uint32_t start)
{
    std::mt19937 gen(start);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<std::vector<double>> c(2);
    for (int32_t r = 0; r < rows; ++r) {
        c[0].push_back(r * 0.01);
        const double y = r % 97 == 0 ? std::numeric_limits<double>::quiet_NaN() : 5.0 * std::sin(r * 0.01) + noise(gen);
        c[1].push_back(y);
    }
    return c;
}

TEST_F(MappedRange, MatchesAWalkOverRandomRangesWithAnyShiftAndFactor)
{
    const int32_t rows = 20000;  // several groups of blocks
    const int32_t file = load(noisy(rows, 7));
    struct Case {
        double factor;
        double shift;
        double ylo, yhi;  // displayed Y range of the cell
    } cases[] = {
        {1.0, 0.0, -10.0, 10.0},  // everything inside but the missing values
        {-3.0, 2.0, -10.0, 10.0}, // reversed order
        {1.0, 0.0, -0.5, 0.5},    // zoomed in: many samples beyond either limit
        {-1e-3, 1e3, 999.9, 1000.1},
        {0.0, 4.0, -10.0, 10.0},  // every value maps to one point
        {1e300, 0.0, -1.0, 1.0},  // ends map to infinities: sample by sample
        {std::numeric_limits<double>::quiet_NaN(), 0.0, -1.0, 1.0},
    };
    std::mt19937 gen(11);
    std::uniform_int_distribution<int32_t> pick(1, rows);
    for (const Case& c : cases) {
        int32_t f = file, y = 2;
        double factor = c.factor, shift = c.shift;
        sfact(&f, &y, &factor);
        sshft(&f, &y, &shift);
        select_box(file, 10.0, 20.0, c.ylo, c.yhi);
        for (int k = 0; k < 300; ++k) {
            int32_t a = pick(gen), b = pick(gen);
            if (k % 3 == 0) b = std::min(rows, a + k % 200);
            if (a > b) std::swap(a, b);
            ASSERT_EQ(query(file, a, b), walk(file, a, b)) << "factor " << c.factor << " range " << a << ".." << b;
        }
    }
}

TEST_F(MappedRange, ASpikeInAnyBlockOfAGroupIsTheMaximum)
{
    // 10,000 samples make two full groups and a part; sample 4096 is the
    // last of the first group's last block, the one an overview of a big
    // file must not lose.
    for (const int32_t spike : {1, 64, 65, 4095, 4096, 4097, 8192, 10000}) {
        SCOPED_TRACE(spike);
        release();
        std::vector<std::vector<double>> c(2);
        for (int32_t r = 1; r <= 10000; ++r) {
            c[0].push_back(r);
            c[1].push_back(r == spike ? 100.0 : 0.0);
        }
        const int32_t file = load(c);
        select_box(file, 0.0, 10000.0, -10.0, 200.0);
        int32_t s = spike, other = spike == 1 ? 2 : 1, y = 0, y0 = 0, inside = 1;
        int32_t f = file;
        jdata(&f, &s, &y, &inside);
        jdata(&f, &other, &y0, &inside);
        ASSERT_NE(y, y0);
        const Answer a = query(file, 1, 10000);
        EXPECT_EQ(a.ylo, std::min(y, y0));
        EXPECT_EQ(a.yhi, std::max(y, y0));
    }
}

TEST_F(MappedRange, ScansWhenTheFileHasNoBlockExtremes)
{
    const Columns c = noisy(1000, 3);
    const int32_t file = put_file(c);
    select_box(file, 0.0, 10.0, -8.0, 8.0);
    for (int32_t a : {1, 60, 64, 65, 500}) {
        for (int32_t b : {a, a + 63, a + 64, a + 200, 1000}) {
            if (b > 1000) continue;
            EXPECT_EQ(query(file, a, b), walk(file, a, b)) << a << ".." << b;
        }
    }
}

TEST_F(MappedRange, GivesZerosForRangesAndFilesItCannotAnswer)
{
    const int32_t file = load(noisy(300, 5));
    select_box(file, 0.0, 1.0, -1.0, 1.0);
    const Answer none;
    EXPECT_EQ(query(file, 0, 10), none);
    EXPECT_EQ(query(file, 10, 9), none);
    EXPECT_EQ(query(file, 1, 301), none);
    EXPECT_EQ(query(file + 1, 1, 10), none);
    int32_t f = file, xv = 1, yv = 3, n = 0;
    sdata(&f, &xv, &yv, &n);
    EXPECT_EQ(query(file, 1, 10), none);
}

TEST_F(MappedRange, ReportsRangesWhollyBeyondOneLimit)
{
    Columns c(2);
    for (int r = 0; r < 400; ++r) {
        c[0].push_back(r);
        c[1].push_back(r < 200 ? 1e6 : -1e6);
    }
    const int32_t file = load(c);
    select_box(file, 0.0, 400.0, -1.0, 1.0);
    EXPECT_EQ(query(file, 1, 200).yin, -1);
    EXPECT_EQ(query(file, 201, 400).yin, -1);
    EXPECT_EQ(query(file, 150, 250).yin, 0);
    EXPECT_EQ(query(file, 1, 400).xin, 1);
    EXPECT_EQ(query(file, 150, 250), walk(file, 150, 250));
}

}  // namespace
