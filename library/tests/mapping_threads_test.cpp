// Each thread maps through the transform it set itself: two threads drawing
// at once with different transforms and variables get exactly the answers
// each gets alone.
#include "store.h"
#include "stored_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

class MappingThreads : public StoredFiles {};

struct Job {
    int32_t yvar;
    double ylo, yhi;
    int32_t step;
};

void Select(int32_t file, const Job& j, int32_t& n)
{
    int32_t f = file, xv = 1, yv = j.yvar;
    sdata(&f, &xv, &yv, &n);
    double xlo = 0.0, xhi = 100.0, ylo = j.ylo, yhi = j.yhi;
    int32_t xspan = 600, yspan = -400, xoff = 10, yoff = 410;
    dtran(&xlo, &xhi, &ylo, &yhi, &xspan, &yspan, &xoff, &yoff);
}

// Every answer of one drawing pass with the transform selected already.
std::vector<int32_t> Map(int32_t file, const Job& j, int32_t n)
{
    std::vector<int32_t> out;
    int32_t f = file;
    for (int32_t s = 1; s <= n; s += 37) {
        int32_t x = 0, y = 0, inside = 1;
        idata(&f, &s, &x, &inside);
        jdata(&f, &s, &y, &inside);
        out.insert(out.end(), {x, y, inside});
    }
    int32_t x[64], y[64], in[64], first = 4000, count = 64;
    std::fill(in, in + 64, 1);
    mdata(&f, &first, &count, x, y, in);
    out.insert(out.end(), x, x + 64);
    out.insert(out.end(), y, y + 64);
    for (int32_t a = 1; a + 640 <= n; a += 997) {
        int32_t first = (a - 1) / j.step * j.step + 1, last = first + 640, step = j.step;
        int32_t r[11];
        mrngs(&f, &first, &last, &step, &r[0], &r[1], &r[2], &r[3], &r[4], &r[5], &r[6], &r[7]);
        int32_t xlo = r[0], xhi = r[0] + 3, ylo = -32767, yhi = 32767;
        mexit(&f, &first, &last, &step, &xlo, &xhi, &ylo, &yhi, &r[8], &r[9], &r[10]);
        out.insert(out.end(), r, r + 11);
    }
    return out;
}

TEST_F(MappingThreads, EachThreadMapsThroughItsOwnTransform)
{
    Columns c(3);
    for (int r = 0; r < 10000; ++r) {
        c[0].push_back(r * 0.01);
        c[1].push_back(std::sin(r * 0.003) * 4.0);
        c[2].push_back(r % 300 * 0.5 - 50.0);
    }
    const int32_t file = put_file(c);
    zan::FileSlot* slot = zan::loaded_slot(file);
    slot->prepare_extremes();
    const Job a{2, -5.0, 5.0, 1}, b{3, -60.0, 110.0, 7};
    for (const Job& j : {a, b}) {
        int32_t f = file, v = j.yvar, step = j.step, x = 1, differences = 1;
        mprep(&f, &v, &step, &differences);
        mprep(&f, &x, &step, &differences);
    }
    int32_t n = 0;
    Select(file, a, n);
    const std::vector<int32_t> aloneA = Map(file, a, n);
    Select(file, b, n);
    const std::vector<int32_t> aloneB = Map(file, b, n);
    ASSERT_NE(aloneA, aloneB);
    // This thread selects its transform, the other one then selects its
    // own, and both map afterwards: each must still find its own.
    std::atomic<int> turn{0};
    std::vector<int32_t> sharedA, sharedB;
    std::thread other([&] {
        while (turn.load() != 1) {
        }
        int32_t m = 0;
        Select(file, b, m);
        turn = 2;
        while (turn.load() != 3) {
        }
        sharedB = Map(file, b, m);
    });
    Select(file, a, n);
    turn = 1;
    while (turn.load() != 2) {
    }
    sharedA = Map(file, a, n);
    turn = 3;
    other.join();
    EXPECT_EQ(sharedA, aloneA);
    EXPECT_EQ(sharedB, aloneB);
}

}  // namespace
