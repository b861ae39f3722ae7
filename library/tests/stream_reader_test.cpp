#include "loader_fixture.h"

#include <cmath>
#include <limits>

namespace zan::testfiles {
namespace {

using StreamReader = LoaderTest;

const Rows kFourRows = {{0.0, 10.0, -1.0}, {0.5, 11.0, -2.0}, {1.0, 12.5, -3.0}, {1.5, 14.0, -4.0}};

TEST_F(StreamReader, LoadsShapeAWithTitleNamesAndRows)
{
    const std::string path = dir.file("run.bin");
    write_stream_a(path, "Launch run 7", {"time", "alt", "speed"}, kFourRows);
    Loaded r = load(1, path);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.close_status, 0);
    EXPECT_EQ(r.nvar, 3);
    EXPECT_EQ(r.nrows, 4);
    EXPECT_EQ(r.nstored, 4);
    EXPECT_EQ(r.step, 1);
    EXPECT_EQ(r.title, "Launch run 7");
    EXPECT_EQ(r.names, (std::vector<std::string>{"time", "alt", "speed"}));
    EXPECT_EQ(column(1, 2), (std::vector<double>{10.0, 11.0, 12.5, 14.0}));
    EXPECT_EQ(column(1, 3), (std::vector<double>{-1.0, -2.0, -3.0, -4.0}));
    const VarTables* t = var_tables(1);
    EXPECT_EQ(t->rawmax[1], 14.0);
    EXPECT_EQ(t->rawmin[1], 10.0);
    EXPECT_EQ(t->shift[4999], 0.0);
    EXPECT_EQ(t->factor[4999], 1.0);
}

TEST_F(StreamReader, ReadsEachShapeWithItsNameWidthAndValueType)
{
    const std::string long_name(30, 'n');
    struct Case {
        const char* label;
        std::string bytes;
        std::string first_name;
    } cases[] = {
        {"A", stream_a("t", {long_name, "b"}, {{1.25, 2.5}, {3.75, 1e-7}}).str(), long_name.substr(0, 10)},
        {"B", stream_b("t", {long_name, "b"}, {{1.25, 2.5}, {3.75, 1e-7}}).str(), long_name.substr(0, 20)},
        {"C single", stream_c("t", 2, {long_name, "b"}, {{1.25, 2.5}, {3.75, 1e-7}}).str(), long_name},
        {"C double", stream_c("t", 1, {long_name, "b"}, {{1.25, 2.5}, {3.75, 1e-7}}).str(), long_name},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        reset();
        const std::string path = dir.file("shape.bin");
        write_text(path, c.bytes);
        Loaded r = load(1, path);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.nrows, 2);
        ASSERT_EQ(r.nstored, 2);
        EXPECT_EQ(r.names.at(0), c.first_name);
        EXPECT_EQ(r.names.at(1), "b");
        EXPECT_EQ(stored(1, 1, 2), 3.75);
        const bool doubles = std::string(c.label) == "C double";
        EXPECT_EQ(stored(1, 2, 2), doubles ? 1e-7 : double(float(1e-7)));
    }
}

TEST_F(StreamReader, IncompleteLastRowIsNotStored)
{
    const std::string path = dir.file("cut.bin");
    write_text(path, stream_a("t", {"a", "b", "c"}, kFourRows).raw(std::string(8, '\x01')).str());
    Loaded r = load(1, path);
    EXPECT_EQ(r.nrows, 4);
    EXPECT_EQ(r.nstored, 4);
    EXPECT_EQ(r.status, 0);
}

TEST_F(StreamReader, FileThatShrinksWhileReadKeepsTheRowsReadBeforeTheEnd)
{
    // Larger than the reader's buffer, so the cut is seen while rows are read.
    const int32_t rows = 3'000'000;
    Bytes b;
    b.text("t", 80).i32(1).text("i", 10);
    for (int32_t i = 0; i < rows; ++i) b.f32(static_cast<float>(i));
    const std::string path = dir.file("shrink.bin");
    write_text(path, b.str());
    hooks::after_row_count = [&] { std::filesystem::resize_file(path, 94 + 4 * (rows / 3)); };
    Loaded r = load(1, path);
    EXPECT_EQ(r.nrows, rows);
    EXPECT_EQ(r.status, -1);
    ASSERT_GT(r.nstored, 0);
    EXPECT_LT(r.nstored, rows);
    const std::vector<double> values = column(1, 1);
    for (int32_t i = 0; i < r.nstored; ++i) ASSERT_EQ(values[static_cast<std::size_t>(i)], double(i));
}

TEST_F(StreamReader, RowsAppendedAfterTheSizeCheckAreNotRead)
{
    const std::string path = dir.file("grow.bin");
    write_stream_a(path, "t", {"a"}, {{1.0}, {2.0}});
    hooks::after_row_count = [&] {
        Bytes more;
        for (int i = 0; i < 1000; ++i) more.f32(9.0f);
        append_text(path, more.str());
    };
    Loaded r = load(1, path);
    EXPECT_EQ(r.nrows, 2);
    EXPECT_EQ(r.nstored, 2);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(column(1, 1), (std::vector<double>{1.0, 2.0}));
}

TEST_F(StreamReader, StepKeepsEveryStepthRowUpToTheCapacity)
{
    Rows rows;
    for (int i = 1; i <= 10; ++i) rows.push_back({double(i)});
    const std::string path = dir.file("ten.bin");
    write_stream_a(path, "t", {"i"}, rows);
    Loaded r = load(1, path, 3);
    EXPECT_EQ(r.nrows, 10);
    EXPECT_EQ(r.step, 3);
    EXPECT_EQ(r.nstored, 3);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(column(1, 1), (std::vector<double>{1.0, 4.0, 7.0}));
}

TEST_F(StreamReader, StepBelowOneIsRaisedToOne)
{
    const std::string path = dir.file("s.bin");
    write_stream_a(path, "t", {"a", "b", "c"}, kFourRows);
    Loaded r = load(1, path, -5);
    EXPECT_EQ(r.step, 1);
    EXPECT_EQ(r.nstored, 4);
}

TEST_F(StreamReader, ReplacesNotANumberAndLimitsLargeValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::string path = dir.file("odd.bin");
    write_stream_c(path, "t", 1, {"v"}, {{nan}, {5.0e12}, {-inf}, {inf}, {-2.0e9}, {123.0}});
    Loaded r = load(1, path);
    ASSERT_EQ(r.nstored, 6);
    EXPECT_EQ(column(1, 1), (std::vector<double>{-999999999.0, 1e9, -1e9, 1e9, -1e9, 123.0}));
    EXPECT_EQ(var_tables(1)->rawmax[0], 1e9);
    EXPECT_EQ(var_tables(1)->rawmin[0], -1e9);
}

TEST_F(StreamReader, LowerCaseAndLongerExtensionsSelectTheStreamReader)
{
    for (const char* name : {"a.bin", "b.BIN", "c.binx", "d.Bin"}) {
        SCOPED_TRACE(name);
        reset();
        const std::string path = dir.file(name);
        write_stream_a(path, "t", {"a", "b", "c"}, kFourRows);
        Loaded r = load(1, path);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.nstored, 4);
    }
}

TEST_F(StreamReader, ZeroOrNegativeVariableCountReadsRowsOfOneValue)
{
    for (int32_t n : {-3, 0}) {
        SCOPED_TRACE(n);
        reset();
        Bytes b;
        b.text("t", 80);
        if (n == 0) b.i32(0).i32(0).i32(2).i32(0);  // shape C with no variables
        else b.i32(n);
        b.f32(1.0f).f32(2.0f).f32(3.0f);
        const std::string path = dir.file("n.bin");
        write_text(path, b.str());
        Loaded r = load(1, path);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.nvar, 1);
        EXPECT_EQ(column(1, 1), (std::vector<double>{1.0, 2.0, 3.0}));
    }
}

TEST_F(StreamReader, TitleAndNameCodesAreUnsigned)
{
    const std::string path = dir.file("codes.bin");
    write_stream_a(path, "caf\xE9", {"\xFFx"}, {{1.0}});
    std::vector<int32_t> names(ZAN_NAME_LEN);
    std::array<int32_t, ZAN_NAME_LEN> title;
    Path codes = path_codes(path);
    int32_t file = 1, nvar, nstored, nrows, step = 1, status, close_status;
    dopen(&file, codes.data(), names.data(), title.data(), &nvar, &nstored, &nrows, &step, &status, &close_status);
    EXPECT_EQ(title[3], 0xE9);
    EXPECT_EQ(title[4], ' ');
    EXPECT_EQ(names[0], 0xFF);
    EXPECT_EQ(names[79], ' ');
}

}  // namespace
}  // namespace zan::testfiles
