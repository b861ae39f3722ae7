#include "platform/file_system.h"
#include "session/extraction_command.h"
#include "session/load_data.h"
#include "session/tests/session_fakes.h"
#include "zan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zan {
namespace {

using testing::FakeHost;
using testing::FakeLibrary;
using testing::TempFolder;

// Two files: version 1 has time, alt and speed; version 2 only time and speed.
Session TwoVersions()
{
    Session s;
    s.nFile = 2;
    s.Flist.assign(2);
    s.Flist[1] = "/runs/a.bin";
    s.Flist[2] = "/runs/b.csv";
    s.FileTab.assign(2);
    s.FileTab[1].iVer = 1;
    s.FileTab[2].iVer = 2;
    s.nVar = 3;
    s.VarTab.assign(3);
    const char* names[] = {"time", "alt", "speed"};
    for (int k = 1; k <= 3; ++k) {
        s.VarTab[k].Name = names[k - 1];
        s.VarTab[k].Vlo[1] = -k;
        s.VarTab[k].Vhi[1] = 10 * k;
        s.VarTab[k].Vlo[2] = k;
        s.VarTab[k].Vhi[2] = 5 * k;
        s.VarMap(k, 1) = k;
    }
    s.VarMap(1, 2) = 1;
    s.VarMap(3, 2) = 2;
    return s;
}

void AddGraph(Session& s, int x, std::vector<int> lines)
{
    GraphRecord g;
    g.xVar = x;
    g.nLine = static_cast<int>(lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        g.Lines[i + 1] = lines[i];
    s.GrphTab.push_back(g);
    s.nGrph = s.GrphTab.size();
}

TEST(ExtractionLists, EachShownVariableOnceInGraphOrderWithItsVisibleRange)
{
    Session s = TwoVersions();
    AddGraph(s, 1, {2});
    AddGraph(s, 1, {2});
    AddGraph(s, 3, {1, 9});  // 9 is beyond the variables and taken as 1
    s.iZlvl = 2;
    const std::vector<ExtractRequest> lists = ExtractionLists(s, kExtractText);
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0].vars, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(lists[0].names, (std::vector<std::string>{"time", "alt", "speed"}));
    EXPECT_EQ(lists[0].upper, (std::vector<double>{5, 10, 15}));
    EXPECT_EQ(lists[0].lower, (std::vector<double>{1, 2, 3}));
    // The second version has no alt; its speed is its own variable 2.
    EXPECT_EQ(lists[1].vars, (std::vector<int>{1, 2}));
    EXPECT_EQ(lists[1].names, (std::vector<std::string>{"time", "speed"}));
    EXPECT_EQ(lists[1].upper, (std::vector<double>{5, 15}));
    EXPECT_EQ(lists[1].path, "/runs/b.csv");
    EXPECT_EQ(lists[1].kind, kExtractText);
}

TEST(ExtractionLists, OutputNames)
{
    EXPECT_EQ(ExtractName("/r/run.bin", kExtractDouble, 0), "/r/run_exd000.bin");
    EXPECT_EQ(ExtractName("/r/run.bin", kExtractSingle, 7), "/r/run_ext007.bin");
    EXPECT_EQ(ExtractName("/r.d/run", kExtractText, 999), "/r.d/run_ext999.csv");
}

// Writes the output as the library would, unless told to fail.
class ExtractingLibrary : public FakeLibrary {
public:
    bool Loaded() override { return loaded; }
    void Extract(const ExtractRequest& q) override
    {
        requests.push_back(q);
        if (!fail)
            std::ofstream(ExtractName(q.path, q.kind, q.number)) << "x";
    }
    bool loaded = true;
    bool fail = false;
    std::vector<ExtractRequest> requests;
};

TEST(ExtrFile, WritesEveryFileWithProgressAndMovesTheNumberOn)
{
    TempFolder dir;
    FakeHost host(dir.folder());
    ExtractingLibrary library;
    Session s = TwoVersions();
    s.Flist[1] = dir.file("a.bin");
    s.Flist[2] = dir.file("b.csv");
    AddGraph(s, 1, {2, 3});
    s.iExtr = 998;
    for (int expected : {998, 999, 0}) {
        ExtrFile(s, host, library, kExtractDouble);
        EXPECT_EQ(library.requests.back().number, expected);
    }
    EXPECT_EQ(s.iExtr, 1);
    EXPECT_EQ(library.requests.size(), 6u);
    EXPECT_EQ(host.progress, (std::vector<std::string>{"1 of 2", "2 of 2", "1 of 2", "2 of 2", "1 of 2", "2 of 2"}));
    EXPECT_FALSE(host.progressShown);
    EXPECT_EQ(s.drErr, 0);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(fileexists(dir.file("a_exd000.bin")));

    library.loaded = false;
    ExtrFile(s, host, library, kExtractDouble);
    EXPECT_EQ(library.requests.size(), 6u);
    EXPECT_EQ(s.iExtr, 1);
}

TEST(ExtrFile, AFileThatCouldNotBeWrittenIsNamed)
{
    TempFolder dir;
    FakeHost host(dir.folder());
    ExtractingLibrary library;
    library.fail = true;
    Session s = TwoVersions();
    s.Flist[1] = dir.file("a.bin");
    s.Flist[2] = dir.file("b.csv");
    AddGraph(s, 1, {2});
    const ExtractOutcome outcome = ExtrFile(s, host, library, kExtractText);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find(dir.file("a_ext000.csv")), std::string::npos);
    EXPECT_NE(host.messages[0].text.find(dir.file("b_ext000.csv")), std::string::npos);
    EXPECT_EQ(host.messages[0].text.find("Written"), std::string::npos);
    EXPECT_EQ(outcome.failed.size(), 2u);
    EXPECT_EQ(s.drErr, 0);
}

// Fails for the files named, writes the others.
class PartlyFailingLibrary : public ExtractingLibrary {
public:
    void Extract(const ExtractRequest& q) override
    {
        fail = q.path.find("b.") != std::string::npos;
        ExtractingLibrary::Extract(q);
    }
};

TEST(ExtrFile, TheWrittenFilesAreKeptInTheMessageBesideTheFailedOnes)
{
    TempFolder dir;
    FakeHost host(dir.folder());
    PartlyFailingLibrary library;
    Session s = TwoVersions();
    s.Flist[1] = dir.file("a.bin");
    s.Flist[2] = dir.file("b.csv");
    AddGraph(s, 1, {2});
    const ExtractOutcome outcome = ExtrFile(s, host, library, kExtractText);
    EXPECT_EQ(outcome.written, std::vector<std::string>{dir.file("a_ext000.csv")});
    EXPECT_EQ(outcome.failed, std::vector<std::string>{dir.file("b_ext000.csv")});
    ASSERT_EQ(host.messages.size(), 1u);
    const std::string& text = host.messages[0].text;
    const size_t written = text.find("Written:\n" + dir.file("a_ext000.csv"));
    ASSERT_NE(written, std::string::npos) << text;
    EXPECT_LT(text.find(dir.file("b_ext000.csv")), written);
}

TEST(ExtractNote, NamesTheWrittenFilesWithoutTheirFolder)
{
    using Names = std::vector<std::string>;
    struct Case {
        Names written, failed;
        const char* note;
    };
    const Case cases[] = {
        {{}, {}, ""},
        {{"/r/a_ext000.csv"}, {}, "a_ext000.csv"},
        {{"/r/a_ext000.csv", "/s/b_ext000.csv"}, {"/t/c_ext000.csv"}, "a_ext000.csv, b_ext000.csv"},
        {{"/r/a.bin", "/r/b.bin", "/r/c.bin", "/r/d.bin", "/r/e.bin"}, {}, "a.bin, b.bin, c.bin and 2 more"},
        {{}, {"/r/a_exd001.bin"}, "Cannot write a_exd001.bin"},
        {{}, {"/r/a_exd001.bin", "/r/b_exd001.bin"}, "Cannot write a_exd001.bin and 1 more"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtractNote({c.written, c.failed}), c.note);
}

class ExtractRoundTrip : public ::testing::Test {
protected:
    ExtractRoundTrip() : host(dir.folder()) {}
    ~ExtractRoundTrip() override { TheLibrary().Close(); }

    void Load(Session& s, const std::string& path)
    {
        s.nFile = 1;
        s.Flist.assign(1);
        s.Flist[1] = path;
        ASSERT_TRUE(LoadData(s, host, TheLibrary()));
        InitRanges(s, host, TheLibrary());
    }

    static std::vector<double> Column(int32_t v)
    {
        int32_t file = 1, one = 1, count = 0;
        sdata(&file, &one, &one, &count);
        std::vector<double> values;
        for (int32_t k = 1; k <= count; ++k) {
            double value = 0;
            ddata(&file, &k, &v, &value);
            values.push_back(value);
        }
        return values;
    }

    TempFolder dir;
    FakeHost host;
};

TEST_F(ExtractRoundTrip, ExtractedFilesLoadBackWithTheShownVariablesInTheirWindow)
{
    std::string text = "time,alt,speed\n";
    for (int i = 0; i <= 30; ++i)
        text += std::to_string(i) + "," + std::to_string(100 + i) + "," + std::to_string(i % 7) + "\n";
    const std::string source = dir.write("run.csv", text);
    for (int kind : {kExtractDouble, kExtractText, kExtractSingle}) {
        SCOPED_TRACE(kind);
        Session s;
        Load(s, source);
        AddGraph(s, 1, {2});
        AddGraph(s, 1, {2});
        s.iZlvl = 2;
        for (int k = 1; k <= 3; ++k) {
            s.VarTab[k].Vlo[2] = -1e9;
            s.VarTab[k].Vhi[2] = 1e9;
        }
        s.VarTab[1].Vlo[2] = 10;
        s.VarTab[1].Vhi[2] = 20;
        s.iExtr = kind;
        ExtrFile(s, host, TheLibrary(), kind);
        EXPECT_TRUE(host.messages.empty());

        Session back;
        Load(back, ExtractName(source, kind, kind));
        ASSERT_EQ(back.nVar, 2);
        EXPECT_EQ(GetLines(back, 1), "time");
        EXPECT_EQ(GetLines(back, 2), "alt");
        std::vector<double> times, alts;
        for (int i = 10; i <= 20; ++i) {
            times.push_back(i);
            alts.push_back(100 + i);
        }
        EXPECT_EQ(Column(1), times);
        EXPECT_EQ(Column(2), alts);
    }
}

TEST_F(ExtractRoundTrip, AFileWithNoneOfTheShownVariablesGetsAnOutputWithoutVariables)
{
    Session s;
    s.nFile = 2;
    s.Flist.assign(2);
    s.Flist[1] = dir.write("a.csv", "time,alt,speed\n1,2,3\n4,5,6\n");
    s.Flist[2] = dir.write("b.csv", "clock\n1\n");
    ASSERT_TRUE(LoadData(s, host, TheLibrary()));
    InitRanges(s, host, TheLibrary());
    // Speed against alt: the second file has neither.
    AddGraph(s, 2, {3});
    ASSERT_TRUE(ExtractionLists(s, kExtractText)[1].vars.empty());
    const ExtractOutcome text = ExtrFile(s, host, TheLibrary(), kExtractText);
    EXPECT_EQ(text.written, (std::vector<std::string>{dir.file("a_ext000.csv"), dir.file("b_ext000.csv")}));
    EXPECT_TRUE(text.failed.empty());
    std::ifstream in(dir.file("b_ext000.csv"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "\n");
    const ExtractOutcome binary = ExtrFile(s, host, TheLibrary(), kExtractDouble);
    EXPECT_EQ(binary.written.size(), 2u);
    EXPECT_EQ(std::filesystem::file_size(dir.file("b_exd001.bin")), 96u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ExtractRoundTrip, AFolderThatCannotBeWrittenLeavesNoFileAndIsReported)
{
    std::filesystem::create_directories(dir.file("sub"));
    const std::string source = dir.write("sub/run.csv", "time,alt\n1,2\n3,4\n");
    Session s;
    Load(s, source);
    AddGraph(s, 1, {2});
    // The folder is taken away under the loaded file.
    std::filesystem::rename(dir.file("sub"), dir.file("moved"));
    ExtrFile(s, host, TheLibrary(), kExtractText);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find(dir.file("sub/run_ext000.csv")), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("sub")));
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.file("moved")))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace zan
