// pdata must name the very samples ddata reads, and say they can be read in
// place only when ddata gives every one of them bit for bit as stored.
#include "load_hooks.h"
#include "stored_files.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Address {
    const double* samples = nullptr;
    int32_t count = -1;
    int32_t exact = -1;
};

Address address_of(int32_t file, int32_t var)
{
    Address a;
    a.samples = reinterpret_cast<const double*>(&a);  // must be overwritten
    pdata(&file, &var, &a.samples, &a.count, &a.exact);
    return a;
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

using ColumnAddress = StoredFiles;

TEST_F(ColumnAddress, NamesTheStoredSamplesAndTellsWhenDdataGivesThemUnchanged)
{
    // Variables: plain values, a -0.0 among them, all zeros, a -0.0 alone.
    const int32_t file = put_file({{1.0, -2.5, 3.0}, {4.0, -0.0, 6.0}, {0.0, 0.0, 0.0}, {-0.0, -0.0, 1.0}}, 8);
    struct Case {
        int32_t var;
        double shift, factor;
        int32_t exact;
    };
    const Case cases[] = {
        {1, 0.0, 1.0, 1},
        {1, 0.0, 2.0, 0},
        {1, 1.0, 1.0, 0},
        {1, 1e-300, 1.0, 1},  // too small to change any of the values
        {2, 0.0, 1.0, 0},     // -0.0 x 1 + 0.0 is +0.0
        {2, -0.0, 1.0, 1},    // -0.0 + -0.0 stays -0.0
        {3, 0.0, 5.0, 1},
        {3, 0.0, -1.0, 1},    // 0.0 x -1 is -0.0, and -0.0 + 0.0 is 0.0 again
        {3, -0.0, -1.0, 0},   // but -0.0 + -0.0 stays -0.0
        {4, 0.0, 1.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("var " + std::to_string(c.var) + ", shift " + std::to_string(c.shift) + ", factor " +
                     std::to_string(c.factor));
        set_pair(file, c.var, c.shift, c.factor);
        const Address a = address_of(file, c.var);
        ASSERT_EQ(a.count, 3);  // the stored count, not the capacity of 8
        EXPECT_EQ(a.exact, c.exact);
        ASSERT_EQ(a.samples, zan::loaded_slot(file)->column(c.var));
        bool all_same = true;
        for (int32_t s = 1; s <= a.count; ++s) all_same = all_same && same_bits(a.samples[s - 1], value(file, s, c.var));
        EXPECT_EQ(all_same, c.exact == 1);
        set_pair(file, c.var, 0.0, 1.0);
    }
}

TEST_F(ColumnAddress, GivesNothingForAFileOrVariableTheStoreDoesNotHave)
{
    const int32_t file = put_file({{1.0, 2.0}});
    const std::pair<int32_t, int32_t> cases[] = {{file, 0}, {file, 2}, {file, 5001}, {file + 1, 1}, {0, 1}, {-3, 1}};
    for (const auto& [f, v] : cases) {
        const Address a = address_of(f, v);
        EXPECT_EQ(a.samples, nullptr) << f << " " << v;
        EXPECT_EQ(a.count, 0) << f << " " << v;
        EXPECT_EQ(a.exact, 0) << f << " " << v;
    }
    const int32_t empty = put_file({{}, {}});
    const Address a = address_of(empty, 2);
    EXPECT_EQ(a.count, 0);
    EXPECT_EQ(a.exact, 1);
}

TEST_F(ColumnAddress, FindsOneChangedValueAnywhereInALongColumnSplitOverThreads)
{
    zan::hooks::reader_threads = 4;
    const int32_t rows = 5 << 20;
    std::vector<double> col(static_cast<std::size_t>(rows));
    for (int32_t r = 0; r < rows; ++r) col[static_cast<std::size_t>(r)] = std::sin(r * 1e-3) + 2.0;
    const int32_t file = put_file({col});
    EXPECT_EQ(address_of(file, 1).exact, 1);
    double* stored = zan::loaded_slot(file)->column(1);
    for (int32_t at : {0, 4095, 4096, rows / 4 - 1, rows / 4, rows / 2 + 17, rows - 4097, rows - 1}) {
        const double kept = stored[at];
        stored[at] = -0.0;
        EXPECT_EQ(address_of(file, 1).exact, 0) << "-0.0 at " << at;
        stored[at] = kept;
    }
    zan::hooks::reader_threads.reset();
}

}  // namespace
