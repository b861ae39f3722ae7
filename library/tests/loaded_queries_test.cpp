// Queries on files loaded through dopen: the pair of a reloaded slot and the
// full range from the maximum and minimum kept while loading.
#include "data_files.h"
#include "loader_fixture.h"

#include <cstdint>

namespace zan::testfiles {

using LoadedQueries = LoaderTest;

TEST_F(LoadedQueries, ReloadingResetsShiftAndFactor)
{
    write_stream_c(dir.file("RUN.BIN"), "run", 1, {"a", "b"}, {{3, 4}, {5, 6}});
    ASSERT_EQ(load(1, dir.file("RUN.BIN")).nstored, 2);
    int32_t file = 1, var = 2, count = 0;
    double shift = 10.0, factor = 2.0;
    sshft(&file, &var, &shift);
    sfact(&file, &var, &factor);
    dclos(&count);
    ASSERT_EQ(load(1, dir.file("RUN.BIN")).nstored, 2);
    gshft(&file, &var, &shift);
    gfact(&file, &var, &factor);
    EXPECT_EQ(shift, 0.0);
    EXPECT_EQ(factor, 1.0);
    int32_t sample = 2;
    double v = 0.0;
    ddata(&file, &sample, &var, &v);
    EXPECT_EQ(v, 6.0);
}

TEST_F(LoadedQueries, FullRangeComesFromTheLoadedExtremes)
{
    write_stream_c(dir.file("RUN.BIN"), "run", 1, {"t", "x"}, {{0, 2}, {1, 5}, {2, 3}});
    ASSERT_EQ(load(1, dir.file("RUN.BIN")).nstored, 3);
    int32_t file = 1, var = 2;
    double factor = -1.0, upper = 0, lower = 0, magnitude = 0;
    sfact(&file, &var, &factor);
    drang(&file, &var, &upper, &lower, &magnitude);
    EXPECT_EQ(upper, -2.0);
    EXPECT_EQ(lower, -5.0);
    EXPECT_EQ(magnitude, 5.0);
}

}  // namespace zan::testfiles
