#include "session/load_data.h"

#include "session/tests/session_fakes.h"
#include "zan.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zan {
namespace {

using testing::FakeHost;
using testing::FakeLibrary;
using testing::TempFolder;
using Names = std::vector<std::string>;

class LoadData_ : public ::testing::Test {
protected:
    LoadData_() : host(dir.file("config")) {}

    // A file on disk and its contents in the scripted library.
    void AddFile(const std::string& name, Names names, int sizeKb = 1, std::string title = "Run") {
        const std::string path = dir.write(name, "data");
        FakeLibrary::File f;
        for (size_t i = 0; i < names.size(); ++i) f.ranges.push_back({-1.0 * (i + 1), 1.0 * (i + 1)});
        f.names = std::move(names);
        f.sizeKb = sizeKb;
        f.title = std::move(title);
        library.files[path] = f;
        s.Flist.push_back(path);
        s.nFile = s.Flist.size();
    }

    TempFolder dir;
    FakeHost host;
    FakeLibrary library;
    Session s;
};

TEST_F(LoadData_, FilesWithTheSameNamesShareVersionOne) {
    AddFile("a.bin", {"Time", "Alt", "Vel"});
    AddFile("b.bin", {"Time  ", "Alt", "Vel"}, 1, "Second run   ");
    ASSERT_TRUE(LoadData(s, host, library));
    EXPECT_EQ(s.lderr, 0);
    EXPECT_EQ(s.nVar, 3);
    EXPECT_EQ(s.FileTab[1].iCrc, s.FileTab[2].iCrc);
    EXPECT_EQ(s.FileTab[1].iVer, 1);
    EXPECT_EQ(s.FileTab[2].iVer, 1);
    EXPECT_EQ(s.FileTab[1].nPar, 3);
    EXPECT_EQ(s.FileTab[1].size, 4);
    EXPECT_FALSE(s.FileTab[1].modified.empty());
    EXPECT_EQ(s.ScrTitle, "Second run");
    EXPECT_EQ(s.CrcAll, s.FileTab[1].iCrc);
    EXPECT_EQ(GetLines(s, 2), "Alt");
    EXPECT_EQ(GetLines(s, 4), "");
    EXPECT_EQ(GetFiles(s, 2), "b.bin");
    EXPECT_EQ(host.progress, (Names{"1 of 2", "2 of 2", "Sorting.."}));
    EXPECT_FALSE(host.progressShown);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(LoadData_, AnExtraVariableAtTheEndAddsVersionTwo) {
    AddFile("a.bin", {"Time", "Alt", "Vel"});
    AddFile("b.bin", {"Time", "Alt", "Vel", "Mach"});
    ASSERT_TRUE(LoadData(s, host, library));
    EXPECT_EQ(s.nVar, 4);
    EXPECT_EQ(s.FileTab[2].iVer, 2);
    EXPECT_EQ(GetLines(s, 4), "Mach");
    EXPECT_EQ(GetParam(s, 1, 4), 0);
    EXPECT_EQ(GetParam(s, 2, 4), 4);
    EXPECT_EQ(GetParam(s, 1, 3), 3);
    EXPECT_EQ(GetParam(s, 3, 1), 0);
}

TEST_F(LoadData_, TwentyFirstVersionStopsTheLoad) {
    for (MsgResult answer : {MsgResult::Yes, MsgResult::No}) {
        Session fresh;
        s = fresh;
        library.files.clear();
        for (int i = 1; i <= 21; ++i) AddFile("v" + std::to_string(i) + ".bin", {"Time", "X" + std::to_string(i)});
        host.messages.clear();
        host.ended = false;
        host.answer = answer;
        EXPECT_FALSE(LoadData(s, host, library));
        EXPECT_EQ(s.lderr, 1);
        ASSERT_EQ(host.messages.size(), 2u);
        EXPECT_EQ(host.messages[0].text, "Different file versions exceeds 20!");
        EXPECT_EQ(host.messages[1].text, "Do you want to continue ?");
        EXPECT_EQ(host.messages[1].title, "Error in openning input file.");
        EXPECT_EQ(host.messages[1].buttons, MsgButtons::YesNo);
        EXPECT_EQ(host.messages[1].icon, MsgIcon::Critical);
        EXPECT_EQ(host.ended, answer == MsgResult::No);
        EXPECT_EQ(library.steps.size(), 21u);
        EXPECT_TRUE(library.opened.empty());
        library.steps.clear();
    }
}

TEST_F(LoadData_, NamesWithEqualKeysStillMakeTwoVersions) {
    AddFile("a.bin", {"Time", "X9"});
    AddFile("b.bin", {"Time", "X10"});
    ASSERT_TRUE(LoadData(s, host, library));
    EXPECT_EQ(s.FileTab[1].iCrc, s.FileTab[2].iCrc);
    EXPECT_EQ(s.FileTab[2].iVer, 2);
    ASSERT_EQ(s.nVar, 3);
    EXPECT_EQ(GetLines(s, 2), "X10");
    EXPECT_EQ(GetParam(s, 1, 2), 0);
    EXPECT_EQ(GetParam(s, 2, 3), 0);
    EXPECT_EQ(GetParam(s, 1, 3), 2);
}

TEST_F(LoadData_, DecimationStepFollowsTheTotalSize) {
    struct Case {
        int files;
        int sizeKb;
        int step;
    };
    const Case cases[] = {
        {3, 614400, 2},  // 1 843 200 units: one halving brings it under 1 024 000
        {1, 614400 * 3, 1},  // a single file is never decimated here
        {2, 512000, 1},
        {2, 512001, 2},
        {4, 1024000, 4},
        {2, 1024000, 2},  // exactly 1 024 000 per step is not above it
        {3, 682667, 4},   // 2 048 001 units: 1 024 000.5 per step is above it
    };
    for (const Case& c : cases) {
        s = Session();
        library.files.clear();
        library.steps.clear();
        for (int i = 0; i < c.files; ++i) AddFile("f" + std::to_string(i) + ".bin", {"Time"}, c.sizeKb);
        host.progressShown = false;
        ASSERT_TRUE(LoadData(s, host, library));
        EXPECT_EQ(s.iSkip, c.step) << c.files << " x " << c.sizeKb;
        EXPECT_EQ(library.steps.front(), c.step);
        EXPECT_EQ(host.decimated, c.step != 1);
    }
}

// A library whose loads of files named "slow" run until they are stopped.
class SlowLibrary : public FakeLibrary {
public:
    OpenResult Open(int file, const std::string& path, int& step) override {
        if (path.find("slow") == std::string::npos) return FakeLibrary::Open(file, path, step);
        std::unique_lock lock(mutex_);
        stopped_.wait_for(lock, std::chrono::seconds(20), [this] { return stop_; });
        OpenResult r;
        r.status = 500;
        return r;
    }
    int Progress() override { return 37; }
    void Stop() override {
        std::lock_guard lock(mutex_);
        stop_ = true;
        stops++;
        stopped_.notify_all();
    }
    int stops = 0;

private:
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stop_ = false;
};

TEST_F(LoadData_, SlowLoadShowsItsProgressAndCancelLeavesNothingLoaded) {
    // The message says what the user sees next: nothing, or the files shown
    // before the Open or Append that was cancelled. While it is shown, the
    // load is still under way for the commands its events may run.
    for (const bool restores : {false, true}) {
        SCOPED_TRACE(restores ? "files shown before come back" : "nothing comes back");
        s = Session{};
        host.messages.clear();
        host.loadProgress.clear();
        SlowLibrary slow;
        for (const char* name : {"a.bin", "slow.csv", "c.bin"}) {
            AddFile(name, {"Time"});
            slow.files[s.Flist[s.nFile]] = library.files[s.Flist[s.nFile]];
        }
        host.cancelAt = 2;
        bool loadingAtMessage = false;
        host.onMessage = [&] { loadingAtMessage = s.bLoading; };
        s.bCancelRestores = restores;
        EXPECT_FALSE(LoadData(s, host, slow));
        EXPECT_EQ(host.loadProgress, (std::vector<std::string>{"slow.csv 37", "slow.csv 37"}));
        EXPECT_EQ(slow.stops, 1);
        EXPECT_EQ(slow.opened, std::vector<std::string>{});  // closed again
        EXPECT_EQ(s.lderr, 1);
        EXPECT_FALSE(host.progressShown);
        EXPECT_FALSE(host.ended);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, restores
                                             ? "Loading of slow.csv was cancelled: the files shown before are loaded again."
                                             : "Loading of slow.csv was cancelled: no data are loaded.");
        EXPECT_TRUE(loadingAtMessage);
        EXPECT_FALSE(s.bLoading);
    }
}

TEST_F(LoadData_, QuickLoadsShowNoLoadProgress) {
    AddFile("a.bin", {"Time"});
    ASSERT_TRUE(LoadData(s, host, library));
    EXPECT_TRUE(host.loadProgress.empty());
}

TEST_F(LoadData_, ProgressIsShownForLargeLoadsUnlessBusy) {
    AddFile("big.bin", {"Time"}, 20000);
    bool shown = false;
    struct Watching : FakeHost {
        using FakeHost::FakeHost;
        bool* seen = nullptr;
        void ShowProgress() override { *seen = true; }
    } watching(dir.file("config"));
    watching.seen = &shown;
    ASSERT_TRUE(LoadData(s, watching, library));
    EXPECT_TRUE(shown);
    shown = false;
    s.bBusy = true;
    ASSERT_TRUE(LoadData(s, watching, library));
    EXPECT_FALSE(shown);
}

TEST_F(LoadData_, VanishedFileGoesThroughTheErrorPath) {
    AddFile("a.bin", {"Time"});
    AddFile("b.bin", {"Time"});
    std::filesystem::remove(s.Flist[2]);
    host.answer = MsgResult::No;
    EXPECT_FALSE(LoadData(s, host, library));
    EXPECT_EQ(s.lderr, 1);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "Error # 53 File not found");
    EXPECT_EQ(host.messages[1].text, "Do you want to continue ?");
    EXPECT_TRUE(host.ended);
    EXPECT_TRUE(library.opened.empty());
}

TEST_F(LoadData_, FileWithMoreThan5000VariablesGoesThroughTheErrorPath) {
    Names many(5001, "v");
    AddFile("wide.bin", many);
    EXPECT_FALSE(LoadData(s, host, library));
    EXPECT_EQ(s.lderr, 1);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text.rfind("Error # 9 ", 0), 0u);
    EXPECT_FALSE(host.ended);
}

TEST_F(LoadData_, UnreadableFileAddsAnEmptyVersion) {
    AddFile("a.bin", {"Time", "A"});
    AddFile("b.bin", {"Time", "A"});
    library.files.erase(s.Flist[1]);  // on disk, but the library cannot read it
    ASSERT_TRUE(LoadData(s, host, library));
    EXPECT_EQ(s.FileTab[1].nPar, 0);
    EXPECT_EQ(s.FileTab[1].iVer, 1);
    EXPECT_EQ(s.FileTab[2].iVer, 2);
    EXPECT_EQ(s.nVar, 2);
    EXPECT_EQ(GetParam(s, 1, 1), 0);
}

TEST_F(LoadData_, FilesThatGiveNoDataAreNamedWithTheReasonOnce) {
    AddFile("a.bin", {"Time", "A"});
    AddFile("b.dat", {});
    library.files[s.Flist[2]].status = ZAN_STATUS_NO_MARKER;
    AddFile("c\x01.bin", {"Time", "A"});
    ASSERT_TRUE(LoadData(s, host, library));
    EXPECT_EQ(s.lderr, 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "These files could not be loaded:\n"
              "b.dat: not a data file (the record layout begins with \" ## \")\n"
              "c?.bin: the name holds a control character");
    // The name with a control character is not handed over, where it would
    // travel with a blank and could name another file.
    ASSERT_EQ(library.opened.size(), 3u);
    EXPECT_EQ(library.opened[2], "");
    EXPECT_EQ(s.FileTab[1].note, "");

    host.messages.clear();
    s.Flist.resize(1);
    s.nFile = 1;
    ASSERT_TRUE(LoadData(s, host, library));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(LoadData_, RangesCoverEveryFileHoldingTheVariable) {
    AddFile("a.bin", {"Time", "A"});
    AddFile("b.bin", {"Time", "B", "A"});
    library.files[s.Flist[2]].ranges = {{0, 50}, {-7, 7}, {-1, 9}};
    ASSERT_TRUE(LoadData(s, host, library));
    ASSERT_EQ(s.nVar, 3);
    s.iZlvl = 5;
    s.mZlvl = 7;
    ASSERT_EQ(GetLines(s, 3), "A");  // B of the second version goes before A
    s.VarTab[3].Lfix[1] = 1;
    s.VarTab[3].Vlo[1] = 100;
    s.VarTab[3].Vhi[1] = 200;
    InitRanges(s, host, library);
    EXPECT_EQ(s.iZlvl, 1);
    EXPECT_EQ(s.mZlvl, 1);
    struct Expect {
        const char* name;
        double lo, hi;
    };
    for (const Expect& e : {Expect{"Time", -1, 50}, Expect{"A", 100, 200}, Expect{"B", -7, 7}}) {
        int k = 1;
        while (GetLines(s, k) != e.name) ++k;
        const VarRecord& v = s.VarTab[k];
        EXPECT_EQ(v.Vlo[1], e.lo) << e.name;
        EXPECT_EQ(v.Vhi[1], e.hi) << e.name;
        EXPECT_EQ(v.Alo[1], e.lo) << e.name;
        EXPECT_EQ(v.Rhi[1], e.hi) << e.name;
        EXPECT_EQ(v.Anum[1], 4) << e.name;
        EXPECT_DOUBLE_EQ(GetDelta(s, k), e.hi - e.lo) << e.name;
    }
    EXPECT_EQ(GetDelta(s, 4), 0);
}

}  // namespace
}  // namespace zan
