// Following a comma-separated file with dgrow: after every call the stored
// rows, the ranges and the block extremes are those of a fresh load of the
// file, or the call asks for a new load.
#include "follow_checks.h"

namespace zan::testfiles {
namespace {

using FollowText = FollowTest;

std::string counting_rows(int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i) text += std::to_string(i) + "," + std::to_string(i % 7) + "\n";
    return text;
}

std::string long_rows(int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i) text += std::to_string(i) + "," + std::to_string(i % 7) + std::string(5000, ' ') + "\n";
    return text;
}

TEST_F(FollowText, ARowCompletedAfterTheLoadGivesTheRangesOfItsFinalValues)
{
    // The load reads "3,3" while the writer is about to make it "3,30".
    const std::string path = dir.file("run.csv");
    write_text(path, "t,y\n1,10\n2,20\n3,3");
    ASSERT_EQ(load(1, path).nstored, 3);
    // Queries made with the unfinished row build the block extremes.
    EXPECT_EQ(window_range(1, 0, 10), (Range{20, 3}));
    EXPECT_EQ(mapped_y(1, 1, 3).first, 3);
    append_text(path, "0\n");
    const Grown g = grow(1, path);
    EXPECT_EQ(g.status, 0);
    EXPECT_EQ(g.nstored, 3);
    EXPECT_EQ(window_range(1, 0, 10), (Range{30, 10}));
    EXPECT_EQ(window_range(1, 2.5, 3.5), (Range{30, 30}));
    EXPECT_EQ(mapped_y(1, 1, 3), (std::pair<int32_t, int32_t>{10, 30}));
    expect_same_as_fresh(1, path);
}

TEST_F(FollowText, ARowCompletedAfterTheLoadGivesTheDrawRateSummariesOfItsFinalValues)
{
    // A draw rate of 2 keeps rows 1, 3, ..., 127: one whole block of its
    // summary, whose last row is unfinished when the summary is made and is
    // then completed without changing the number of rows stored.
    const std::string path = dir.file("run.csv");
    write_text(path, "t,y\n" + counting_rows(1, 126) + "127,9");
    ASSERT_EQ(load(1, path).nstored, 127);
    EXPECT_EQ(mapped_y_stepped(1, 1, 127, 2), (std::pair<int32_t, int32_t>{0, 9}));
    append_text(path, "0\n");
    EXPECT_EQ(grow(1, path).nstored, 127);
    EXPECT_EQ(mapped_y_stepped(1, 1, 127, 2), (std::pair<int32_t, int32_t>{0, 90}));
    EXPECT_EQ(mapped_y_stepped(1, 125, 127, 2), (std::pair<int32_t, int32_t>{6, 90}));
    expect_same_as_fresh(1, path);
}

TEST_F(FollowText, ARowTakenBackLeavesTheRangesOfTheRowsBeforeIt)
{
    // Rows 1..70 fill one block of extremes and part of the next, where the
    // unfinished row 71 lies too.
    std::string text = "t,y\n";
    for (int i = 1; i <= 70; ++i) text += std::to_string(i) + "," + std::to_string(i * 10) + "\n";
    const std::string path = dir.file("run.csv");
    write_text(path, text + "71,7");
    ASSERT_EQ(load(1, path).nstored, 71);
    EXPECT_EQ(window_range(1, 68, 72), (Range{700, 7}));
    // Grown, but its last line still has no end: the row waits.
    append_text(path, "0");
    const Grown g = grow(1, path);
    EXPECT_EQ(g.nstored, 70);
    EXPECT_EQ(window_range(1, 68, 72), (Range{700, 680}));
    EXPECT_EQ(window_range(1, 70, 70), (Range{700, 700}));
    EXPECT_EQ(mapped_y(1, 65, 70), (std::pair<int32_t, int32_t>{650, 700}));
    expect_ranges_as_scanned(1);
}

TEST_F(FollowText, ACrLfFileCaughtBetweenCrAndLfStoresItsLastRowOnce)
{
    const struct {
        const char* what;
        std::string loaded;
        int32_t rows;
    } cases[] = {
        {"the row before has the same values", "t,x\r\n1,2\r\n1,2\r", 2},
        {"the only data row", "t,x\r\n1,2\r", 1},
        {"between rows of other values", "t,x\r\n1,2\r\n3,4\r\n5,6\r", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        const std::string path = dir.file("run.csv");
        write_text(path, c.loaded);
        ASSERT_EQ(load(1, path).nstored, c.rows);
        append_text(path, "\n");
        Grown g = grow(1, path);
        EXPECT_EQ(g.status, 0);
        EXPECT_EQ(g.nstored, c.rows);
        expect_same_as_fresh(1, path);
        append_text(path, "7,8\r\n");
        g = grow(1, path);
        EXPECT_EQ(g.status, 0);
        EXPECT_EQ(g.nstored, c.rows + 1);
        expect_same_as_fresh(1, path);
    }
}

TEST_F(FollowText, WithAStepTheLoadAndTheFollowingGoOnFromTheLastStoredRowsPlace)
{
    // Rows are (t, x); several rows repeat the values of others, so only
    // their place tells them apart.
    const struct {
        const char* what;
        std::string loaded;
        std::string appended;
        int32_t loaded_rows;
    } cases[] = {
        {"a passed-over row repeats the last stored one", "t,x\n1,0\n2,0\n3,0\n4,0\n4,0\n",
         "6,0\n7,0\n8,0\n9,0\n", 2},
        {"the row after the last stored one repeats an earlier one", "t,x\n1,0\n2,0\n3,0\n4,0\n1,0\n",
         "6,0\n7,0\n8,0\n", 2},
        {"every row the same", "t,x\n1,1\n1,1\n1,1\n1,1\n1,1\n1,1\n1,1\n", "1,1\n1,1\n# note\n1,1\n", 2},
        {"a rejected line where a row is due", "t,x\n1,0\n2,0\n3,0\nx,y\n5,0\n", "6,0\n7,0\n8,0\n9,0\n", 2},
        // Rows 1, 4, .. 1999 fill the 2003 / 3 samples; row 2002 is left,
        // and the rows after 1999 are long enough to fill pieces of their own
        // when the load runs on several threads.
        {"a long load that stops at its capacity", "t,x\n" + counting_rows(1, 1999) + long_rows(2000, 2002),
         counting_rows(2003, 2010), 667},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        const std::string path = dir.file("run.csv");
        write_text(path, c.loaded);
        EXPECT_EQ(load(1, path, 3).nstored, c.loaded_rows);
        append_text(path, c.appended);
        EXPECT_EQ(grow(1, path).status, 0);
        expect_same_as_fresh(1, path, 3);
    }
}

TEST_F(FollowText, AFinishedFileKeepsItsLastRowWithoutLineEnd)
{
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x\n1,10\n2,20\n3,30");
    ASSERT_EQ(load(1, path).nstored, 3);
    // Nothing changed since the load: the row stays.
    Grown g = grow(1, path);
    EXPECT_EQ(g.status, 0);
    EXPECT_EQ(g.nstored, 3);
    EXPECT_EQ(g.added, 0);
    expect_same_as_fresh(1, path);
}

TEST_F(FollowText, AnAppendedLineWithoutItsEndCountsOnceTheFileStopsChanging)
{
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x\n1,10\n");
    load(1, path);
    append_text(path, "2,20\n3,3");
    Grown g = grow(1, path);
    EXPECT_EQ(g.added, 1);
    EXPECT_EQ(g.nstored, 2);
    // Unchanged since the last call: the line is read as it stands.
    g = grow(1, path);
    EXPECT_EQ(g.added, 1);
    EXPECT_EQ(g.nstored, 3);
    expect_same_as_fresh(1, path);
    // Growing again, the line is read once more as it is now.
    append_text(path, "0\n4,40\n");
    g = grow(1, path);
    EXPECT_EQ(g.added, 2);
    EXPECT_EQ(g.nstored, 4);
    EXPECT_EQ(column(1, 2), (std::vector<double>{10, 20, 30, 40}));
    expect_same_as_fresh(1, path);
}

TEST_F(FollowText, AShorterFileAsksForANewLoadEvenAboveTheResumePoint)
{
    const struct {
        const char* what;
        std::string loaded;
        std::size_t cut_to;
    } cases[] = {
        {"the last line without its end cut", "t,x\n1,10\n2,20", 9},
        {"part of the last line cut", "t,x\n1,10\n2,20", 11},
        {"a line end cut", "t,x\n1,10\n2,20\n", 13},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        const std::string path = dir.file("run.csv");
        write_text(path, c.loaded);
        const int32_t rows = load(1, path).nstored;
        std::filesystem::resize_file(path, c.cut_to);
        const Grown g = grow(1, path);
        EXPECT_EQ(g.status, ZAN_STATUS_RELOAD);
        EXPECT_EQ(g.nstored, rows);
    }
}

TEST_F(FollowText, LinesThatChangeTheVariableCountAskForANewLoad)
{
    const struct {
        const char* what;
        std::string loaded;
        std::string appended;
    } cases[] = {
        {"a wider line among the first 99", "t,x\n1,2\n", "3,4,5\n"},
        {"the unfinished last line grows wider", "t,x\n1,2\n3,4", ",5\n"},
        {"a wider line without its end", "t,x\n1,2\n", "3,4,5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        const std::string path = dir.file("run.csv");
        write_text(path, c.loaded);
        load(1, path);
        const std::vector<double> before = column(1, 2);
        append_text(path, c.appended);
        Grown g = grow(1, path);
        if (g.status == 0) g = grow(1, path);
        EXPECT_EQ(g.status, ZAN_STATUS_RELOAD);
        EXPECT_EQ(column(1, 2), before);
    }
    // Beyond the first 99 lines a wider line is only a rejected one.
    reset();
    const std::string path = dir.file("run.csv");
    std::string text = "t,x\n";
    for (int i = 1; i < 99; ++i) text += std::to_string(i) + ",0\n";
    write_text(path, text);
    load(1, path);
    append_text(path, "1,2,3\n100,0\n");
    EXPECT_EQ(grow(1, path).status, 0);
    expect_same_as_fresh(1, path);
}

TEST_F(FollowText, ANamesLineWithoutItsEndCannotBeFollowed)
{
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x");
    ASSERT_EQ(load(1, path).nvar, 2);
    append_text(path, ",y\n1,2,3\n");
    EXPECT_EQ(grow(1, path).status, ZAN_STATUS_RELOAD);
}

}  // namespace
}  // namespace zan::testfiles
