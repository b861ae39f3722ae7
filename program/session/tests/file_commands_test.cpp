#include "platform/fakes.h"
#include "session/file_commands.h"
#include "session/numbered_names.h"
#include "session/tests/command_fakes.h"
#include "session/tests/session_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zan {
namespace {

using testing::FakeHost;
using testing::FakeLibrary;
using testing::RecordingServices;
using testing::RecordingWindow;
using testing::TempFolder;
using Calls = std::vector<std::string>;

TEST(NumberedNames, MoveTheTrailingNumberAndKeepItsWidth)
{
    const struct {
        std::string name;
        int delta;
        std::string expected;
    } table[] = {
        {"/runs/run0009.bin", 1, "/runs/run0010.bin"},
        {"/runs/run99.bin", 1, "/runs/run00.bin"},
        {"/runs/run0001.bin", -1, "/runs/run0000.bin"},
        {"/runs/run0007.bin", 3, "/runs/run0010.bin"},
        {"/runs/run0000.bin", -1, ""},
        {"/runs/run32767.csv", 1, ""},
        {"/runs/out.bin", 1, "/runs/out.bin"},
        {"/runs/run7", 1, "/runs/run7"},
        {"/runs.v1/run7", 1, "/runs.v1/run7"},
        {"/runs.v1/run7.dat", 2, "/runs.v1/run9.dat"},
        {"/r/7.csv", 1, "/r/8.csv"},
        // Only the last 20 characters of the base name count.
        {"/r/1" + std::string(20, '0') + ".bin", 5, "/r/1" + std::string(19, '0') + "5.bin"},
    };
    for (const auto& c : table)
        EXPECT_EQ(NextFile(c.name, c.delta), c.expected) << c.name << " " << c.delta;
}

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() : host(dir.folder()), commands(s, services, host, library, window, dialog)
    {
        window.calls = &services.calls;
        s.Fpath = dir.folder();
    }

    // A loaded session of the given files.
    void Loaded(const std::vector<std::string>& names)
    {
        s.nFile = static_cast<int>(names.size());
        s.Flist.assign(s.nFile);
        for (int i = 1; i <= s.nFile; ++i)
            s.Flist[i] = dir.write(names[static_cast<size_t>(i - 1)], "data");
        s.Files = s.Flist[1];
        services.LoadData(s);
        services.calls.clear();
    }

    TempFolder dir;
    Session s;
    RecordingServices services;
    FakeHost host;
    FakeLibrary library;
    RecordingWindow window;
    FakeFileDialog dialog;
    FileCommands commands;
};

TEST_F(FileCommandsTest, OpenSavesFirstAndLoadsTheChosenFilesWithTheirSettings)
{
    commands.Open();
    EXPECT_EQ(services.calls, (Calls{"IniWrite Zan.ini", "dialog  in " + dir.folder()}));

    services.calls.clear();
    const std::string chosen = dir.write("b.csv", "t\n1\n");
    services.dialogAnswers.push_back({DataDialogResult::Chosen, "", {chosen}});
    commands.Open();
    EXPECT_EQ(services.calls, (Calls{"IniWrite Zan.ini", "dialog  in " + dir.folder(), "dclos", "IniStart",
                                     "LoadData", "IniGrphs", "IniScale", "InitRanges", "ShowBoxes", "ButnStat",
                                     "FormResize"}));
    EXPECT_EQ(s.nFile, 1);
    EXPECT_EQ(s.Flist[1], chosen);
}

TEST_F(FileCommandsTest, CancelledOpenOrAppendLoadsTheFilesShownBefore)
{
    for (const bool append : {false, true}) {
        SCOPED_TRACE(append ? "append" : "open");
        Loaded({"a.csv"});
        const std::string shown = s.Flist[1];
        const std::string chosen = dir.write("big.csv", "t\n1\n");
        services.dialogAnswers.push_back({DataDialogResult::Chosen, "", {chosen}});
        services.cancelLoads = 1;
        if (append)
            commands.Append();
        else
            commands.Open();
        EXPECT_EQ(std::count(services.calls.begin(), services.calls.end(), "LoadData"), 2);
        EXPECT_EQ(s.lderr, 0);
        ASSERT_EQ(s.nFile, 1);
        EXPECT_EQ(s.Flist[1], shown);
        EXPECT_EQ(s.Files, shown);
        services.calls.clear();
    }
}

TEST_F(FileCommandsTest, AppendAddsToTheListAndKeepsTheSettingsFolder)
{
    Loaded({"a.csv"});
    const std::string other = dir.write("sub/b.csv", "x");
    services.dialogAnswers.push_back({DataDialogResult::Chosen, "", {s.Flist[1]}});
    services.dialogAnswers.push_back({DataDialogResult::Chosen, dir.folder() + "sub", {"b.csv", "b.csv"}});
    services.dialogAnswers.push_back({DataDialogResult::InvalidName, "", {}});
    commands.Append();
    commands.Append();
    commands.Append();
    ASSERT_EQ(s.nFile, 4);
    EXPECT_EQ(s.Flist[2], s.Flist[1]);  // the same file twice is listed twice
    EXPECT_EQ(s.Flist[3], dir.file("sub/b.csv"));
    EXPECT_EQ(s.Flist[4], dir.file("sub/b.csv"));
    EXPECT_EQ(s.Files, s.Flist[1]);
    EXPECT_EQ(s.iFclrCmd, 1);
    EXPECT_EQ(s.Fpath, dir.folder());
    // The dialog starts where the last files were appended from.
    EXPECT_EQ(services.calls[1], "dialog a.csv in " + dir.folder());
    EXPECT_NE(std::find(services.calls.begin(), services.calls.end(), "dialog a.csv in " + dir.folder() + "sub/"),
              services.calls.end());
    EXPECT_EQ(other, dir.file("sub/b.csv"));
}

TEST_F(FileCommandsTest, ReloadRebuildsTheGraphsOnlyForANewSetOfVariables)
{
    Loaded({"a.csv"});
    s.CrcAll = 7;
    commands.Reload();
    EXPECT_EQ(services.calls,
              (Calls{"IniWrite Zan.ini", "LoadData", "IniScale", "InitRanges", "PictDraw", "ButnStat"}));
    EXPECT_TRUE(services.busyDuringLoad);
    EXPECT_FALSE(s.bBusy);
    services.calls.clear();
    services.crcAfterLoad = 8;
    commands.Reload();
    EXPECT_EQ(services.calls, (Calls{"IniWrite Zan.ini", "LoadData", "IniGrphs", "IniScale", "InitRanges",
                                     "PictDraw", "ButnStat"}));
}

TEST_F(FileCommandsTest, BusyKeepsReloadRezoomWatchAndLoadsOut)
{
    // A reload, rezoom or watch step under way, or a load still showing its
    // messages (a watch tick there once loaded a file whose load the user
    // had just cancelled).
    for (bool Session::*busy : {&Session::bBusy, &Session::bLoading}) {
        Loaded({"a.csv"});
        s.iAuto = -1;
        s.*busy = true;
        dir.write("a.csv", "data grown");
        commands.Reload();
        commands.Rezoom();
        commands.Watch();
        commands.Open();
        commands.Append();
        commands.LoadIni();
        commands.StepFiles(1);
        EXPECT_EQ(services.calls, (Calls{"ButnStat"}));
        EXPECT_TRUE(s.*busy);
        s.*busy = false;
    }
}

TEST_F(FileCommandsTest, OnlyACancelledOpenOrAppendSaysTheFilesShownBeforeComeBack)
{
    std::vector<bool> restoring;
    struct Recording : RecordingServices {
        std::vector<bool>* restoring = nullptr;
        void LoadData(Session& s) override
        {
            restoring->push_back(s.bCancelRestores);
            RecordingServices::LoadData(s);
        }
    } recording;
    recording.restoring = &restoring;
    FileCommands cmds(s, recording, host, library, window, dialog);
    window.calls = &recording.calls;
    Loaded({"a.csv"});
    recording.dialogAnswers.push_back({DataDialogResult::Chosen, "", {dir.write("b.csv", "t\n1\n")}});
    recording.cancelLoads = 1;
    cmds.Open();   // cancelled, then the files shown before again
    cmds.Reload();
    EXPECT_EQ(restoring, (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(s.bCancelRestores);
}

TEST_F(FileCommandsTest, RezoomDropsHandSetRangesAndReturnsToTheDataRange)
{
    Loaded({"a.csv"});
    s.nVar = 2;
    s.VarTab.assign(2);
    s.VarTab[2].Lfix[1] = 1;
    s.iZlvl = 3;
    commands.Rezoom();
    EXPECT_EQ(s.VarTab[2].Lfix[1], 0);
    EXPECT_EQ(s.iZlvl, 1);
    EXPECT_EQ(services.calls, (Calls{"IniWrite Zan.ini", "IniScale", "InitRanges", "PictDraw", "ButnStat"}));
}

TEST_F(FileCommandsTest, SettingsDialogFiltersRetriesAndTakesTheChosenFile)
{
    dialog.rejectName();
    dialog.choose("/proj/runs/Zan7.ini");
    s.Finit = "Zan3.ini";
    ASSERT_TRUE(OpenInit(s, dialog, "/opt/zan/"));
    ASSERT_EQ(dialog.requests.size(), 2u);
    EXPECT_EQ(dialog.requests[0].filter, "Zan (Zan*.ini)|Zan*.ini");
    EXPECT_EQ(dialog.requests[0].fileName, "Zan3.ini");
    EXPECT_EQ(dialog.requests[0].initialFolder, dir.folder());
    EXPECT_EQ(dialog.requests[0].defaultExtension, "ini");
    EXPECT_TRUE(dialog.requests[0].mustExist);
    EXPECT_EQ(dialog.requests[1].fileName, "Zan.ini");
    EXPECT_EQ(dialog.requests[1].initialFolder, "/opt/zan/");
    EXPECT_EQ(s.Fpath, "/proj/runs/");
    EXPECT_EQ(s.Finit, "Zan7.ini");
    EXPECT_FALSE(SaveInit(s, dialog, "/opt/zan/"));
    EXPECT_EQ(s.Finit, "Zan7.ini");
}

TEST_F(FileCommandsTest, SaveIniCancelledStillWritesTheCurrentSettingsFile)
{
    s.Finit = "Zan2.ini";
    commands.SaveIni();
    dialog.choose(dir.file("Zan9.ini"));
    commands.SaveIni();
    EXPECT_EQ(services.calls, (Calls{"IniWrite Zan2.ini", "IniWrite Zan9.ini"}));
}

TEST_F(FileCommandsTest, LoadIniLoadsTheStoredFilesOfTheChosenSettings)
{
    Loaded({"a.csv"});
    services.storedList = {dir.write("c.csv", "x")};
    dialog.choose(dir.file("Zan5.ini"));
    commands.LoadIni();
    EXPECT_EQ(services.calls, (Calls{"IniWrite Zan.ini", "IniFiles", "dclos", "IniStart", "LoadData", "IniGrphs",
                                     "IniScale", "InitRanges", "ShowBoxes", "ButnStat", "FormResize"}));
    EXPECT_EQ(s.Finit, "Zan5.ini");
    EXPECT_EQ(s.Flist[1], dir.file("c.csv"));
}

TEST_F(FileCommandsTest, LoadIniWithMissingDataFilesKeepsTheDataShownAndSaysWhich)
{
    Loaded({"a.csv"});
    services.storedList = {dir.write("c.csv", "x"), dir.file("gone.csv")};
    dialog.choose(dir.file("Zan5.ini"));
    commands.LoadIni();
    EXPECT_EQ(services.calls, (Calls{"IniWrite Zan.ini", "IniFiles"}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find(dir.file("gone.csv")), std::string::npos);
    EXPECT_EQ(s.nFile, 1);
    EXPECT_EQ(s.Flist[1], dir.file("a.csv"));
    EXPECT_EQ(s.Finit, "Zan.ini");
    // Cancelled: nothing but the save.
    services.calls.clear();
    commands.LoadIni();
    EXPECT_EQ(services.calls, (Calls{"IniWrite Zan.ini"}));
}

TEST_F(FileCommandsTest, AutoLoadRunsTheWatchTimerAtTheIntervalOfTheLastWindow)
{
    const struct {
        int iLast;
        int interval;
    } table[] = {{0, 550}, {2, 550}, {3, 660}, {7, 1540}};
    for (const auto& c : table) {
        s.iLast = c.iLast;
        commands.ToggleAutoLoad();
        EXPECT_EQ(s.iAuto, -1);
        EXPECT_TRUE(host.watchEnabled);
        EXPECT_EQ(host.watchInterval, c.interval);
        commands.ToggleAutoLoad();
        EXPECT_EQ(s.iAuto, 0);
        EXPECT_FALSE(host.watchEnabled);
    }
    commands.ToggleAutoNext();
    EXPECT_EQ(s.iNext, -1);
    commands.ToggleAutoNext();
    EXPECT_EQ(s.iNext, 0);
}

TEST_F(FileCommandsTest, NextFileSkipsMissingNumbersAndReloads)
{
    Loaded({"run0007.bin", "other.csv"});
    dir.write("run0010.bin", "x");
    s.iNext = -1;
    commands.StepFiles(+1);
    EXPECT_EQ(s.iNext, 0);
    EXPECT_EQ(s.Flist[1], dir.file("run0010.bin"));
    EXPECT_EQ(s.Flist[2], dir.file("other.csv"));
    EXPECT_EQ(services.calls, (Calls{"ButnStat", "IniWrite Zan.ini", "LoadData", "IniScale", "InitRanges",
                                     "PictDraw", "ButnStat"}));
    EXPECT_TRUE(host.watchEnabled);
    ASSERT_EQ(window.notes.size(), 1u);
    EXPECT_NE(window.notes[0].find("other.csv"), std::string::npos);
}

TEST_F(FileCommandsTest, NextFileGivesUpAfterAHundredNumbers)
{
    Loaded({"run0007.bin"});
    dir.write("run0108.bin", "x");
    commands.StepFiles(+1);
    EXPECT_EQ(s.Flist[1], dir.file("run0007.bin"));
    EXPECT_EQ(services.calls, (Calls{"ButnStat"}));
    dir.write("run0107.bin", "x");
    commands.StepFiles(+1);
    EXPECT_EQ(s.Flist[1], dir.file("run0107.bin"));
}

TEST_F(FileCommandsTest, PrevFileLooksForTheNumberBelowFirst)
{
    Loaded({"run0001.bin"});
    dir.write("run0000.bin", "x");
    dir.write("run0002.bin", "x");
    commands.StepFiles(-1);
    EXPECT_EQ(s.Flist[1], dir.file("run0000.bin"));
    commands.StepFiles(-1);
    EXPECT_EQ(s.Flist[1], dir.file("run0000.bin"));
}

}  // namespace
}  // namespace zan
