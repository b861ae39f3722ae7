// Progress of a running load and a request to stop it.
#include "load_control.h"
#include "loader_fixture.h"

#include <vector>

namespace zan::testfiles {
namespace {

using LoadControl = LoaderTest;

std::string rows_text(int n)
{
    std::string text = "t,x\n";
    for (int i = 0; i < n; ++i) text += std::to_string(i) + "," + std::to_string(i * 2) + "\n";
    return text;
}

TEST_F(LoadControl, WithoutALoadProgressIsZeroAndAStopConcernsNoLaterLoad)
{
    int32_t percent = -1;
    int32_t result = -1;
    dprog(&percent);
    dstop(&result);
    EXPECT_EQ(percent, 0);
    EXPECT_EQ(result, 0);
    const std::string path = dir.file("a.csv");
    write_text(path, rows_text(10));
    const Loaded r = load(1, path);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.nstored, 10);
}

TEST_F(LoadControl, TextFileIsAnEighthReadAfterItsCountingPass)
{
    const std::string path = dir.file("a.csv");
    write_text(path, rows_text(1000));
    int32_t percent = -1;
    hooks::after_row_count = [&] { dprog(&percent); };
    load(1, path);
    EXPECT_GE(percent, 11);
    EXPECT_LE(percent, 14);
}

TEST_F(LoadControl, ProgressOfATextFileNeverRunsAheadOfItsPassesNorDropsBack)
{
    // 8000 bytes read twice: the counting pass is worth one eighth of the
    // bar, the reading pass the rest.
    std::vector<int32_t> seen;
    load_control::begin();
    load_control::set_file(8000, true);
    for (int i = 0; i < 8; ++i) {
        load_control::add_progress(1000);
        seen.push_back(load_control::percent());
    }
    load_control::second_pass();
    seen.push_back(load_control::percent());
    for (int i = 0; i < 8; ++i) {
        load_control::add_progress(1000);
        seen.push_back(load_control::percent());
    }
    load_control::end();
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 3, 4, 6, 7, 9, 10, 12, 12, 23, 34, 45, 56, 67, 78, 88, 99}));

    // A binary file is read once: the bar follows the bytes.
    seen.clear();
    load_control::begin();
    load_control::set_file(8000, false);
    for (int i = 0; i < 4; ++i) {
        load_control::add_progress(2000);
        seen.push_back(load_control::percent());
    }
    load_control::end();
    EXPECT_EQ(seen, (std::vector<int32_t>{24, 49, 74, 98}));
    EXPECT_EQ(load_control::percent(), 0);
}

TEST_F(LoadControl, StoppedLoadKeepsNothingAndTheNextLoadWorks)
{
    Rows rows;
    for (int i = 0; i < 100; ++i) rows.push_back({double(i), i * 0.5});
    struct Case {
        const char* label;
        const char* name;
        unsigned threads;
    } cases[] = {
        {"text, one thread", "a.csv", 1},
        {"text, four threads", "a.csv", 4},
        {"stream layout", "a.bin", 1},
        {"record layout", "a.dat", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        reset();
        const std::string path = dir.file(c.name);
        const std::string ext = path.substr(path.size() - 3);
        if (ext == "csv") write_text(path, rows_text(3000));
        else if (ext == "bin") write_stream_a(path, "run", {"t", "x"}, rows);
        else write_record(path, {"t", "x"}, rows);
        hooks::reader_threads = c.threads;
        hooks::chunk_bytes = 100;
        int32_t asked = -1;
        hooks::after_row_count = [&] { dstop(&asked); };
        const Loaded stopped = load(1, path);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(stopped.status, ZAN_STATUS_CANCELLED);
        EXPECT_EQ(stopped.nvar, 0);
        EXPECT_EQ(stopped.nstored, 0);
        ASSERT_NE(loaded_slot(1), nullptr);
        EXPECT_EQ(loaded_slot(1)->block.get(), nullptr);
        EXPECT_EQ(loaded_slot(1)->nvar, 0);

        hooks::after_row_count = nullptr;
        const Loaded next = load(2, path);
        EXPECT_EQ(next.nvar, 2);
        EXPECT_GT(next.nstored, 0);
        int32_t result = -1;
        dclos(&result);
        EXPECT_EQ(result, 0);
        daloc(&result);
        EXPECT_EQ(result, 1);
    }
}

}  // namespace
}  // namespace zan::testfiles
