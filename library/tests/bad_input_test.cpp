// Damaged or hostile files of every layout: each ends with a clear status,
// and whatever was complete before the damage stays stored.
#include "loader_fixture.h"

#include <sys/stat.h>

namespace zan::testfiles {
namespace {

using BadInput = LoaderTest;

TEST_F(BadInput, TruncatedStreamHeadersEndWithEndOfFile)
{
    const std::string full_a = stream_a("title", {"a", "b"}, {}).str();
    const std::string full_c = stream_c("title", 1, {"a", "b"}, {}).str();
    struct Case {
        const char* label;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"half a title", full_a.substr(0, 40)},
        {"title only", full_a.substr(0, 80)},
        {"cut count", full_a.substr(0, 82)},
        {"cut second name", full_a.substr(0, full_a.size() - 1)},
        {"shape C cut after kind", full_c.substr(0, 92)},
        {"shape C cut in names", full_c.substr(0, full_c.size() - 50)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        reset();
        const std::string path = dir.file("cut.bin");
        write_text(path, c.bytes);
        Loaded r = load(1, path);
        EXPECT_EQ(r.status, -1);
        EXPECT_EQ(r.nvar, 0);
        EXPECT_EQ(r.nstored, 0);
        EXPECT_EQ(loaded_slot(1)->nvar, 0);
    }
}

TEST_F(BadInput, HeaderWithoutRowsLoadsNoSamples)
{
    const std::string path = dir.file("norows.bin");
    write_stream_a(path, "t", {"a", "b"}, {});
    Loaded r = load(1, path);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.nvar, 2);
    EXPECT_EQ(r.nrows, 0);
    EXPECT_EQ(r.nstored, 0);
}

TEST_F(BadInput, HugeVariableCountsAreRefusedWithoutOverrunningTheNamesTable)
{
    struct Case {
        const char* label;
        std::string bytes;
        int32_t status;
    } cases[] = {
        // Declares 5001 names and holds them all: counted, then refused.
        {"5001 names present", stream_a("t", std::vector<std::string>(5001, "name"), {}).str(),
         ZAN_STATUS_TOO_MANY_VARS},
        // Declares two thousand million names but holds only a few.
        {"names missing", Bytes().text("t", 80).i32(2'000'000'000).text("a", 10).str(), -1},
        {"shape B names missing", Bytes().text("t", 80).i32(0).i32(2'147'483'647).str(), -1},
        {"record layout", record(Bytes().i32(5).i32(6000).raw(" ## a").str()), ZAN_STATUS_TOO_MANY_VARS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        reset();
        const std::string path = dir.file(std::string("wide.") + (c.label[0] == 'r' ? "dat" : "bin"));
        write_text(path, c.bytes);
        Loaded r = load(1, path);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.nvar, 0);
        EXPECT_EQ(r.nstored, 0);
    }
}

TEST_F(BadInput, ExactlyTheLargestVariableCountLoads)
{
    const std::string path = dir.file("max.bin");
    std::vector<double> row(5000);
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = double(i);
    write_stream_a(path, "t", std::vector<std::string>(5000, "v"), {row, row});
    Loaded r = load(1, path);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.nvar, 5000);
    EXPECT_EQ(r.nstored, 2);
    EXPECT_EQ(stored(1, 5000, 2), 4999.0);
}

TEST_F(BadInput, PathsThatNameNoReadableFile)
{
    const std::string sub = dir.file("folder.bin");
    std::filesystem::create_directory(sub);
    const std::string pipe = dir.file("pipe.csv");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        std::string path;
        int32_t status;
    } cases[] = {
        {dir.file("missing.csv"), ENOENT},
        {dir.file("missing.bin"), ENOENT},
        {dir.file("nowhere/x.dat"), ENOENT},
        {sub, EISDIR},
        {pipe, EINVAL},
        {"", ZAN_STATUS_NO_EXTENSION},
        {"no_dot_at_all", ZAN_STATUS_NO_EXTENSION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        reset();
        Loaded r = load(1, c.path);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.close_status, 0);
        EXPECT_EQ(r.nvar, 0);
    }
}

TEST_F(BadInput, OnlyTheFileNameCarriesTheExtension)
{
    // A dot in a folder name must not pick a reader for a file without one.
    std::filesystem::create_directory(dir.file("run.v2"));
    write_record(dir.file("run.v2/data"), {"a", "b"}, {{1, 2}});
    write_record(dir.file("run.v2/data.dat"), {"a", "b"}, {{1, 2}});
    struct Case {
        const char* name;
        int32_t status;
        int32_t nvar;
    } cases[] = {{"run.v2/data", ZAN_STATUS_NO_EXTENSION, 0}, {"run.v2/data.dat", -1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        Loaded r = load(1, dir.file(c.name));
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.nvar, c.nvar);
    }
}

TEST_F(BadInput, PathIsTakenFromTheLow8BitsAndTrailingBlanks)
{
    const std::string path = dir.file("codes.bin");
    write_stream_a(path, "t", {"a"}, {{1.0}});
    Path codes = path_codes(path);
    for (std::size_t i = 0; i < path.size(); ++i) codes[i] |= 0x7F00;
    std::vector<int32_t> names(ZAN_MAX_VARS * ZAN_NAME_LEN);
    std::array<int32_t, ZAN_NAME_LEN> title;
    int32_t file = 1, nvar, nstored, nrows, step = 1, status, close_status;
    dopen(&file, codes.data(), names.data(), title.data(), &nvar, &nstored, &nrows, &step, &status, &close_status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(nstored, 1);
}

TEST_F(BadInput, CsvGarbageOnlyFileLoadsWithoutSamples)
{
    std::string garbage;
    for (int i = 0; i < 200000; ++i) garbage.push_back(char((i * 2654435761u) >> 24));
    const std::string path = dir.file("noise.csv");
    write_text(path, garbage);
    Loaded r = load(1, path);
    EXPECT_TRUE(r.status == -1 || r.status == ZAN_STATUS_TOO_MANY_VARS) << r.status;
    EXPECT_LE(r.nvar, ZAN_MAX_VARS);
}

}  // namespace
}  // namespace zan::testfiles
