// What a load tells of files that did not load plainly: in the window once
// per load, and on the error stream of the page export.
#include "session/load_report.h"

#include "render/page_export.h"
#include "session/data_library.h"
#include "session/load_data.h"
#include "session/tests/session_fakes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zan {
namespace {

using testing::TempFolder;

FileRecord Record(int namesLine, int stored, int refused, int nPar = 2)
{
    FileRecord f;
    f.nPar = nPar;
    f.nStored = stored;
    f.namesLine = namesLine;
    f.nRefused = refused;
    return f;
}

TEST(LoadReport, OnlyFilesThatDidNotLoadPlainlyAreToldAndLostRowsGoToTheMessage)
{
    struct Case {
        const char* label;
        FileRecord file;
        bool noted;
        bool lost;
        const char* line;
    } cases[] = {
        {"names on line 1, nothing skipped", Record(1, 200, 0), false, false, "f.csv: names from line 1, 200 rows stored, 0 skipped"},
        {"binary file with rows", Record(0, 5, 0), false, false, "f.csv: 5 rows stored"},
        {"comment lines before the names", Record(3, 200, 0), false, false, "f.csv: names from line 3, 200 rows stored, 0 skipped"},
        {"a line with fields before the names", Record(3, 200, 1), true, false, "f.csv: names from line 3, 200 rows stored, 1 skipped"},
        {"rows skipped", Record(1, 199, 1), true, false, "f.csv: names from line 1, 199 rows stored, 1 skipped"},
        {"names only", Record(1, 0, 0), true, false, "f.csv: names from line 1, 0 rows stored, 0 skipped"},
        {"binary file without rows", Record(0, 0, 0), true, false, "f.csv: 0 rows stored"},
        {"every row skipped", Record(5, 0, 96), false, true, "f.csv: names from line 5, 0 rows stored, 96 skipped"},
        {"comments, names and no row", Record(3, 0, 0), true, false, "f.csv: names from line 3, 0 rows stored, 0 skipped"},
        {"one row", Record(1, 1, 2), true, false, "f.csv: names from line 1, 1 row stored, 2 skipped"},
        {"no variables: told as a failure", Record(1, 0, 9, 0), false, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Session s;
        s.nFile = 1;
        s.Flist.assign(1);
        s.Flist[1] = "/d/f.csv";
        s.FileTab.assign(1);
        s.FileTab[1] = c.file;
        if (c.line) {
            EXPECT_EQ(LoadFactsLine("f.csv", c.file), c.line);
        }
        const LoadNote note = LoadNoteOf(s);
        EXPECT_EQ(note.label, c.noted ? c.line : "");
        EXPECT_EQ(note.lines, note.label);
        const std::string lost = LostRowsText(s);
        EXPECT_EQ(lost.empty(), !c.lost);
        if (c.lost) {
            EXPECT_EQ(lost.rfind(std::string("No row of this file could be read:\n") + c.line, 0), 0u) << lost;
        }
    }
}

TEST(LoadReport, SeveralFilesShowTheFirstAndCountTheOthers)
{
    Session s;
    s.nFile = 4;
    s.Flist.assign(4);
    s.FileTab.assign(4);
    const FileRecord records[] = {Record(1, 9, 0), Record(3, 9, 2), Record(1, 8, 1), Record(2, 0, 0)};
    for (int i = 1; i <= 4; ++i) {
        s.Flist[i] = "/d/r" + std::to_string(i) + ".csv";
        s.FileTab[i] = records[i - 1];
    }
    const LoadNote note = LoadNoteOf(s);
    EXPECT_EQ(note.label, "r2.csv: names from line 3, 9 rows stored, 2 skipped (and 2 more files)");
    EXPECT_EQ(note.lines,
              "r2.csv: names from line 3, 9 rows stored, 2 skipped\n"
              "r3.csv: names from line 1, 8 rows stored, 1 skipped\n"
              "r4.csv: names from line 2, 0 rows stored, 0 skipped");
}

class NotingHost : public testing::FakeHost {
public:
    using FakeHost::FakeHost;
    void ShowLoadNote(const std::string& label, const std::string& lines) override
    {
        notes.push_back(label);
        noteLines = lines;
    }
    std::vector<std::string> notes;
    std::string noteLines;
};

// A names line below a title and a comment, a row with a field too few,
// and a file whose stray third field in line 4 made that line the names line.
struct Files {
    TempFolder dir;
    std::string shifted = dir.write("shifted.csv", "Run 7\n# made by a test\ntime,x\n0,1\n1\n2,3\n");
    std::string lost = dir.write("lost.csv", "time,x\n0,1\n1,2\n2,3,4\n3,4\n4,5\n");
    std::string plain = dir.write("plain.csv", "time,x\n0,1\n1,2\n");
};

TEST(LoadReport, ALoadThroughTheLibraryTellsItsFactsOnce)
{
    Files f;
    NotingHost host(f.dir.file("config"));
    Session s;
    s.Flist.push_back(f.plain);
    s.Flist.push_back(f.shifted);
    s.Flist.push_back(f.lost);
    s.nFile = 3;
    ASSERT_TRUE(LoadData(s, host, TheLibrary()));
    EXPECT_EQ(s.FileTab[2].namesLine, 3);
    EXPECT_EQ(s.FileTab[2].nRefused, 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind("No row of this file could be read:\n"
                                          "lost.csv: names from line 4, 0 rows stored, 5 skipped\n\n",
                                          0),
              0u)
        << host.messages[0].text;
    EXPECT_EQ(host.notes, (std::vector<std::string>{"shifted.csv: names from line 3, 2 rows stored, 2 skipped"}));

    // A plain load says nothing, and tells the window so.
    s.Flist.resize(1);
    s.nFile = 1;
    host.messages.clear();
    ASSERT_TRUE(LoadData(s, host, TheLibrary()));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.notes.back(), "");
    TheLibrary().Close();
}

TEST(LoadReport, ThePageExportTellsOnTheErrorStream)
{
    Files f;
    ProgramArgs args = ParseProgramArgs({"--export", f.dir.file("page.png"), f.shifted, f.lost});
    ASSERT_EQ(args.error, "");
    std::ostringstream out;
    std::ostringstream err;
    ExportPage(args, out, err);
    const std::string text = err.str();
    EXPECT_NE(text.find("zan: shifted.csv: names from line 3, 2 rows stored, 2 skipped\n"), std::string::npos) << text;
    EXPECT_NE(text.find("lost.csv: names from line 4, 0 rows stored, 5 skipped"), std::string::npos) << text;
}

}  // namespace
}  // namespace zan
