#include "session/settings_file.h"

#include "platform/profile.h"
#include "session/graph_settings.h"
#include "session/tests/session_fakes.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

using testing::FakeHost;
using testing::FakeLibrary;
using testing::TempFolder;

TEST(FixPath, EndsWithOneSeparatorAndFoldsDoubledOnes) {
    const std::pair<const char*, const char*> cases[] = {
        {"/data/run", "/data/run/"},
        {"/data/run/", "/data/run/"},
        {"  /data//run  ", "/data/run/"},
        {"//server/share", "//server/share/"},
        {"//", "/"},
        {"/", "/"},
        {"", "/"},
        {"a///b", "a//b/"},
    };
    for (const auto& [in, out] : cases) {
        std::string path = in;
        FixPath(path);
        EXPECT_EQ(path, out) << '"' << in << '"';
    }
}

TEST(BuildPath, JoinsWithExactlyOneSeparator) {
    EXPECT_EQ(BuildPath("/data/", "x.bin"), "/data/x.bin");
    EXPECT_EQ(BuildPath("/data", "x.bin"), "/data/x.bin");
    EXPECT_EQ(BuildPath("/data//", "/x.bin"), "/data/x.bin");
    EXPECT_EQ(BuildPath("/", "x.bin"), "/x.bin");
}

class SettingsFile : public ::testing::Test {
protected:
    SettingsFile() : host(dir.file("config")) { s.Fpath = dir.folder(); }
    std::string Ini() const { return dir.file("Zan.ini"); }
    platform::ProfileDocument Doc() const { return platform::ProfileDocument::Load(Ini()); }

    TempFolder dir;
    FakeHost host;
    FakeLibrary library;
    Session s;
};

TEST_F(SettingsFile, EmptyStartupSectionGivesTheDefaults) {
    dir.write("Zan.ini", "[Other]\nx=1\n");
    s.nCols = 5;
    s.iFont = 0;
    IniStart(s, host);
    EXPECT_EQ(s.nCols, 2);
    EXPECT_EQ(s.nRows, 3);
    EXPECT_EQ(s.nCell, 6);
    EXPECT_EQ(s.iPage, 1);
    EXPECT_EQ(s.cGrph, 1);
    EXPECT_EQ(s.iStep, 1);
    EXPECT_EQ(s.iTitGrph, 1);
    EXPECT_EQ(s.iTitXAxis, 1);
    EXPECT_EQ(s.iTitScrn + s.iTitLine + s.iTitYAxis + s.iTitFiles + s.lTitf, 0);
    EXPECT_EQ(s.iAuto + s.iNext + s.iTran + s.iLast + s.iMark + s.iFclr, 0);
    EXPECT_EQ(s.iFont, 4);
    EXPECT_EQ(s.iFsiz, 1);
    EXPECT_EQ(s.iFwdt, 12000);
    EXPECT_EQ(s.iFhgt, 9000);
    EXPECT_EQ(s.iWstt, 2);
    EXPECT_EQ(host.watchInterval, 550);
    EXPECT_FALSE(host.watchEnabled);
    EXPECT_EQ(host.boxes, (std::vector<int>{1, 2, 3}));
}

TEST_F(SettingsFile, StartupValuesAreKeptWithinWhatCanBeShown) {
    struct Case {
        const char* lines;
        int Session::*field;
        int expected;
    };
    const Case cases[] = {
        {"Rows=9\nColumns=0", &Session::nCols, 6},
        {"Rows= 6\nColumns= 1", &Session::nCols, 6},
        {"Rows= 6\nColumns= 1", &Session::nRows, 1},
        {"Rows=9\nColumns=0", &Session::nRows, 1},
        {"Rows=6\nColumns=2", &Session::nCols, 6},
        {"Rows=0\nColumns=40", &Session::nRows, 6},
        {"Rows=-3\nColumns=40", &Session::nCell, 6},
        {"Rows= 2.5\nColumns=3.5", &Session::nCell, 8},
        {"Step=0", &Session::iStep, 1},
        {"Step=99999", &Session::iStep, 16000},
        {"Step= 250", &Session::iStep, 250},
        {"Font=-3", &Session::iFont, 0},
        {"Fsiz=17", &Session::iFsiz, 4},
        {"Mark=9", &Session::iMark, 5},
        {"Last=100", &Session::iLast, 7},
        {"Fclr=5", &Session::iFclr, 1},
        {"Win State=7", &Session::iWstt, 2},
        {"Page=-4", &Session::iPage, 1},
        {"Grph=0", &Session::cGrph, 1},
        {"Grph=abc", &Session::cGrph, 1},
        {"Top=-50000", &Session::iFtop, -50000},
        // Flags keep the values their menus write.
        {"Graph Title=1000000000", &Session::iTitGrph, 1},
        {"Graph Title=-2147483649", &Session::iTitGrph, 1},
        {"Screen Title=7", &Session::iTitScrn, 1},
        {"Xaxis Title=0", &Session::iTitXAxis, 0},
        {"Files Legend=-1", &Session::iTitFiles, 1},
        {"Files Path=2", &Session::lTitf, 1},
        {"Transpose=1", &Session::iTran, -1},
        {"Auto Load=99", &Session::iAuto, -1},
        {"Auto Next=-5", &Session::iNext, -1},
    };
    for (const Case& c : cases) {
        dir.write("Zan.ini", std::string("[Startup]\n") + c.lines + "\n");
        Session fresh;
        fresh.Fpath = s.Fpath;
        IniStart(fresh, host);
        EXPECT_EQ(fresh.*c.field, c.expected) << c.lines;
        EXPECT_LE(fresh.nCols, kMaxGridSide) << c.lines;
        EXPECT_EQ(fresh.nCell, fresh.nCols * fresh.nRows) << c.lines;
    }
}

TEST_F(SettingsFile, ColouringChosenByTheFilesOverridesTheStoredOne) {
    dir.write("Zan.ini", "[Startup]\nFclr=0\nAuto Load=-1\nLast=4\n");
    s.iFclrCmd = 1;
    IniStart(s, host);
    EXPECT_EQ(s.iFclr, 1);
    EXPECT_EQ(s.iFclrCmd, -1);
    EXPECT_EQ(host.watchInterval, 880);
    EXPECT_TRUE(host.watchEnabled);
}

TEST_F(SettingsFile, WrittenSettingsReadBackTheSame) {
    dir.write("data.bin", "x");
    std::filesystem::create_directories(dir.file("sub"));
    dir.write("sub/deep.bin", "x");
    TempFolder other;
    other.write("far.bin", "x");
    dir.write("Zan.ini", "[Keep]\nme=1\n[Startup]\nStale=1\n");

    s.nFile = 3;
    s.Flist.assign(3);
    s.Flist[1] = dir.file("data.bin");
    s.Flist[2] = other.file("far.bin");
    s.Flist[3] = dir.file("sub/deep.bin");
    s.nCols = 4;
    s.nRows = 2;
    s.nCell = 8;
    s.iStep = 7;
    s.iMark = 3;
    s.iTitScrn = 1;
    s.iTran = -1;
    s.iPage = 2;
    s.cGrph = 9;
    s.iFwdt = 8000;
    s.iFhgt = 6000;
    s.iMtop = 11;
    s.iSlft = -12;
    s.CrcAll = 123456789;
    s.lderr = 0;
    host.commandLine = "a.bin \"b c.bin\"";
    ASSERT_TRUE(IniWrite(s, host, library));

    const std::string text = dir.read("Zan.ini");
    EXPECT_NE(text.find("Rows= 4\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Columns= 2\n"), std::string::npos);
    EXPECT_NE(text.find("File 1=data.bin\n"), std::string::npos);
    EXPECT_NE(text.find("File 2=" + other.file("far.bin") + "\n"), std::string::npos);
    EXPECT_NE(text.find("File 3=" + dir.file("sub/deep.bin") + "\n"), std::string::npos);
    EXPECT_NE(text.find("Sel Left=-12\n"), std::string::npos);
    EXPECT_EQ(text.find("Stale"), std::string::npos);
    EXPECT_EQ(Doc().Get("Keep", "me", ""), "1");
    EXPECT_EQ(Doc().Sections(), (std::vector<std::string>{"Keep", "Startup", "Files", "Graphs", "Scales"}));
    EXPECT_EQ(Doc().Get("Startup", "CmdLine", ""), "a.bin \"b c.bin\"");
    EXPECT_EQ(ReadIniPointer(host, ""), Ini());

    Session back;
    back.Fpath = s.Fpath;
    IniFiles(back);
    IniStart(back, host);
    ASSERT_EQ(back.nFile, 3);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(back.Flist[i], s.Flist[i]);
    EXPECT_EQ(back.Files, s.Flist[1]);
    for (int Session::*f : {&Session::nCols, &Session::nRows, &Session::nCell, &Session::iStep,
                            &Session::iMark, &Session::iTitScrn, &Session::iTran, &Session::iPage,
                            &Session::cGrph, &Session::iFwdt, &Session::iFhgt, &Session::iMtop,
                            &Session::iSlft})
        EXPECT_EQ(back.*f, s.*f);
    EXPECT_EQ(back.iFtop, 100);
    EXPECT_EQ(back.iFlft, 200);
}

TEST_F(SettingsFile, MinimisedFrameLeavesItsPlaceUnwritten) {
    host.frame = {1, 500, 600, 7000, 9000};
    s.iFwdt = 9000;
    ASSERT_TRUE(IniWrite(s, host, library));
    const platform::ProfileDocument doc = Doc();
    EXPECT_EQ(doc.Get("Startup", "Win State", ""), "1");
    EXPECT_FALSE(doc.Raw("Startup", "Top").has_value());
    EXPECT_FALSE(doc.Raw("Startup", "Left").has_value());
    EXPECT_EQ(doc.Get("Startup", "Width", ""), "9000");
    Session back;
    back.Fpath = s.Fpath;
    back.iFtop = 3;
    IniStart(back, host);
    EXPECT_EQ(back.iFtop, 0);
    EXPECT_EQ(back.iFlft, 0);
}

TEST_F(SettingsFile, EmptyValueDeletesTheKeyAndEmptyKeyTheSection) {
    ASSERT_TRUE(PutIni("S", "k", "1", Ini()));
    ASSERT_TRUE(PutIni("S", "j", "2", Ini()));
    ASSERT_TRUE(PutIni("S", "k", "  ", Ini()));
    EXPECT_EQ(dir.read("Zan.ini").find("k="), std::string::npos);
    EXPECT_EQ(GetIni("S", "j", "", Ini()), "2");
    ASSERT_TRUE(PutIni("S", " ", "x", Ini()));
    EXPECT_EQ(GetIni("S", "j", "none", Ini()), "none");
    // An empty screen title is written as "" and so stays a key.
    s.ScrTitle = "   ";
    ASSERT_TRUE(IniWrite(s, host, library));
    EXPECT_EQ(Doc().Raw("Graphs", "Title"), std::optional<std::string>("\"\""));
    EXPECT_FALSE(Doc().Raw("Startup", "CmdLine").has_value());
}

TEST_F(SettingsFile, UnwritableSettingsAreReportedOnce) {
    const std::string blocker = dir.write("blocker", "x");
    s.Fpath = blocker + "/";
    EXPECT_FALSE(IniWrite(s, host, library));
    EXPECT_FALSE(IniWrite(s, host, library));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find(blocker), std::string::npos);
    EXPECT_EQ(ReadIniPointer(host, "none"), "none");
    s.Fpath = dir.folder();
    EXPECT_TRUE(IniWrite(s, host, library));
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(SettingsFile, StoredListWithAMissingFileIsDropped) {
    dir.write("a.bin", "x");
    dir.write("Zan.ini", "[Startup]\nFiles=2\n[Files]\nFile 1=a.bin\nFile 2=gone.bin\n");
    IniFiles(s);
    EXPECT_EQ(s.nFile, 0);
    // The first stored name is still offered by the open dialog.
    EXPECT_EQ(s.Files, dir.file("a.bin"));
    dir.write("gone.bin", "x");
    IniFiles(s);
    EXPECT_EQ(s.nFile, 2);
    EXPECT_EQ(s.Flist[2], dir.file("gone.bin"));
    dir.write("Zan.ini", "[Startup]\nFiles=99999999\n");
    IniFiles(s);
    EXPECT_EQ(s.nFile, 0);
}

TEST_F(SettingsFile, ScalesAreWrittenOnlyForChangedLines) {
    s.lderr = 0;
    s.nFile = 2;
    s.Flist.assign(2);
    s.Flist[1] = "/x/one.bin";
    s.Flist[2] = "/x/two.bin";
    s.FileTab.assign(2);
    s.FileTab[1].nPar = 3;
    s.FileTab[1].iCrc = 77;
    s.FileTab[2].nPar = 2;
    s.FileTab[2].iCrc = 78;
    library.shifts[{1, 2}] = 0.5;
    library.factors[{1, 3}] = -2;
    s.iMall = -1;
    ASSERT_TRUE(IniWrite(s, host, library));
    const platform::ProfileDocument doc = Doc();
    const std::pair<const char*, const char*> expected[] = {
        {"Move All", "-1"},     {"File00010001", ""},   {"File00010002", ".5, 1"},
        {"File00010003", "0,-2"}, {"File0001mPar", "2"}, {"File0001nPar", "3"},
        {"File0001iCrc", "77"}, {"File00020001", ""},   {"File0002mPar", "0"},
        {"File0002nPar", "2"},  {"File0002iCrc", "78"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(doc.Get("Scales", key, ""), value) << key;
}

TEST_F(SettingsFile, StartupWithoutDataKeepsTheStoredLayout) {
    const std::string stored =
        "[Startup]\nGraphs= 2\n[Files]\nFile 1=run.csv\nCrc= 4711\n[Graphs]\nTitle=\"Run\"\n"
        "Graph 1=\"a\", 1, 1, 2\nGraph 2=\"b\", 1, 1, 3\n[Scales]\nMove All=-1\nFile00010002=.5, 1\n";
    dir.write("Zan.ini", stored);
    s.nFile = 1;
    s.Flist.assign(1);
    s.Flist[1] = dir.file("run.csv");
    // The load failed or was cancelled: the graphs are laid out without data.
    s.lderr = 1;
    IniGrphs(s);
    ASSERT_TRUE(IniWrite(s, host, library));
    platform::ProfileDocument doc = Doc();
    EXPECT_EQ(doc.Raw("Startup", "Graphs"), std::optional<std::string>("2"));
    EXPECT_EQ(doc.Raw("Files", "Crc"), std::optional<std::string>("4711"));
    EXPECT_EQ(doc.Sections(), (std::vector<std::string>{"Startup", "Files", "Graphs", "Scales"}));
    EXPECT_EQ(doc.Get("Graphs", "Graph 2", ""), "\"b\", 1, 1, 3");
    EXPECT_EQ(doc.Get("Scales", "File00010002", ""), ".5, 1");
    EXPECT_TRUE(doc.Raw("Startup", "Win State").has_value());

    // Once the data are there, the graphs shown are what is written.
    s.lderr = 0;
    s.CrcAll = 99;
    IniGrphs(s);
    ASSERT_TRUE(IniWrite(s, host, library));
    doc = Doc();
    EXPECT_EQ(doc.Get("Files", "Crc", ""), "99");
    EXPECT_EQ(doc.Get("Startup", "Graphs", ""), std::to_string(s.nGrph));
    EXPECT_FALSE(doc.Raw("Scales", "File00010002").has_value());
}

}  // namespace
}  // namespace zan
