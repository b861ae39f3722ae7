#include "platform/fakes.h"
#include "session/file_commands.h"
#include "session/tests/command_fakes.h"
#include "session/tests/session_fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace zan {
namespace {

using testing::FakeHost;
using testing::FakeLibrary;
using testing::RecordingServices;
using testing::RecordingWindow;
using testing::TempFolder;
using Calls = std::vector<std::string>;

// A library whose files follow their growth as scripted.
class GrowingLibrary : public FakeLibrary {
public:
    GrowResult Grow(int file, const std::string& path) override
    {
        grown.push_back(std::to_string(file) + " " + path);
        GrowResult r;
        r.outcome = answer;
        r.nStored = nStored;
        r.added = added;
        return r;
    }
    GrowResult::Outcome answer = GrowResult::Grown;
    int nStored = 42;
    int added = 1;
    std::vector<std::string> grown;
};

class WatchStep : public ::testing::Test {
protected:
    WatchStep() : host(dir.folder()), commands(s, services, host, library, window, dialog)
    {
        window.calls = &services.calls;
        s.Fpath = dir.folder();
        s.iAuto = -1;
    }

    void Loaded(const std::vector<std::string>& names)
    {
        s.nFile = static_cast<int>(names.size());
        s.Flist.assign(s.nFile);
        for (int i = 1; i <= s.nFile; ++i)
            s.Flist[i] = dir.write(names[static_cast<size_t>(i - 1)], "t,x\n1,2\n");
        services.LoadData(s);
        services.calls.clear();
    }

    void Append(const std::string& name, const std::string& text)
    {
        std::ofstream(dir.file(name), std::ios::app | std::ios::binary) << text;
    }

    TempFolder dir;
    Session s;
    RecordingServices services;
    FakeHost host;
    GrowingLibrary library;
    RecordingWindow window;
    FakeFileDialog dialog;
    FileCommands commands;
};

TEST_F(WatchStep, UnchangedFilesOnlyRearmTheTimer)
{
    Loaded({"a.csv"});
    s.iLast = 7;
    commands.Watch();
    EXPECT_TRUE(services.calls.empty());
    EXPECT_EQ(host.watchInterval, 1540);
    EXPECT_TRUE(host.watchEnabled);
    EXPECT_TRUE(library.grown.empty());
}

TEST_F(WatchStep, NothingWhileAutoLoadIsOffOrWhileLoading)
{
    Loaded({"a.csv"});
    Append("a.csv", "2,3\n");
    s.iAuto = 0;
    commands.Watch();
    s.iAuto = -1;
    s.lderr = 2;
    commands.Watch();
    EXPECT_TRUE(services.calls.empty());
    EXPECT_EQ(host.watchInterval, 0);
}

TEST_F(WatchStep, AfterAFailedLoadAGrownFileIsLoadedAgainNotFollowed)
{
    // Nothing of the failed load is in the store to follow: the rows that
    // arrived are shown by a new load.
    Loaded({"a.csv"});
    s.lderr = 1;
    Append("a.csv", "2,3\n");
    commands.Watch();
    EXPECT_EQ(services.calls, (Calls{"IniWrite Zan.ini", "LoadData", "IniScale", "InitRanges", "PictDraw", "ButnStat"}));
    EXPECT_EQ(s.lderr, 0);
}

TEST_F(WatchStep, AGrownFileIsFollowedWithoutAReload)
{
    Loaded({"a.csv", "b.csv"});
    Append("b.csv", "2,3\n");
    commands.Watch();
    EXPECT_EQ(library.grown, (Calls{"2 " + dir.file("b.csv")}));
    EXPECT_EQ(services.calls, (Calls{"InitRanges", "PictDraw", "ButnStat"}));
    EXPECT_EQ(s.FileTab[2].size, static_cast<std::int64_t>(std::filesystem::file_size(dir.file("b.csv"))));
    EXPECT_EQ(s.FileTab[2].nStored, 42);
    EXPECT_FALSE(s.bBusy);
    // Taken in: the next tick looks once more, for a last row without its
    // line end, and finds nothing new.
    services.calls.clear();
    library.added = 0;
    commands.Watch();
    EXPECT_TRUE(services.calls.empty());
}

TEST_F(WatchStep, AFileThatCannotBeFollowedIsReloaded)
{
    Loaded({"a.csv"});
    Append("a.csv", "2,3\n");
    library.answer = GrowResult::Reload;
    commands.Watch();
    EXPECT_EQ(services.calls,
              (Calls{"IniWrite Zan.ini", "LoadData", "IniScale", "InitRanges", "PictDraw", "ButnStat"}));
    EXPECT_TRUE(host.watchEnabled);
}

TEST_F(WatchStep, ARewrittenFileOfTheSameSizeIsReloadedAfterOneTick)
{
    const struct {
        const char* what;
        int seconds_later;  // the file's time at the second tick, after the first
    } cases[] = {
        {"its time stays", 0},
        {"its time changes at every tick", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Loaded({"a.csv"});
        library.grown.clear();
        const auto loaded = std::filesystem::last_write_time(dir.file("a.csv"));
        std::filesystem::last_write_time(dir.file("a.csv"), loaded + std::chrono::seconds(5));
        // The first tick may be an append whose bytes are not there yet: it
        // waits, and leaves the zoom and the drawing alone.
        commands.Watch();
        EXPECT_TRUE(services.calls.empty());
        std::filesystem::last_write_time(dir.file("a.csv"), loaded + std::chrono::seconds(5 + c.seconds_later));
        commands.Watch();
        ASSERT_GE(services.calls.size(), 2u);
        EXPECT_EQ(services.calls[1], "LoadData");
        // A load reads the file whole: nothing is left for dgrow.
        EXPECT_TRUE(library.grown.empty());
    }
}

TEST_F(WatchStep, TicksThatBringNothingLeaveTheZoomAlone)
{
    Loaded({"a.csv"});
    // Grown, but only by part of a row: nothing new is stored.
    Append("a.csv", "2,");
    library.nStored = s.FileTab[1].nStored;
    library.added = 0;
    commands.Watch();
    EXPECT_EQ(library.grown.size(), 1u);
    EXPECT_TRUE(services.calls.empty());
    // The next tick finds the file unchanged and looks once more: the
    // unfinished row may be all there is.
    commands.Watch();
    EXPECT_EQ(library.grown.size(), 2u);
    EXPECT_TRUE(services.calls.empty());
    library.added = 1;
    library.nStored += 1;
    Append("a.csv", "3\n");
    commands.Watch();
    EXPECT_EQ(services.calls, (Calls{"InitRanges", "PictDraw", "ButnStat"}));
}

TEST_F(WatchStep, AFileThatStaysUnchangedAfterGrowingIsLookedAtOnceMore)
{
    Loaded({"a.csv"});
    Append("a.csv", "2,3\n4,5");
    commands.Watch();
    EXPECT_EQ(library.grown.size(), 1u);
    services.calls.clear();
    // Unchanged since: the last row without its line end now counts.
    commands.Watch();
    EXPECT_EQ(library.grown.size(), 2u);
    EXPECT_EQ(services.calls, (Calls{"InitRanges", "PictDraw", "ButnStat"}));
    // Once is enough.
    services.calls.clear();
    commands.Watch();
    EXPECT_EQ(library.grown.size(), 2u);
    EXPECT_TRUE(services.calls.empty());
}

TEST_F(WatchStep, AReloadLeavesTheLastRowOfAFileToTheLoad)
{
    Loaded({"a.csv"});
    Append("a.csv", "2,3");
    commands.Reload();
    EXPECT_TRUE(library.grown.empty());
}

TEST_F(WatchStep, FilesThatCanBeFollowedAreFollowedWhileAnotherIsGone)
{
    Loaded({"a.csv", "b.csv", "c.csv", "d.csv"});
    std::filesystem::remove(dir.file("b.csv"));
    Append("a.csv", "2,3\n");
    // c.csv needs a new load, which would fail on b.csv: it waits.
    std::filesystem::resize_file(dir.file("c.csv"), 3);
    Append("d.csv", "2,3\n");
    commands.Watch();
    EXPECT_EQ(library.grown, (Calls{"1 " + dir.file("a.csv"), "4 " + dir.file("d.csv")}));
    EXPECT_EQ(services.calls, (Calls{"InitRanges", "PictDraw", "ButnStat"}));
    ASSERT_FALSE(window.notes.empty());
    EXPECT_NE(window.notes.back().find("b.csv is gone"), std::string::npos);
}

TEST_F(WatchStep, AutoNextWaitsWhileAnotherFileCannotBeLoaded)
{
    Loaded({"run01.csv", "b.csv"});
    dir.write("run02.csv", "t,x\n1,2\n");
    std::filesystem::remove(dir.file("b.csv"));
    s.iNext = -1;
    commands.Watch();
    // A new load would fail on b.csv: the list keeps naming what is shown.
    EXPECT_EQ(s.Flist[1], dir.file("run01.csv"));
    EXPECT_TRUE(services.calls.empty());
    ASSERT_FALSE(window.notes.empty());
    EXPECT_NE(window.notes.back().find("b.csv"), std::string::npos);
    dir.write("b.csv", "t,x\n1,2\n");
    commands.Watch();
    EXPECT_EQ(s.Flist[1], dir.file("run02.csv"));
    ASSERT_GE(services.calls.size(), 2u);
    EXPECT_EQ(services.calls[1], "LoadData");
}

TEST_F(WatchStep, AShorterFileIsANewRunAndIsReloaded)
{
    Loaded({"a.csv"});
    std::filesystem::resize_file(dir.file("a.csv"), 3);
    commands.Watch();
    ASSERT_GE(services.calls.size(), 2u);
    EXPECT_EQ(services.calls[1], "LoadData");
    EXPECT_TRUE(window.notes.empty());
    EXPECT_TRUE(host.watchEnabled);
}

TEST_F(WatchStep, VanishedEmptiedOrUnreadableFilesKeepTheDataAndSaySo)
{
    const struct {
        const char* what;
        std::function<void(const std::string&)> harm;
        const char* said;
    } cases[] = {
        {"gone", [](const std::string& p) { std::filesystem::remove(p); }, "is gone"},
        {"emptied", [](const std::string& p) { std::filesystem::resize_file(p, 0); }, "is empty"},
        {"unreadable",
         [](const std::string& p) { std::filesystem::permissions(p, std::filesystem::perms::none); },
         "cannot be opened"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.what == std::string("unreadable") && ::geteuid() == 0)
            continue;  // nothing is unreadable to the superuser
        window.notes.clear();
        Loaded({"a.csv"});
        c.harm(dir.file("a.csv"));
        commands.Watch();
        commands.Watch();
        EXPECT_TRUE(services.calls.empty());
        EXPECT_TRUE(library.grown.empty());
        ASSERT_EQ(window.notes.size(), 2u);
        EXPECT_NE(window.notes[0].find("a.csv"), std::string::npos);
        EXPECT_NE(window.notes[0].find(c.said), std::string::npos);
        EXPECT_TRUE(host.watchEnabled);
        std::error_code ignored;
        std::filesystem::permissions(dir.file("a.csv"), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
}

TEST_F(WatchStep, AutoNextMovesOnToTheNextNumberedFiles)
{
    Loaded({"run01.csv"});
    dir.write("run02.csv", "t\n");
    dir.write("run04.csv", "t\n");
    s.iNext = -1;
    commands.Watch();
    EXPECT_EQ(s.Flist[1], dir.file("run04.csv"));
    ASSERT_GE(services.calls.size(), 2u);
    EXPECT_EQ(services.calls[1], "LoadData");
    services.calls.clear();
    commands.Watch();
    EXPECT_TRUE(services.calls.empty());
}

}  // namespace
}  // namespace zan
