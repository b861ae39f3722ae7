// Loading the demo run through the real data library.

#include "session/graph_settings.h"
#include "session/load_data.h"
#include "session/settings_file.h"
#include "session/tests/session_fakes.h"

#include <gtest/gtest.h>

#include "zan.h"

#include <cstdlib>

namespace zan {
namespace {

using testing::FakeHost;
using testing::TempFolder;

class DemoRun : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        data = new TempFolder;
        const std::string command = std::string(ZAN_EXAMPLES_BIN) + " " + data->str() + " > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    DemoRun() : host(config.str()) { s.Fpath = data->folder(); }
    ~DemoRun() override { TheLibrary().Close(); }

    void List(std::initializer_list<const char*> names) {
        s.Flist.clear();
        for (const char* name : names) s.Flist.push_back(data->file(name));
        s.nFile = s.Flist.size();
    }

    static TempFolder* data;
    TempFolder config;
    FakeHost host;
    Session s;
};

TempFolder* DemoRun::data = nullptr;

TEST_F(DemoRun, LayoutsOfOneRunShareAVersionAndTheSecondRunAddsOne) {
    List({"flight2.csv", "flight.dat", "flight.bin"});
    ASSERT_TRUE(LoadData(s, host, TheLibrary()));
    EXPECT_EQ(s.FileTab[1].iVer, 1);
    EXPECT_EQ(s.FileTab[2].iVer, 2);
    EXPECT_EQ(s.FileTab[3].iVer, 2);
    EXPECT_EQ(s.nVar, s.FileTab[1].nPar);
    EXPECT_EQ(s.nVar, s.FileTab[2].nPar + 1);
    // The screen title is the one of the last file loaded.
    EXPECT_EQ(s.ScrTitle, "Sounding rocket flight, demo run");
    int onlyInSecond = 0;
    for (int k = 1; k <= s.nVar; ++k)
        if (GetParam(s, 2, k) == 0) {
            ++onlyInSecond;
            EXPECT_GT(GetParam(s, 1, k), 0);
        }
    EXPECT_EQ(onlyInSecond, 1);

    InitRanges(s, host, TheLibrary());
    const VarRecord& time = s.VarTab[1];
    EXPECT_EQ(GetLines(s, 1), "time");
    EXPECT_DOUBLE_EQ(time.Vlo[1], 0.0);
    EXPECT_NEAR(time.Vhi[1], 450.0, 1e-3);
    EXPECT_LE(time.Alo[1], time.Vlo[1]);
    EXPECT_GE(time.Ahi[1], time.Vhi[1]);
    EXPECT_EQ(time.Rlo[1], time.Alo[1]);
    EXPECT_GE(time.Anum[1], 1);
}

TEST_F(DemoRun, SettingsBringBackGraphsAndScalesAfterAReload) {
    List({"flight.bin", "flight2.csv"});
    ASSERT_TRUE(LoadData(s, host, TheLibrary()));
    IniGrphs(s);
    ASSERT_EQ(s.nGrph, s.nVar - 1);
    s.GrphTab[2].nLine = 2;
    s.GrphTab[2].Lines[2] = 4;
    TheLibrary().SetShift(2, 3, 100.0);
    TheLibrary().SetFactor(2, 3, 0.5);
    ASSERT_TRUE(IniWrite(s, host, TheLibrary()));
    EXPECT_NE(data->read("Zan.ini").find("File 2=flight2.csv\n"), std::string::npos);

    Session next;
    next.Fpath = s.Fpath;
    IniFiles(next);
    ASSERT_EQ(next.nFile, 2);
    IniStart(next, host);
    ASSERT_TRUE(LoadData(next, host, TheLibrary()));
    EXPECT_EQ(TheLibrary().Shift(2, 3), 0.0);
    IniGrphs(next);
    IniScale(next, TheLibrary());
    EXPECT_EQ(next.nGrph, s.nGrph);
    EXPECT_EQ(next.GrphTab[2].nLine, 2);
    EXPECT_EQ(next.GrphTab[2].Lines[2], 4);
    EXPECT_EQ(TheLibrary().Shift(2, 3), 100.0);
    EXPECT_EQ(TheLibrary().Factor(2, 3), 0.5);
    EXPECT_EQ(TheLibrary().Factor(1, 3), 1.0);
}

TEST_F(DemoRun, MissingDataFileIsReportedAndNothingStaysLoaded) {
    List({"flight.bin", "no_such_run.bin"});
    host.answer = MsgResult::Yes;
    EXPECT_FALSE(LoadData(s, host, TheLibrary()));
    EXPECT_EQ(s.lderr, 1);
    int32_t empty = 0;
    daloc(&empty);
    EXPECT_EQ(empty, 1);
    EXPECT_FALSE(host.ended);
}

}  // namespace
}  // namespace zan
