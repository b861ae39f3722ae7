// cdata must give, entry by entry, exactly what ddata gives for the same
// samples: shift and factor applied the same way, 0.0 where ddata has no
// sample, also for runs long enough to be split over threads.
#include "stored_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

class ColumnRead : public StoredFiles {
protected:
    static std::vector<double> read(int32_t file, int32_t var, int32_t first, int32_t count)
    {
        std::vector<double> out(static_cast<std::size_t>(std::max(count, 0)) + 1, -7.0);
        cdata(&file, &var, &first, &count, out.data());
        return out;
    }

    // Bit for bit, so that -0.0 and 0.0 or two roundings are told apart.
    static bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
};

TEST_F(ColumnRead, GivesWhatDdataGivesForEverySampleAskedFor)
{
    const int32_t file = put_file({{1.0, 2.0, 3.0, 4.0, 5.0}, {-0.0, 0.1, 0.2, 1e9, -1e9}});
    set_pair(file, 2, 0.3, -2.5);
    struct Case {
        int32_t var, first, count;
    };
    // Inside, across either end, wholly outside, and a variable or file the
    // store does not have.
    const Case cases[] = {{1, 1, 5}, {2, 1, 5}, {2, 3, 2}, {2, -1, 4}, {2, 4, 5}, {2, -3, 12},
                          {2, 7, 3}, {3, 1, 5}, {0, 1, 2}};
    for (const Case& c : cases) {
        const std::vector<double> got = read(file, c.var, c.first, c.count);
        for (int32_t k = 0; k < c.count; ++k) {
            const double want = value(file, c.first + k, c.var);
            EXPECT_TRUE(same(got[static_cast<std::size_t>(k)], want))
                << "var " << c.var << " sample " << c.first + k << ": " << got[static_cast<std::size_t>(k)]
                << " vs " << want;
        }
        EXPECT_EQ(got.back(), -7.0) << "wrote past count for var " << c.var;
    }
    const std::vector<double> other = read(file + 1, 1, 1, 3);
    EXPECT_EQ(other, (std::vector<double>{0.0, 0.0, 0.0, -7.0}));
    // A raw -0.0 comes back as ddata gives it: times 1 plus 0 is +0.0.
    set_pair(file, 2, 0.0, 1.0);
    EXPECT_TRUE(same(read(file, 2, 1, 1)[0], 0.0));
}

TEST_F(ColumnRead, WritesNothingForAnEmptyRun)
{
    const int32_t file = put_file({{1.0, 2.0}});
    EXPECT_EQ(read(file, 1, 1, 0), std::vector<double>{-7.0});
    EXPECT_EQ(read(file, 1, 1, -5), std::vector<double>{-7.0});
}

TEST_F(ColumnRead, ALongRunSplitOverThreadsMatchesDdata)
{
    const int32_t rows = 3 << 20;
    std::vector<double> col(static_cast<std::size_t>(rows));
    for (int32_t r = 0; r < rows; ++r) col[static_cast<std::size_t>(r)] = std::sin(r * 1e-3) * 1e3;
    const int32_t file = put_file({col}, rows + 10);
    set_pair(file, 1, 1.0 / 3.0, 0.7);
    const std::vector<double> got = read(file, 1, 0, rows + 2);
    EXPECT_EQ(got[0], 0.0);
    int mismatches = 0;
    for (int32_t s = 1; s <= rows; ++s)
        mismatches += !same(got[static_cast<std::size_t>(s)], value(file, s, 1));
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(got[static_cast<std::size_t>(rows) + 1], 0.0);
}

}  // namespace
