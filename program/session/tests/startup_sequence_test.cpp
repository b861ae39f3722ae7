#include "session/startup.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace zan {
namespace {

// Records what start-up and shutdown ask for; files "exist" when listed.
class FakeServices : public StartupServices {
public:
    std::set<std::string> existing;
    std::string current = "/home/eng/runs/";
    std::string lastSettings;  // empty: no stored pointer
    std::vector<DataDialogResult> dialogAnswers;
    std::vector<std::string> dialogFolders;
    bool answerYes = true;
    std::vector<std::string> questions;
    std::vector<std::string> calls;
    std::vector<std::string> storedList;  // what IniFiles finds
    int storedWinState = -1;              // what IniStart reads, -1: leave
    int loadError = 0;
    bool failIniGrphs = false;
    ScreenArea screen;

    bool FileExists(const std::string& path) override { return existing.count(path) > 0; }
    std::string CurrentFolder() override { return current; }
    std::string ProgramFolder() override { return "/opt/zan/"; }
    std::string LastSettingsFile(const std::string& fallback) override
    {
        calls.push_back("registry");
        return lastSettings.empty() ? fallback : lastSettings;
    }
    DataDialogResult ShowDataDialog(const std::string&, const std::string& folder) override
    {
        calls.push_back("dialog");
        dialogFolders.push_back(folder);
        if (dialogAnswers.empty())
            return {};
        DataDialogResult answer = dialogAnswers.front();
        dialogAnswers.erase(dialogAnswers.begin());
        return answer;
    }
    bool AskYesNo(const std::string& title, const std::string& text) override
    {
        questions.push_back(title + "|" + text);
        return answerYes;
    }
    ScreenArea Screen() override { return screen; }

    void IniFiles(Session& s) override
    {
        calls.push_back("IniFiles " + s.Fpath + s.Finit);
        s.nFile = 0;
        for (const std::string& f : storedList) {
            s.Flist.resize(s.nFile + 1);
            s.Flist[++s.nFile] = f;
        }
    }
    void IniStart(Session& s) override
    {
        calls.push_back("IniStart");
        if (storedWinState >= 0)
            s.iWstt = storedWinState;
    }
    void LoadData(Session& s) override
    {
        calls.push_back("LoadData");
        s.lderr = loadError;
    }
    void IniGrphs(Session&) override
    {
        calls.push_back("IniGrphs");
        if (failIniGrphs)
            throw std::runtime_error("broken graphs");
    }
    void IniScale(Session&) override { calls.push_back("IniScale"); }
    void InitRanges(Session& s) override
    {
        calls.push_back("InitRanges");
        s.iZlvl = 3;
    }
    void IniWrite(Session& s) override { calls.push_back("IniWrite " + s.Fpath + s.Finit); }
    void ReleaseData() override { calls.push_back("dclos"); }
    void UnloadDialogs() override { calls.push_back("UnloadDialogs"); }
};

const std::vector<std::string> kLoadSteps = {"IniStart", "LoadData", "IniGrphs", "IniScale", "InitRanges"};

std::vector<std::string> Files(const Session& s)
{
    std::vector<std::string> files;
    for (int i = 1; i <= s.nFile; ++i)
        files.push_back(s.Flist[i]);
    return files;
}

TEST(FormLoad, QuotedFullPathAndBareNameLoadInOrderFromTheCurrentFolder)
{
    FakeServices fake;
    fake.existing = {"/data/my runs/a.bin", "/home/eng/runs/b.bin"};
    Session s;
    const LoadResult r = FormLoad(s, fake, "\"/data/my runs/a.bin\" b.bin");
    EXPECT_EQ(r.outcome, LoadOutcome::Loaded);
    EXPECT_EQ(Files(s), (std::vector<std::string>{"/data/my runs/a.bin", "/home/eng/runs/b.bin"}));
    // The last name decides the settings folder.
    EXPECT_EQ(s.Fpath, "/home/eng/runs/");
    EXPECT_EQ(s.Finit, "Zan.ini");
    EXPECT_EQ(s.iFclrCmd, 1);
    EXPECT_EQ(fake.calls, kLoadSteps);
    EXPECT_EQ(s.iZlvl, 1);
    EXPECT_EQ(s.mZlvl, 1);
}

TEST(FormLoad, DropsMissingNamesAndColoursOneFileByLine)
{
    FakeServices fake;
    fake.existing = {"/d/one.csv"};
    Session s;
    FormLoad(s, fake, "/d/missing.bin /d/one.csv ../d/gone.bin");
    EXPECT_EQ(Files(s), std::vector<std::string>{"/d/one.csv"});
    EXPECT_EQ(s.iFclrCmd, 0);
    // The folder of the last name counts, even when that name was dropped.
    EXPECT_EQ(s.Fpath, "/home/eng/d/");
}

TEST(FormLoad, WithoutNamesTakesTheStoredListOfTheLastSettingsFile)
{
    FakeServices fake;
    fake.lastSettings = "/runs/Zan2.ini";
    fake.storedList = {"/runs/a.bin"};
    Session s;
    FormLoad(s, fake, "");
    EXPECT_EQ(s.Fpath, "/runs/");
    EXPECT_EQ(s.Finit, "Zan2.ini");
    EXPECT_EQ(s.iFclrCmd, -1);
    std::vector<std::string> expected = {"registry", "IniFiles /runs/Zan2.ini"};
    expected.insert(expected.end(), kLoadSteps.begin(), kLoadSteps.end());
    EXPECT_EQ(fake.calls, expected);
}

TEST(FormLoad, WithNothingStoredAsksForFilesAndEndsWhenCancelled)
{
    FakeServices fake;
    Session s;
    const LoadResult r = FormLoad(s, fake, "");
    EXPECT_EQ(r.outcome, LoadOutcome::EndProgram);
    // The default pointer names "Zan.ini" beside the program.
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"registry", "IniFiles /opt/zan/Zan.ini", "dialog"}));
}

TEST(FormLoad, FilesChosenInTheDialogAreLoaded)
{
    FakeServices fake;
    DataDialogResult several;
    several.outcome = DataDialogResult::Chosen;
    several.folder = "/runs//x/";
    several.names = {"a.bin", " b.bin "};
    fake.dialogAnswers = {several};
    Session s;
    EXPECT_EQ(FormLoad(s, fake, "").outcome, LoadOutcome::Loaded);
    EXPECT_EQ(Files(s), (std::vector<std::string>{"/runs/x/a.bin", "/runs/x/b.bin"}));
    EXPECT_EQ(s.Files, "/runs/x/a.bin");
    EXPECT_EQ(s.Fpath, "/runs/x/");
    EXPECT_EQ(s.iFclrCmd, 1);
}

TEST(FormLoad, NineFilesLoadWithoutTheQuestionAndTenAsk)
{
    for (const int n : {9, 10}) {
        FakeServices fake;
        std::string names;
        for (int i = 1; i <= n; ++i) {
            const std::string name = "/d/f" + std::to_string(i) + ".bin";
            fake.existing.insert(name);
            names += name + " ";
        }
        Session s;
        EXPECT_EQ(FormLoad(s, fake, names).outcome, LoadOutcome::Loaded);
        EXPECT_EQ(fake.questions.size(), n == 10 ? 1u : 0u) << n;
        EXPECT_EQ(s.nFile, n);
    }
}

TEST(FormLoad, TwelveFilesAreLoadedOnlyAfterYes)
{
    std::string names;
    FakeServices base;
    for (int i = 1; i <= 12; ++i) {
        const std::string name = "/d/f" + std::to_string(i) + ".bin";
        base.existing.insert(name);
        names += name + " ";
    }
    {
        FakeServices fake = base;
        Session s;
        EXPECT_EQ(FormLoad(s, fake, names).outcome, LoadOutcome::Loaded);
        ASSERT_EQ(fake.questions.size(), 1u);
        EXPECT_EQ(fake.questions[0],
                  "Select:|Number of requested files is 12! Do you really want to load them ?");
        EXPECT_EQ(s.nFile, 12);
    }
    {
        FakeServices fake = base;
        fake.answerYes = false;
        DataDialogResult one;
        one.outcome = DataDialogResult::Chosen;
        one.names = {"/e/only.bin"};
        fake.dialogAnswers = {one};
        Session s;
        EXPECT_EQ(FormLoad(s, fake, names).outcome, LoadOutcome::Loaded);
        EXPECT_EQ(Files(s), std::vector<std::string>{"/e/only.bin"});
        EXPECT_EQ(s.Fpath, "/e/");
        EXPECT_EQ(s.iFclrCmd, 0);
    }
    {
        FakeServices fake = base;
        fake.answerYes = false;
        Session s;
        EXPECT_EQ(FormLoad(s, fake, names).outcome, LoadOutcome::EndProgram);
        EXPECT_EQ(fake.calls, std::vector<std::string>{"dialog"});
    }
}

TEST(FormLoad, InvalidNameInTheDialogAsksOnceMoreFromTheDefaultFolder)
{
    FakeServices fake;
    DataDialogResult invalid;
    invalid.outcome = DataDialogResult::InvalidName;
    DataDialogResult one;
    one.outcome = DataDialogResult::Chosen;
    one.names = {"/e/only.bin"};
    fake.dialogAnswers = {invalid, one};
    Session s;
    s.Fpath = "/runs/";
    ASSERT_TRUE(OpenFile(s, fake));
    EXPECT_EQ(fake.dialogFolders, (std::vector<std::string>{"/runs/", "/home/eng/runs/"}));
    EXPECT_EQ(s.Files, "/e/only.bin");
}

TEST(FormLoad, AFailingStepIsSkippedAndTheNextOneRuns)
{
    FakeServices fake;
    fake.existing = {"/d/a.bin"};
    fake.failIniGrphs = true;
    Session s;
    EXPECT_EQ(FormLoad(s, fake, "/d/a.bin").outcome, LoadOutcome::Loaded);
    EXPECT_EQ(fake.calls, kLoadSteps);
}

TEST(FormLoad, StoredMinimisedStateStartsNormal)
{
    FakeServices fake;
    fake.existing = {"/d/a.bin"};
    fake.storedWinState = kMinimisedState;
    Session s;
    const LoadResult r = FormLoad(s, fake, "/d/a.bin");
    EXPECT_EQ(s.iWstt, kNormalState);
    EXPECT_EQ(r.placement.state, kNormalState);
}

TEST(PlaceFrame, ClampsTopAndLeftIntoTheVirtualScreen)
{
    ScreenArea screen;  // 1920 x 1080 pixels at 15 twips per pixel
    struct Case {
        int top, left;
        double wantTop, wantLeft;
    };
    const Case cases[] = {
        {-50000, 0, 0, 0},
        {600, 900, 600, 900},
        {0, 10000000, 0, 0.9 * 1920 * 15},
        {10000000, -1, 0.9 * 1080 * 15, 0},
    };
    for (const Case& c : cases) {
        const FramePlacement p = PlaceFrame(kNormalState, c.top, c.left, screen);
        EXPECT_DOUBLE_EQ(p.top, c.wantTop) << c.top;
        EXPECT_DOUBLE_EQ(p.left, c.wantLeft) << c.left;
    }
    // A virtual screen whose left monitor lies at negative coordinates.
    ScreenArea wide{-1280, -200, 3200, 1280, 12, 12};
    const FramePlacement p = PlaceFrame(kMaximisedState, -50000, 1000000, wide);
    EXPECT_DOUBLE_EQ(p.top, -200 * 12);
    EXPECT_DOUBLE_EQ(p.left, -1280 * 12 + 0.9 * 3200 * 12);
    EXPECT_EQ(p.state, kMaximisedState);
}

TEST(KeepFrameSizeOnScreen, KeepsTheStoredSizeUsableAndOnTheScreen)
{
    const ScreenArea screen;  // 1920 x 1080 pixels at 15 twips per pixel
    const ScreenArea tiny{0, 0, 320, 200, 15, 15};
    struct Case {
        int width, height;
        ScreenArea screen;
        int wantWidth, wantHeight;
    };
    const Case cases[] = {
        {12000, 9000, screen, 12000, 9000},
        {-1000, -500, screen, 6000, 4500},
        {9999999, 9999999, screen, 1920 * 15, 1080 * 15},
        {12000, 9000, tiny, 320 * 15, 200 * 15},
    };
    for (const Case& c : cases) {
        Session s;
        s.iFwdt = c.width;
        s.iFhgt = c.height;
        KeepFrameSizeOnScreen(s, c.screen);
        EXPECT_EQ(s.iFwdt, c.wantWidth) << c.width;
        EXPECT_EQ(s.iFhgt, c.wantHeight) << c.height;
    }
}

TEST(FormUnload, WritesZanIniUnlessLeftByQuitOrAfterACancelledLoad)
{
    const std::vector<std::string> written = {"UnloadDialogs", "IniWrite /runs/Zan.ini", "dclos"};
    const std::vector<std::string> kept = {"UnloadDialogs", "dclos"};
    const struct {
        int quit, lderr;
        bool cancelled;
        std::vector<std::string> calls;
    } table[] = {
        {0, 0, false, written},
        {1, 0, false, kept},
        // A failed start-up still writes, keeping the stored layout; one the
        // user cancelled leaves the file as it was.
        {0, 1, false, written},
        {0, 1, true, kept},
        // Cancelled once, loaded later: the session is written again.
        {0, 0, true, written},
    };
    for (const auto& c : table) {
        FakeServices fake;
        Session s;
        s.Fpath = "/runs/";
        s.Finit = "Other.ini";
        s.iQuit = c.quit;
        s.lderr = c.lderr;
        s.bCancel = c.cancelled;
        FormUnload(s, fake);
        EXPECT_EQ(fake.calls, c.calls) << c.quit << " " << c.lderr << " " << c.cancelled;
    }
}

TEST(FolderOf, KeepsTheFolderWithOneTrailingSlash)
{
    EXPECT_EQ(FolderOf("a.bin"), "");
    EXPECT_EQ(FolderOf("/a.bin"), "/");
    EXPECT_EQ(FolderOf(" /x//y/a.bin "), "/x/y/");
    EXPECT_EQ(FolderOf("//server/share/a.bin"), "//server/share/");
}

} // namespace
} // namespace zan
