// Following binary files of both layouts with dgrow: whole rows and records
// only, from the place where the reading stopped, and anything that a fresh
// load would read otherwise asks for a new load without adding anything.
#include "follow_checks.h"

#include "loader.h"

namespace zan::testfiles {
namespace {

using FollowBinary = FollowTest;

const std::vector<std::string> kNames{"t", "x"};

Rows rows(int from, int to)
{
    Rows r;
    for (int i = from; i <= to; ++i) r.push_back({double(i), double(i * 10)});
    return r;
}

std::string stream_rows(int from, int to)
{
    return stream_c("T", 1, kNames, rows(from, to)).str().substr(stream_c("T", 1, kNames, {}).size());
}

std::string record_rows(int from, int to)
{
    return record_file(kNames, rows(from, to)).substr(record_file(kNames, {}).size());
}

TEST_F(FollowBinary, BrokenRecordsAddNothingAndAskForANewLoad)
{
    Bytes short_row;
    short_row.f32(1);
    const struct {
        const char* what;
        std::string broken;
    } cases[] = {
        {"length and trailer differ", record_rows(5, 5).substr(0, 12) + std::string("\x09\0\0\0", 4)},
        {"a record too short for a row", record(short_row.str())},
        {"a negative length", std::string("\xff\xff\xff\xff", 4) + std::string(12, '\0')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        const std::string path = dir.file("run.dat");
        write_record(path, kNames, rows(1, 2));
        load(1, path);
        EXPECT_EQ(window_range(1, 0, 100), (Range{20, 10}));
        append_text(path, record_rows(3, 4) + c.broken + record_rows(6, 6));
        const Grown g = grow(1, path);
        EXPECT_EQ(g.status, ZAN_STATUS_RELOAD);
        EXPECT_EQ(g.added, 0);
        EXPECT_EQ(g.nstored, 2);
        EXPECT_EQ(column(1, 2), (std::vector<double>{10, 20}));
        EXPECT_EQ(window_range(1, 0, 100), (Range{20, 10}));
        EXPECT_EQ(mapped_y(1, 1, 2), (std::pair<int32_t, int32_t>{10, 20}));
        expect_ranges_as_scanned(1);
        // The new load reads the good records and ends at the broken one.
        EXPECT_EQ(load(2, path).status, kBadRecord);
        EXPECT_EQ(column(2, 2), (std::vector<double>{10, 20, 30, 40}));
    }
}

TEST_F(FollowBinary, AShorterFileAsksForANewLoadEvenAboveTheResumePoint)
{
    const std::string stream = stream_c("T", 1, kNames, rows(1, 2)).str();
    const std::string records = record_file(kNames, rows(1, 2));
    const struct {
        const char* what;
        std::string name;
        std::string loaded;
        std::size_t cut_to;
    } cases[] = {
        {"a partial row cut off", "run.bin", stream + stream_rows(3, 3).substr(0, 5), stream.size()},
        {"part of a partial row cut off", "run.bin", stream + stream_rows(3, 3).substr(0, 9), stream.size() + 4},
        {"a partial record cut off", "run.dat", records + record_rows(3, 3).substr(0, 7), records.size()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        const std::string path = dir.file(c.name);
        write_text(path, c.loaded);
        ASSERT_EQ(load(1, path).nstored, 2);
        std::filesystem::resize_file(path, c.cut_to);
        const Grown g = grow(1, path);
        EXPECT_EQ(g.status, ZAN_STATUS_RELOAD);
        EXPECT_EQ(g.nstored, 2);
    }
}

TEST_F(FollowBinary, WithAStepFollowingGoesOnFromTheLastStoredRowsPlace)
{
    const struct {
        const char* name;
        std::string loaded;
        std::string appended;
        int32_t loaded_rows;  // the record layout's row count is only an upper bound
        int32_t first_added;
    } cases[] = {
        {"run.bin", stream_c("T", 1, kNames, rows(1, 10)).str(), stream_rows(11, 13), 3, 1},
        {"run.dat", record_file(kNames, rows(1, 10)), record_rows(11, 13), 4, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        const std::string path = dir.file(c.name);
        write_text(path, c.loaded);
        ASSERT_EQ(load(1, path, 3).nstored, c.loaded_rows);
        // A load that stopped at its capacity leaves the rows after it to now.
        append_text(path, c.appended.substr(0, 3));
        EXPECT_EQ(grow(1, path).added, c.first_added);
        append_text(path, c.appended.substr(3));
        EXPECT_EQ(grow(1, path).added, 1);
        EXPECT_EQ(column(1, 1), (std::vector<double>{1, 4, 7, 10, 13}));
        expect_same_as_fresh(1, path, 3);
    }
}

}  // namespace
}  // namespace zan::testfiles
