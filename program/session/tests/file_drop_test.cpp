// Files dropped onto the window: sorting the drop, and opening it through
// the real loading of the demo run.
#include "session/file_drop.h"

#include "platform/fakes.h"
#include "session/data_library.h"
#include "session/startup_services.h"
#include "session/tests/session_fakes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace zan {
namespace {

using testing::FakeHost;
using testing::TempFolder;

struct SortCase {
    const char* what;
    std::vector<std::string> names;   // in the temporary folder; "sub" is a folder there
    int dataFiles;
    bool settings;
    const char* error;                // part of the message, or nullptr when accepted
};

TEST(DroppedFiles, SortIntoDataFilesAndOneSettingsFileOrRefuseTheWholeDrop)
{
    TempFolder dir;
    for (const char* name : {"a.bin", "b.CSV", "c.dat", "Zan.ini", "ZAN_wide.INI", "notes.txt", "other.ini", "noext"})
        dir.write(name, "x");
    std::filesystem::create_directory(dir.file("sub"));
    std::vector<std::string> many;
    for (int i = 0; i <= kMaxDroppedFiles; ++i)
        many.push_back("a.bin");
    const std::vector<SortCase> cases = {
        {"data files of every kind", {"a.bin", "b.CSV", "c.dat"}, 3, false, nullptr},
        {"data files and a settings file", {"a.bin", "ZAN_wide.INI", "c.dat"}, 2, true, nullptr},
        {"a settings file alone", {"Zan.ini"}, 0, true, nullptr},
        {"a folder among them", {"a.bin", "sub"}, 0, false, "is a folder"},
        {"a text file", {"a.bin", "notes.txt"}, 0, false, "is not a data file"},
        {"an ini file of another name", {"other.ini"}, 0, false, "is not a data file"},
        {"a name without extension", {"noext"}, 0, false, "is not a data file"},
        {"a missing file", {"a.bin", "gone.bin"}, 0, false, "cannot be found"},
        {"two settings files", {"Zan.ini", "a.bin", "ZAN_wide.INI"}, 0, false, "Two settings files"},
        {"more files than can be opened at once", many, 0, false, "101 files were dropped; at most 100"},
        {"nothing", {}, 0, false, "Nothing was dropped"},
    };
    for (const SortCase& c : cases) {
        std::vector<std::string> paths;
        for (const std::string& name : c.names)
            paths.push_back(dir.file(name));
        const DroppedFiles drop = SortDroppedFiles(paths);
        if (c.error) {
            EXPECT_NE(drop.error.find(c.error), std::string::npos) << c.what << ": " << drop.error;
            EXPECT_TRUE(drop.dataFiles.empty() && drop.settingsFile.empty()) << c.what;
            continue;
        }
        EXPECT_EQ(drop.error, "") << c.what;
        EXPECT_EQ(static_cast<int>(drop.dataFiles.size()), c.dataFiles) << c.what;
        EXPECT_EQ(!drop.settingsFile.empty(), c.settings) << c.what;
    }
    // The culprit is named in the message.
    EXPECT_NE(SortDroppedFiles({dir.file("notes.txt")}).error.find(dir.file("notes.txt")), std::string::npos);
}

// The demo run in one folder and a settings folder of the test; the session
// starts with flight.bin loaded through a drop.
class DropOnDemoRun : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        data = new TempFolder;
        const std::string command = std::string(ZAN_EXAMPLES_BIN) + " " + data->str() + " > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    static void TearDownTestSuite()
    {
        delete data;
        data = nullptr;
    }
    DropOnDemoRun() : host(config.str()), services(host, TheLibrary(), dialog, messages, screen)
    {
        std::filesystem::remove(data->file("Zan.ini"));
    }
    void SetUp() override
    {
        ASSERT_TRUE(OpenDroppedFiles(s, services, messages, {data->file("flight.bin")}));
        ASSERT_EQ(s.lderr, 0);
    }
    ~DropOnDemoRun() override { TheLibrary().Close(); }

    static TempFolder* data;
    TempFolder config;
    FakeHost host;
    FakeFileDialog dialog;
    FakeMessageBox messages;
    FakeScreenMetrics screen;
    ProgramServices services;
    Session s;
};

TempFolder* DropOnDemoRun::data = nullptr;

TEST_F(DropOnDemoRun, DataFilesReplaceTheLoadedOnesAfterTheSessionIsSaved)
{
    ASSERT_TRUE(OpenDroppedFiles(s, services, messages, {data->file("flight.csv"), data->file("flight2.csv")}));
    EXPECT_EQ(s.lderr, 0);
    ASSERT_EQ(s.nFile, 2);
    EXPECT_EQ(s.Flist[1], data->file("flight.csv"));
    EXPECT_EQ(s.Flist[2], data->file("flight2.csv"));
    EXPECT_EQ(s.Fpath, data->folder());
    EXPECT_EQ(s.Finit, "Zan.ini");
    EXPECT_EQ(s.iFclr, 1);  // several files chosen at once: coloured by file
    EXPECT_EQ(s.nVar, 22);
    EXPECT_GT(s.nGrph, 0);
    // The session of flight.bin was written before the new files came in.
    const std::string saved = data->read("Zan.ini");
    EXPECT_NE(saved.find("flight.bin"), std::string::npos);
    EXPECT_EQ(saved.find("flight2.csv"), std::string::npos);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DropOnDemoRun, DroppedSettingsFileGivesTheLayoutOfTheDroppedDataFiles)
{
    TempFolder other;
    const std::string ini = other.write("Zan_wide.ini", "[Startup]\nRows= 4\nColumns= 1\nMark= 3\n");
    ASSERT_TRUE(OpenDroppedFiles(s, services, messages, {data->file("flight.csv"), ini}));
    EXPECT_EQ(s.nFile, 1);
    EXPECT_EQ(s.Flist[1], data->file("flight.csv"));
    EXPECT_EQ(s.nCols, 4);
    EXPECT_EQ(s.nRows, 1);
    EXPECT_EQ(s.iMark, 3);
    // Closing the window later writes beside the settings file that was used.
    EXPECT_EQ(s.Fpath, other.folder());
    EXPECT_EQ(s.Finit, "Zan_wide.ini");
}

TEST_F(DropOnDemoRun, SettingsFileAloneLoadsItsOwnFileList)
{
    TempFolder other;
    const std::string ini = other.write("Zan.ini", "[Startup]\nFiles= 2\n[Files]\nFile 1= " + data->file("flight.dat") +
                                                       "\nFile 2= " + data->file("flight2.csv") + "\n");
    ASSERT_TRUE(OpenDroppedFiles(s, services, messages, {ini}));
    EXPECT_EQ(s.lderr, 0);
    ASSERT_EQ(s.nFile, 2);
    EXPECT_EQ(s.Flist[1], data->file("flight.dat"));
    EXPECT_EQ(s.Flist[2], data->file("flight2.csv"));
    EXPECT_EQ(s.nVar, 22);
}

TEST_F(DropOnDemoRun, RefusedDropsLeaveTheLoadedDataAsTheyWere)
{
    TempFolder other;
    const std::string emptyList = other.write("Zan.ini", "[Startup]\nFiles= 1\n[Files]\nFile 1= gone.bin\n");
    const std::string notes = other.write("notes.txt", "x");
    const std::vector<std::vector<std::string>> drops = {
        {data->file("flight.csv"), other.str()},
        {data->file("flight.csv"), notes},
        {emptyList},
    };
    for (const auto& drop : drops) {
        messages.shown.clear();
        EXPECT_FALSE(OpenDroppedFiles(s, services, messages, drop));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(s.nFile, 1);
        EXPECT_EQ(s.Flist[1], data->file("flight.bin"));
        EXPECT_EQ(s.nVar, 21);
        double upper = 0, lower = 0, magnitude = 0;
        TheLibrary().Range(1, 1, upper, lower, magnitude);
        EXPECT_NEAR(upper, 450.0, 1e-3);  // time of flight.bin still loaded
    }
    EXPECT_FALSE(std::filesystem::exists(data->file("Zan.ini")));  // nothing was saved either
}

TEST_F(DropOnDemoRun, DropWhileAReloadRunsIsIgnored)
{
    s.bBusy = true;
    EXPECT_FALSE(OpenDroppedFiles(s, services, messages, {data->file("flight.csv")}));
    EXPECT_EQ(s.Flist[1], data->file("flight.bin"));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace zan
