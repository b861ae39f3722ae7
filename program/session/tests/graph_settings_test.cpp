#include "session/graph_settings.h"

#include "session/settings_file.h"
#include "session/tests/session_fakes.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

using testing::FakeHost;
using testing::FakeLibrary;
using testing::TempFolder;

TEST(ParseGraph, AcceptsWellFormedEntriesAndRejectsTheRest) {
    struct Case {
        std::string entry;
        bool ok;
        std::string title;
        int xVar, nLine;
        std::vector<int> lines;
    };
    std::string sixtyFour = "\"many\", 1, 64";
    std::string sixtyFive = "\"many\", 1, 65";
    for (int k = 0; k < 64; ++k) sixtyFour += ", 2";
    for (int k = 0; k < 65; ++k) sixtyFive += ", 2";
    const Case cases[] = {
        {"\"T\", 1, 2, 5, 7", true, "T", 1, 2, {5, 7}},
        {"\"A, with comma\",3,1,10", true, "A, with comma", 3, 1, {10}},
        {"\"cut\"here\", 1, 1, 3", true, "cut", 1, 1, {3}},
        {"  \"spaced\" ,  2 , 1 ,  4  ", true, "spaced", 2, 1, {4}},
        {"\"half\", 1.5, 1, 2.5", true, "half", 2, 1, {2}},
        {"\"extra\", 1, 1, 2, 3", true, "extra", 1, 1, {2}},
        {sixtyFour, true, "many", 1, 64, std::vector<int>(64, 2)},
        {sixtyFive, false, "", 0, 0, {}},
        {"\" \",0,1,1", false, "", 0, 0, {}},
        {"\"T\", 11, 1, 2", false, "", 0, 0, {}},
        {"\"T\", 1, 1, 11", false, "", 0, 0, {}},
        {"\"T\", 1, 0, 2", false, "", 0, 0, {}},
        {"\"T\", 1, 3, 5, 7", false, "", 0, 0, {}},
        {"\"T\", 1, 2, 5, x", false, "", 0, 0, {}},
        {"T, 1, 1, 2", false, "", 0, 0, {}},
        {"\"T, 1, 1, 2", false, "", 0, 0, {}},
        {"\"T\", 1, 1", false, "", 0, 0, {}},
        {"", false, "", 0, 0, {}},
    };
    for (const Case& c : cases) {
        const std::optional<GraphRecord> g = ParseGraph(c.entry, 10);
        ASSERT_EQ(g.has_value(), c.ok) << c.entry;
        if (!g) continue;
        EXPECT_EQ(g->Title, c.title) << c.entry;
        EXPECT_EQ(g->xVar, c.xVar) << c.entry;
        ASSERT_EQ(g->nLine, c.nLine) << c.entry;
        for (int k = 1; k <= g->nLine; ++k)
            EXPECT_EQ(g->Lines[static_cast<size_t>(k)], c.lines[static_cast<size_t>(k - 1)]) << c.entry;
    }
}

class GraphSettings : public ::testing::Test {
protected:
    GraphSettings() : host(dir.file("config")) {
        s.Fpath = dir.folder();
        s.nVar = 5;
        s.VarTab.assign(5);
        const char* names[] = {"Time", "Alt", "Vel", "Acc", "Mach"};
        for (int k = 1; k <= 5; ++k) {
            s.VarTab[k].Name = names[k - 1];
            s.VarTab[k].Lfix[1] = 1;
        }
        s.CrcAll = 4242;
    }
    void WriteIni(const std::string& startup, const std::string& graphs, int crc = 4242) {
        dir.write("Zan.ini", "[Startup]\n" + startup + "\n[Files]\nCrc= " + std::to_string(crc) +
                                 "\n[Graphs]\n" + graphs + "\n");
    }

    TempFolder dir;
    FakeHost host;
    FakeLibrary library;
    Session s;
};

TEST_F(GraphSettings, ChangedVariableSetGivesOneGraphPerVariable) {
    WriteIni("Graphs=1\nPage=3\nStep=9", "Graph 1=\"kept?\", 1, 1, 2", 1);
    s.iPage = 3;
    s.iStep = 9;
    IniGrphs(s);
    ASSERT_EQ(s.nGrph, 4);
    EXPECT_EQ(s.iPage, 1);
    EXPECT_EQ(s.iStep, 1);
    for (int g = 1; g <= 4; ++g) {
        EXPECT_EQ(s.GrphTab[g].xVar, 1);
        EXPECT_EQ(s.GrphTab[g].nLine, 1);
        EXPECT_EQ(s.GrphTab[g].Lines[1], g + 1);
        EXPECT_EQ(s.GrphTab[g].Title, s.VarTab[g + 1].Name);
    }
    for (const VarRecord& v : s.VarTab) EXPECT_EQ(v.Lfix[1], 0);
}

TEST_F(GraphSettings, StoredGraphsAreReadAndBadOnesSkipped) {
    WriteIni("Graphs=4",
             "Title=\"  Flight 7  \"\n"
             "Graph 1=\"Height, m\", 1, 1, 2\n"
             "Graph 2=\"bad\", 6, 1, 2\n"
             "GRAPH 3=\"two\", 2, 2, 3, 4\n");
    s.iStep = 9;
    IniGrphs(s);
    ASSERT_EQ(s.nGrph, 2);
    EXPECT_EQ(s.GrphTab[1].Title, "Height, m");
    EXPECT_EQ(s.GrphTab[2].xVar, 2);
    EXPECT_EQ(s.GrphTab[2].Lines[2], 4);
    EXPECT_EQ(s.ScrTitle, "Flight 7");
    EXPECT_EQ(s.iStep, 9);
    EXPECT_EQ(s.VarTab[3].Lfix[1], 1);
}

TEST_F(GraphSettings, NoUsableGraphGivesTheDefaultLayout) {
    for (const char* startup : {"Graphs=0", "Graphs=2", "Graphs=-1"}) {
        WriteIni(startup, "Graph 1=\"x\", 0, 1, 1\n");
        s.nGrph = 0;
        IniGrphs(s);
        EXPECT_EQ(s.nGrph, 4) << startup;
    }
}

TEST_F(GraphSettings, PageAndCurrentGraphStayWithinTheGraphs) {
    WriteIni("Graphs=3", "Graph 1=\"a\",1,1,2\nGraph 2=\"b\",1,1,3\nGraph 3=\"c\",1,1,4");
    s.nCols = 1;
    s.nRows = 2;
    s.nCell = 2;
    s.iPage = 9;
    s.cGrph = 40;
    IniGrphs(s);
    EXPECT_EQ(s.iPage, 2);
    EXPECT_EQ(s.cGrph, 3);
    EXPECT_EQ(s.cWind, 1);
}

TEST_F(GraphSettings, OnlyTheTimeGivesOneGraphOfTheTime) {
    s.nVar = 1;
    s.VarTab.assign(1);
    s.VarTab[1].Name = "Time";
    IniGrphs(s);
    ASSERT_EQ(s.nGrph, 1);
    EXPECT_EQ(s.GrphTab[1].Lines[1], 1);
    EXPECT_EQ(s.GrphTab[1].Title, "Time");
}

TEST_F(GraphSettings, WrittenGraphsReadBack) {
    s.nGrph = 2;
    s.GrphTab.assign(2);
    s.GrphTab[1] = *ParseGraph("\"Alt, Vel\", 1, 2, 2, 3", 5);
    s.GrphTab[2] = *ParseGraph("\"Mach\", 3, 1, 5", 5);
    s.ScrTitle = "Run \"7\"";
    ASSERT_TRUE(IniWrite(s, host, library));
    EXPECT_NE(dir.read("Zan.ini").find("Graph 1=\"Alt, Vel\", 1, 2, 2, 3\n"), std::string::npos);
    Session back = s;
    back.GrphTab.clear();
    back.nGrph = 0;
    IniGrphs(back);
    ASSERT_EQ(back.nGrph, 2);
    EXPECT_EQ(back.GrphTab[1].Title, "Alt, Vel");
    EXPECT_EQ(back.GrphTab[1].Lines[2], 3);
    EXPECT_EQ(back.GrphTab[2].xVar, 3);
    EXPECT_EQ(back.ScrTitle, "Run \"7\"");
}

class ScaleSettings : public GraphSettings {
protected:
    ScaleSettings() {
        s.lderr = 0;
        s.nFile = 2;
        s.FileTab.assign(2);
        s.FileTab[1].nPar = 3;
        s.FileTab[1].iCrc = 11;
        s.FileTab[2].nPar = 2;
        s.FileTab[2].iCrc = 12;
        library.shifts[{1, 1}] = 99;  // left over from before
    }
    void WriteScales(const std::string& lines) {
        dir.write("Zan.ini", "[Scales]\nMove All=-1\n" + lines + "\n");
    }
    const std::string matching =
        "File00010002= 2.5,-1\nFile0001mPar= 1\nFile0001nPar= 3\nFile0001iCrc= 11\n"
        "File0002mPar= 0\nFile0002nPar= 2\nFile0002iCrc= 12";
};

TEST_F(ScaleSettings, MatchingFilesGetTheirShiftsAndFactorsBack) {
    WriteScales(matching);
    IniScale(s, library);
    EXPECT_EQ(s.iMall, -1);
    EXPECT_EQ(library.Shift(1, 2), 2.5);
    EXPECT_EQ(library.Factor(1, 2), -1);
    EXPECT_EQ(library.Shift(1, 1), 0);  // every variable of a file with entries is set
    EXPECT_EQ(library.Factor(1, 3), 1);
    EXPECT_EQ(library.shifts.count({2, 1}), 0u);  // a file without entries is left alone
}

TEST_F(ScaleSettings, AnyMismatchedFileLeavesAllScalesAlone) {
    const std::string first = "File00010002= 2.5,-1\nFile0001mPar= 1\nFile0001nPar= 3\nFile0001iCrc= 11\n";
    const std::string seconds[] = {
        "File0002mPar= 0\nFile0002nPar= 3\nFile0002iCrc= 12",  // variable count changed
        "File0002mPar= 0\nFile0002nPar= 2\nFile0002iCrc= 13",  // version key changed
        "File0002mPar= 0\nFile0002nPar= 2",                     // key missing: reads as -1
        "",                                                       // file not stored at all
    };
    for (const std::string& second : seconds) {
        WriteScales(first + second);
        library.shifts = {{{1, 1}, 99.0}};
        IniScale(s, library);
        EXPECT_EQ(library.Shift(1, 1), 99) << second;
        EXPECT_EQ(library.Shift(1, 2), 0) << second;
    }
}

TEST_F(ScaleSettings, NothingIsAppliedWithoutLoadedData) {
    WriteScales(matching);
    s.lderr = 1;
    IniScale(s, library);
    EXPECT_EQ(library.Shift(1, 1), 99);
    EXPECT_EQ(s.iMall, -1);
}

TEST_F(ScaleSettings, WrittenScalesReadBack) {
    library.shifts = {{{1, 3}, -0.125}};
    library.factors = {{{2, 2}, 1e-7}};
    ASSERT_TRUE(IniWrite(s, host, library));
    FakeLibrary fresh;
    IniScale(s, fresh);
    EXPECT_EQ(fresh.Shift(1, 3), -0.125);
    EXPECT_EQ(fresh.Factor(1, 3), 1);
    EXPECT_EQ(fresh.Factor(2, 2), 1e-7);
    EXPECT_EQ(fresh.Shift(2, 1), 0);
}

}  // namespace
}  // namespace zan
