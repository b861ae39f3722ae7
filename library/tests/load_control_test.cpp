// Progress of a running load and a request to stop it.
#include "loader_fixture.h"

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
