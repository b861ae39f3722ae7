// drows: the names line, the rows stored and the rows refused of each load.
#include "loader_fixture.h"

#include <string>

namespace zan::testfiles {
namespace {

using LoadFacts = LoaderTest;

struct Facts {
    int32_t names_line = -1;
    int32_t stored = -1;
    int32_t refused = -1;
    bool operator==(const Facts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Facts& f)
{
    return out << "{line " << f.names_line << ", stored " << f.stored << ", refused " << f.refused << "}";
}

Facts facts_of(int32_t file)
{
    Facts f;
    drows(&file, &f.names_line, &f.stored, &f.refused);
    return f;
}

TEST_F(LoadFacts, TextFilesReportTheNamesLineAndTheRowsStoredAndRefused)
{
    struct Case {
        const char* label;
        std::string text;
        int32_t step;
        Facts facts;
    } cases[] = {
        {"names on the first line, every row stored", "t,x\n1,2\n3,4\n", 1, {1, 2, 0}},
        {"comments before the names", "# run 4\n% note\nt,x\n1,2\n", 1, {3, 1, 0}},
        {"refused rows counted, comments and blank lines not",
         "t,x\n1,2\n1\nx,y\n# note\n   \n,,\n3,4\n", 1, {1, 2, 2}},
        {"one extra field in the header search takes that line's names",
         "t,x\n1,2\n3,4\n5,6,7\n8,9\n10,11\n", 1, {4, 0, 5}},
        {"a title line before the names", "Run 5\n# by a test\nt,x\n1,2\n", 1, {3, 1, 1}},
        {"names only", "t,x\n", 1, {1, 0, 0}},
        {"a step passes over lines untested", "t,x\n1,2\nbad\n3,4\n5,6\n7,8\n", 2, {1, 3, 0}},
        {"a step tests the line after a refused one", "t,x\n1,2\n3,4\nbad\n5,6\n", 2, {1, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        reset();
        const std::string path = dir.file("facts.csv");
        write_text(path, c.text);
        const Loaded r = load(1, path, c.step);
        EXPECT_EQ(facts_of(1), c.facts);
        EXPECT_EQ(r.nstored, c.facts.stored);
    }
}

TEST_F(LoadFacts, RowsRefusedAllOverALargeFileAreCountedOnEveryThreadCount)
{
    // Every seventh data line has a field too few, every eleventh is a comment.
    std::string text = "# made by a run\ntime,a,b\n";
    int refused = 0;
    int stored = 0;
    for (int i = 1; i <= 3000; ++i) {
        if (i % 7 == 0) {
            text += std::to_string(i) + ",1\n";
            ++refused;
        } else if (i % 11 == 0) {
            text += "# checkpoint\n";
        } else {
            text += std::to_string(i) + ",1,2\n";
            ++stored;
        }
    }
    const std::string path = dir.file("large.csv");
    write_text(path, text);
    for (unsigned threads : {1u, 2u, 8u}) {
        SCOPED_TRACE(threads);
        reset();
        hooks::reader_threads = threads;
        hooks::chunk_bytes = 4096;
        const Loaded r = load(1, path);
        ASSERT_EQ(r.nstored, stored);
        EXPECT_EQ(facts_of(1), (Facts{2, stored, refused}));
    }
}

TEST_F(LoadFacts, BinaryFilesHaveNoNamesLineAndFilesNotLoadedReportNothing)
{
    write_stream_a(dir.file("run.bin"), "RUN", {"t", "x"}, {{0, 1}, {1, 2}, {2, 3}});
    write_text(dir.file("run.csv"), "t,x\n1,2\n");
    load(1, dir.file("run.bin"));
    load(2, dir.file("missing.csv"));
    load(3, dir.file("run.csv"));
    EXPECT_EQ(facts_of(1), (Facts{0, 3, 0}));
    EXPECT_EQ(facts_of(2), (Facts{0, 0, 0}));
    EXPECT_EQ(facts_of(3), (Facts{1, 1, 0}));
    EXPECT_EQ(facts_of(4), (Facts{0, 0, 0}));
    EXPECT_EQ(facts_of(0), (Facts{0, 0, 0}));
    int32_t result = 0;
    dclos(&result);
    EXPECT_EQ(facts_of(1), (Facts{0, 0, 0}));
    // A later load that passes over slot 1 does not bring back its old facts.
    load(2, dir.file("run.csv"));
    EXPECT_EQ(facts_of(1), (Facts{0, 0, 0}));
    EXPECT_EQ(facts_of(2), (Facts{1, 1, 0}));
}

}  // namespace
}  // namespace zan::testfiles
