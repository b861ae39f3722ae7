// Every query with file, variable or sample numbers outside the limits gets a
// neutral answer and touches nothing outside the tables.
#include "stored_files.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

}  // namespace

using OutOfLimits = StoredFiles;

TEST_F(OutOfLimits, SingleValueAndMappingQueriesAnswerNeutrally)
{
    // Two variables, three stored samples in a block sized for ten.
    const int32_t f = put_file({{1.0, 2.0, 3.0}, {4.0, 5.0, 6.0}}, 10);
    double xmin = 0, xmax = 1, ymin = 0, ymax = 1;
    int32_t span = 1, off = 0;
    dtran(&xmin, &xmax, &ymin, &ymax, &span, &span, &off, &off);
    struct Case {
        int32_t file, sample, var;
    };
    const Case cases[] = {
        {0, 1, 1},    {-1, 1, 1},   {2, 1, 1},    {1001, 1, 1},  {1002, 1, 1}, {kMax, 1, 1}, {kMin, 1, 1},
        {f, 0, 1},    {f, -1, 1},   {f, 4, 1},    {f, 10, 1},    {f, 11, 1},   {f, kMax, 1}, {f, kMin, 1},
        {f, 1, 0},    {f, 1, -1},   {f, 1, 3},    {f, 1, 5000},  {f, 1, 5001}, {f, 1, kMax}, {f, 1, kMin},
    };
    for (const Case& c : cases) {
        int32_t file = c.file, sample = c.sample, var = c.var, count = -1;
        double v = -1.0;
        ddata(&file, &sample, &var, &v);
        EXPECT_EQ(v, 0.0) << c.file << " " << c.sample << " " << c.var;
        sdata(&file, &var, &var, &count);
        int32_t x = -9, inside_x = 1, y = -9, inside_y = 1;
        idata(&file, &sample, &x, &inside_x);
        jdata(&file, &sample, &y, &inside_y);
        EXPECT_EQ(x, 0) << c.file << " " << c.sample << " " << c.var;
        EXPECT_EQ(y, 0);
        EXPECT_EQ(inside_x, 0);
        EXPECT_EQ(inside_y, 0);
        std::vector<int32_t> xs(3, -9), ys(3, -9), ins(3, 1);
        int32_t three = 3;
        mdata(&file, &sample, &three, xs.data(), ys.data(), ins.data());
        if (c.sample == 1) {
            EXPECT_EQ(xs, std::vector<int32_t>(3, 0));
            EXPECT_EQ(ins, std::vector<int32_t>(3, 0));
        }
    }
}

TEST_F(OutOfLimits, ShiftAndFactorOutsideTheTablesAreIgnored)
{
    const int32_t f = put_file({{3.0}});
    struct Case {
        int32_t file, var;
    };
    const Case cases[] = {{0, 1}, {-1, 1}, {1002, 1}, {kMax, 1}, {kMin, 1},
                          {f, 0}, {f, -1}, {f, 5001}, {f, kMax}, {f, kMin}};
    for (const Case& c : cases) {
        int32_t file = c.file, var = c.var;
        double shift = 5.0, factor = 7.0;
        sshft(&file, &var, &shift);
        sfact(&file, &var, &factor);
        gshft(&file, &var, &shift);
        gfact(&file, &var, &factor);
        EXPECT_EQ(shift, 0.0) << c.file << " " << c.var;
        EXPECT_EQ(factor, 1.0) << c.file << " " << c.var;
    }
    // Nothing spilled into a neighbouring entry of the tables.
    for (int32_t var : {1, 2, 4999, 5000}) {
        int32_t file = f;
        double shift = -1.0, factor = -1.0;
        gshft(&file, &var, &shift);
        gfact(&file, &var, &factor);
        EXPECT_EQ(shift, 0.0) << var;
        EXPECT_EQ(factor, 1.0) << var;
    }
    EXPECT_EQ(value(f, 1, 1), 3.0);
}

TEST_F(OutOfLimits, SlotsThatAreNotLoadedStillKeepTheirPair)
{
    // The tables cover all 1001 slots whether loaded or not.
    for (int32_t file : {2, 1001}) {
        int32_t var = 5000;
        double shift = 2.5, factor = -3.0;
        sshft(&file, &var, &shift);
        sfact(&file, &var, &factor);
        shift = factor = 0.0;
        gshft(&file, &var, &shift);
        gfact(&file, &var, &factor);
        EXPECT_EQ(shift, 2.5);
        EXPECT_EQ(factor, -3.0);
        shift = 0.0;
        factor = 1.0;
        sshft(&file, &var, &shift);
        sfact(&file, &var, &factor);
    }
}
