// dgrow: rows appended to a loaded file are read on their own, only when
// complete, and anything else than growth asks for a new load.
#include "append_reader.h"
#include "loader_fixture.h"

#include <cerrno>

namespace zan::testfiles {
namespace {

struct Grown {
    int32_t nstored = 0;
    int32_t added = 0;
    int32_t status = 0;
};

Grown grow(int32_t file, const std::string& path)
{
    Grown g;
    Path codes = path_codes(path);
    dgrow(&file, codes.data(), &g.nstored, &g.added, &g.status);
    return g;
}

std::string rows_text(int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i) text += std::to_string(i) + "," + std::to_string(i * 10) + "\n";
    return text;
}

std::vector<double> counting(int from, int to, int times = 1, int step = 1)
{
    std::vector<double> v;
    for (int i = from; i <= to; i += step) v.push_back(i * times);
    return v;
}

using AppendReader = LoaderTest;

TEST_F(AppendReader, ReadsOnlyTheAppendedCompleteLines)
{
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x\n" + rows_text(1, 3));
    ASSERT_EQ(load(1, path).nstored, 3);
    append_text(path, rows_text(4, 5) + "6,6");
    Grown g = grow(1, path);
    EXPECT_EQ(g.status, 0);
    EXPECT_EQ(g.added, 2);
    EXPECT_EQ(g.nstored, 5);
    // The line without its end is read once it is complete, as it is then.
    append_text(path, "0\n");
    g = grow(1, path);
    EXPECT_EQ(g.added, 1);
    EXPECT_EQ(column(1, 2), counting(1, 6, 10));
    EXPECT_EQ(var_tables(1)->rawmax[1], 60);
    EXPECT_EQ(grow(1, path).added, 0);
}

TEST_F(AppendReader, GrowsTheBlockBeyondTheLoadedCapacityAndKeepsRanges)
{
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x\n" + rows_text(1, 2));
    load(1, path);
    for (int i = 3; i <= 3000; i += 100) {
        append_text(path, rows_text(i, i + 99));
        ASSERT_EQ(grow(1, path).added, 100);
    }
    EXPECT_EQ(column(1, 1), counting(1, 3002));
    int32_t f = 1, v = 2;
    double upper = 0, lower = 0, magnitude = 0;
    drang(&f, &v, &upper, &lower, &magnitude);
    EXPECT_EQ(upper, 30020);
    EXPECT_EQ(lower, 10);
    // The mapped range of the samples comes from block extremes that take the new samples in.
    double xmin = 0, xmax = 4000, ymin = 0, ymax = 40000;
    int32_t span = 4000, yspan = 40000, off = 0, first = 2990, last = 3002;
    dtran(&xmin, &xmax, &ymin, &ymax, &span, &yspan, &off, &off);
    int32_t x1 = 1, y1 = 2, count = 0;
    sdata(&f, &x1, &y1, &count);
    EXPECT_EQ(count, 3002);
    int32_t xlo, xhi, ylo, yhi, xin, yin;
    mrang(&f, &first, &last, &xlo, &xhi, &ylo, &yhi, &xin, &yin);
    EXPECT_EQ(xlo, 2990);
    EXPECT_EQ(xhi, 3002);
    EXPECT_EQ(yhi, 30020);
    // Samples added within the block's room extend the summaries already
    // made: a peak in the partly filled last block is seen.
    append_text(path, rows_text(3003, 3004) + "3005,500000\n" + rows_text(3006, 3102));
    ASSERT_EQ(grow(1, path).added, 100);
    ymax = 1.0e6;
    yspan = 10000;
    dtran(&xmin, &xmax, &ymin, &ymax, &span, &yspan, &off, &off);
    sdata(&f, &x1, &y1, &count);
    first = 1;
    last = 3102;
    mrang(&f, &first, &last, &xlo, &xhi, &ylo, &yhi, &xin, &yin);
    EXPECT_EQ(xhi, 3102);
    EXPECT_EQ(yhi, 5000);
}

TEST_F(AppendReader, GrowsByAnEighthWhenMemoryIsShortAndKeepsItsPlaceWithoutAny)
{
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x\n" + rows_text(1, 19999));
    load(1, path);
    ASSERT_EQ(loaded_slot(1)->capacity, 20000);
    // Twice the room would take 640,000 bytes; an eighth more takes 360,000.
    hooks::memory_limit = 500000;
    append_text(path, rows_text(20000, 20100));
    EXPECT_EQ(grow(1, path).added, 101);
    EXPECT_EQ(loaded_slot(1)->capacity, 22500);
    hooks::memory_limit = 0;
    append_text(path, rows_text(20101, 23000));
    const Grown g = grow(1, path);
    EXPECT_EQ(g.status, ENOMEM);
    EXPECT_EQ(g.nstored, 22500);
    hooks::memory_limit.reset();
    EXPECT_EQ(grow(1, path).added, 500);
    EXPECT_EQ(column(1, 1), counting(1, 23000));
}

TEST_F(AppendReader, KeepsTheStepOfTheLoad)
{
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x\n" + rows_text(1, 5));
    load(1, path, 2);
    ASSERT_EQ(column(1, 1), (std::vector<double>{1, 3, 5}));
    append_text(path, rows_text(6, 6));
    EXPECT_EQ(grow(1, path).added, 0);
    append_text(path, "# a rejected line does not count as a step\n" + rows_text(8, 11));
    EXPECT_EQ(grow(1, path).added, 2);
    EXPECT_EQ(column(1, 1), (std::vector<double>{1, 3, 5, 8, 10}));
}

TEST_F(AppendReader, ReadsALoadedLastLineAgainOnceTheFileGrows)
{
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x\n" + rows_text(1, 2) + "3,3");
    EXPECT_EQ(load(1, path).nstored, 3);
    // While the file stays as it was, the line is a row as it stands.
    Grown g = grow(1, path);
    EXPECT_EQ(g.status, 0);
    EXPECT_EQ(g.nstored, 3);
    EXPECT_EQ(column(1, 2), (std::vector<double>{10, 20, 3}));
    append_text(path, "0\n");
    g = grow(1, path);
    EXPECT_EQ(g.added, 1);
    EXPECT_EQ(g.nstored, 3);
    EXPECT_EQ(column(1, 2), counting(1, 3, 10));
    EXPECT_EQ(var_tables(1)->rawmin[1], 10);
}

TEST_F(AppendReader, ALastRowChangedSinceItWasReadIsTakenBackAtOnce)
{
    // The load read "3,3" before the writer finished the line as "3,30".
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x\n" + rows_text(1, 2) + "3,3");
    ASSERT_EQ(load(1, path).nstored, 3);
    const StopPoint stop = follow_state(1).at;
    append_text(path, "0\n");
    EXPECT_TRUE(note_loaded(1, path, FileLayout::Text, 1, -1, stop));
    EXPECT_EQ(column(1, 2), (std::vector<double>{10, 20}));
    EXPECT_EQ(var_tables(1)->rawmax[1], 20);
    EXPECT_EQ(grow(1, path).added, 1);
    EXPECT_EQ(column(1, 2), counting(1, 3, 10));
}

TEST_F(AppendReader, BinaryLayoutsStoreOnlyWholeRowsAndRecords)
{
    const std::vector<std::string> names{"t", "x"};
    const std::string stream = dir.file("run.bin");
    const std::string records = dir.file("run.dat");
    write_stream_c(stream, "T", 1, names, {{1, 10}, {2, 20}});
    write_record(records, names, {{1, 10}, {2, 20}});
    load(1, stream);
    load(2, records);

    Bytes row3;
    row3.f64(3).f64(30);
    append_text(stream, row3.str().substr(0, 11));
    const std::string record3 = record_file(names, {{3, 30}}).substr(record_file(names, {}).size());
    append_text(records, record3.substr(0, 10));
    EXPECT_EQ(grow(1, stream).added, 0);
    EXPECT_EQ(grow(2, records).added, 0);

    append_text(stream, row3.str().substr(11));
    append_text(records, record3.substr(10));
    EXPECT_EQ(grow(1, stream).added, 1);
    EXPECT_EQ(grow(2, records).added, 1);
    EXPECT_EQ(column(1, 2), counting(1, 3, 10));
    EXPECT_EQ(column(2, 2), counting(1, 3, 10));
}

TEST_F(AppendReader, AnythingButGrowthAsksForANewLoad)
{
    const std::string original = "t,x\n" + rows_text(1, 3);
    const struct {
        const char* what;
        std::string content;
        bool replace;
    } cases[] = {
        {"shrunk", "t,x\n" + rows_text(1, 2), false},
        {"names changed", "t,y\n" + rows_text(1, 4), false},
        {"a read row changed", "t,x\n" + rows_text(1, 2) + "3,31\n" + rows_text(4, 4), false},
        {"replaced by a longer file", original + rows_text(4, 5), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        const std::string path = dir.file("run.csv");
        write_text(path, original);
        load(1, path);
        if (c.replace) {
            write_text(path + ".new", c.content);
            std::filesystem::rename(path + ".new", path);
        } else {
            write_text(path, c.content);
        }
        const Grown g = grow(1, path);
        EXPECT_EQ(g.status, ZAN_STATUS_RELOAD);
        EXPECT_EQ(g.added, 0);
        EXPECT_EQ(g.nstored, 3);
        // Once refused, the file is not followed again without a new load.
        append_text(path, rows_text(9, 9));
        EXPECT_EQ(grow(1, path).status, ZAN_STATUS_RELOAD);
    }
}

TEST_F(AppendReader, AVanishedFileKeepsTheStoredSamples)
{
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x\n" + rows_text(1, 3));
    load(1, path);
    std::filesystem::rename(path, path + ".away");
    const Grown g = grow(1, path);
    EXPECT_EQ(g.status, ENOENT);
    EXPECT_EQ(g.nstored, 3);
    // Back again unchanged, it is followed on.
    std::filesystem::rename(path + ".away", path);
    append_text(path, rows_text(4, 4));
    EXPECT_EQ(grow(1, path).added, 1);
}

TEST_F(AppendReader, FilesNotLoadedOrNotFollowedAskForALoad)
{
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x\n" + rows_text(1, 3));
    EXPECT_EQ(grow(1, path).status, ZAN_STATUS_RELOAD);
    load(1, path);
    EXPECT_EQ(grow(1, dir.file("other.csv")).status, ZAN_STATUS_RELOAD);
    EXPECT_EQ(grow(2, path).status, ZAN_STATUS_RELOAD);
    EXPECT_EQ(grow(0, path).status, ZAN_STATUS_RELOAD);
}

}  // namespace
}  // namespace zan::testfiles
