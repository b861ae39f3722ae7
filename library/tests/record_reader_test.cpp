#include "loader.h"
#include "loader_fixture.h"

namespace zan::testfiles {
namespace {

using RecordReader = LoaderTest;

Rows seven_rows()
{
    Rows rows;
    for (int i = 0; i < 7; ++i) rows.push_back({double(i), 2.0 * i, -0.5 * i});
    return rows;
}

std::string upper80(const std::string& path)
{
    std::string up = path.substr(0, 80);
    for (char& c : up)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return up;
}

std::string header_record(int32_t name_len, int32_t n, const std::string& names)
{
    Bytes b;
    b.i32(name_len).i32(n).raw(names);
    return record(b.str());
}

std::string row_record(std::initializer_list<float> values)
{
    Bytes b;
    for (float v : values) b.f32(v);
    return record(b.str());
}

TEST_F(RecordReader, LoadsRowsUntilTheEndOfTheFile)
{
    const std::string path = dir.file("run.dat");
    write_record(path, {"time", "alt", "speed"}, seven_rows());
    Loaded r = load(1, path);
    // The row count ignores the framing, so it is larger than the 7 rows.
    EXPECT_GT(r.nrows, 7);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.nstored, 7);
    EXPECT_EQ(r.nvar, 3);
    EXPECT_EQ(r.names, (std::vector<std::string>{"time", "alt", "speed"}));
    EXPECT_EQ(column(1, 2), (std::vector<double>{0, 2, 4, 6, 8, 10, 12}));
    EXPECT_EQ(r.title, upper80(path));
}

TEST_F(RecordReader, TitleIsTheUpperCasePathCutTo80Characters)
{
    std::string name(120, 'x');
    name += ".dat";
    const std::string path = dir.file(name);
    write_record(path, {"a"}, {{1.0}});
    Loaded r = load(1, path);
    EXPECT_EQ(r.title, upper80(path));
    EXPECT_EQ(r.title.size(), 80u);
}

TEST_F(RecordReader, SplitsNamesAtSingleBlanks)
{
    struct Case {
        std::string line;
        int32_t n;
        std::vector<std::string> names;
    } cases[] = {
        {" ## a b c", 3, {"a", "b", "c"}},
        {" ## a  c", 3, {"a", "", "c"}},
        {" ## a", 3, {"a", "", ""}},
        {" ## " + std::string(90, 'q') + " z", 2, {std::string(80, 'q'), "z"}},
        {" ##", 1, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        reset();
        const std::string path = dir.file("names.dat");
        std::string row;
        for (int32_t v = 0; v < c.n; ++v) row += Bytes().f32(1.0f).str();
        write_text(path, header_record(int32_t(c.line.size()), c.n, c.line) + record(row));
        Loaded r = load(1, path);
        EXPECT_EQ(r.status, -1);
        EXPECT_EQ(r.names, c.names);
        EXPECT_EQ(r.nstored, 1);
    }
}

TEST_F(RecordReader, NameStringWithoutTheMarkerIsRefused)
{
    for (const std::string line : {"## a b", "#  a b", "a b c", ""}) {
        SCOPED_TRACE(line);
        reset();
        const std::string path = dir.file("nomark.dat");
        write_text(path, header_record(int32_t(line.size()), 2, line) + row_record({1, 2}));
        Loaded r = load(1, path);
        EXPECT_EQ(r.status, ZAN_STATUS_NO_MARKER);
        EXPECT_EQ(r.nvar, 0);
        EXPECT_EQ(r.nstored, 0);
    }
}

TEST_F(RecordReader, StepKeepsEveryStepthRecord)
{
    const std::string path = dir.file("step.dat");
    write_record(path, {"a", "b", "c"}, seven_rows());
    Loaded r = load(1, path, 2);
    EXPECT_EQ(r.step, 2);
    EXPECT_EQ(column(1, 1), (std::vector<double>{0, 2, 4, 6}));
    EXPECT_EQ(r.status, -1);
}

TEST_F(RecordReader, LongerRecordsGiveTheirFirstValues)
{
    const std::string path = dir.file("long.dat");
    write_text(path, header_record(7, 2, " ## a b") + row_record({1, 2, 3, 4}) + row_record({5, 6, 7}));
    Loaded r = load(1, path);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(column(1, 2), (std::vector<double>{2, 6}));
}

TEST_F(RecordReader, BrokenFramingEndsTheReadingAndKeepsEarlierRows)
{
    const std::string good = header_record(7, 2, " ## a b") + row_record({1, 2}) + row_record({3, 4});
    std::string bad_trailer = row_record({5, 6});
    bad_trailer[bad_trailer.size() - 4] = 9;
    struct Case {
        const char* label;
        std::string tail;
        int32_t status;
    } cases[] = {
        {"trailer differs", bad_trailer, kBadRecord},
        {"record too short for a row", row_record({5}), kBadRecord},
        {"negative length", Bytes().i32(-8).f32(1).f32(2).i32(-8).str(), kBadRecord},
        {"length beyond the file", Bytes().i32(1 << 30).f32(1).f32(2).str(), -1},
        {"length beyond the buffer and the file", Bytes().i32(0x7fffffff).f32(1).f32(2).str(), -1},
        {"cut inside the record", Bytes().i32(8).f32(1).str(), -1},
        {"cut inside the length", std::string("\x08\x00", 2), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        reset();
        const std::string path = dir.file("broken.dat");
        write_text(path, good + c.tail);
        Loaded r = load(1, path);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.nvar, 2);
        EXPECT_EQ(column(1, 2), (std::vector<double>{2, 4}));
    }
}

TEST_F(RecordReader, RecordLargerThanTheReadBufferIsPassedOver)
{
    const std::string path = dir.file("huge.dat");
    Bytes big;
    big.f32(7).f32(8);
    big.raw(std::string(9 << 20, '\0'));
    write_text(path, header_record(7, 2, " ## a b") + record(big.str()) + row_record({1, 2}));
    Loaded r = load(1, path);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(column(1, 1), (std::vector<double>{7, 1}));
}

TEST_F(RecordReader, BadHeaderRecordsAreRefusedBeforeAnythingIsStored)
{
    struct Case {
        const char* label;
        std::string bytes;
        int32_t status;
    } cases[] = {
        {"empty file", "", -1},
        {"cut length", std::string("\x10\x00", 2), -1},
        {"header record shorter than L and n", record(Bytes().i32(3).str()), kBadRecord},
        {"name string longer than its record", record(Bytes().i32(100).i32(1).raw(" ## a").str()), kBadRecord},
        {"name string beyond the file", Bytes().i32(1000).i32(5).i32(1).raw(" ## a").str(), -1},
        {"negative record length", Bytes().i32(-12).i32(4).i32(1).raw(" ## a").i32(-12).str(), kBadRecord},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        reset();
        const std::string path = dir.file("badhead.dat");
        write_text(path, c.bytes);
        Loaded r = load(1, path);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.nvar, 0);
        EXPECT_EQ(r.nstored, 0);
    }
}

TEST_F(RecordReader, NameStringBeyondTheLineBufferIsCut)
{
    // Only the first 65536 characters are kept, so the second name, which
    // starts at character 65531 (from 0), keeps 5 characters.
    std::string line = " ## " + std::string(65526, 'a') + " " + std::string(100, 'b');
    const std::string path = dir.file("longnames.dat");
    write_text(path, header_record(int32_t(line.size()), 2, line) + row_record({1, 2}));
    Loaded r = load(1, path);
    EXPECT_EQ(r.status, -1);
    ASSERT_EQ(r.names.size(), 2u);
    EXPECT_EQ(r.names[0], std::string(80, 'a'));
    EXPECT_EQ(r.names[1], std::string(65536 - 65531, 'b'));
    EXPECT_EQ(r.nstored, 1);
}

}  // namespace
}  // namespace zan::testfiles
