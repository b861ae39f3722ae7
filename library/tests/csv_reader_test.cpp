#include "loader_fixture.h"

#include <limits>

namespace zan::testfiles {
namespace {

using CsvReader = LoaderTest;

TEST_F(CsvReader, ReadsNamesLineAndDataLines)
{
    const std::string path = dir.file("run.csv");
    write_text(path, "time,alt,speed\n0,100,5\n1,110.5,6\n2,121,7e0\n");
    Loaded r = load(1, path);
    EXPECT_EQ(r.nvar, 3);
    EXPECT_EQ(r.names, (std::vector<std::string>{"time", "alt", "speed"}));
    EXPECT_EQ(r.nrows, 4);
    EXPECT_EQ(r.nstored, 3);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.close_status, 0);
    EXPECT_EQ(column(1, 2), (std::vector<double>{100, 110.5, 121}));
    EXPECT_EQ(column(1, 3), (std::vector<double>{5, 6, 7}));
    EXPECT_EQ(var_tables(1)->rawmax[1], 121);
    EXPECT_EQ(var_tables(1)->rawmin[1], 100);
}

TEST_F(CsvReader, TitleIsTheUpperCasePath)
{
    const std::string path = dir.file("Mixed_Case.Csv");
    write_text(path, "a\n1\n");
    Loaded r = load(1, path);
    std::string up = path;
    for (char& c : up)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    EXPECT_EQ(r.title, up.substr(0, 80));
    EXPECT_EQ(r.nstored, 1);
}

TEST_F(CsvReader, FindsTheNamesLineAndAcceptsOnlyCompleteDataLines)
{
    struct Case {
        const char* label;
        std::string text;
        std::vector<std::string> names;
        int32_t nrows;
        std::vector<double> first_column;
    } cases[] = {
        {"comment before the names", "# made by a run\nt,x\n1,2\n3,4\n", {"t", "x"}, 4, {1, 3}},
        {"percent comment and blank line", "% note\n   \nt,x\n1,2\n", {"t", "x"}, 4, {1}},
        {"empty field in the names", "t,,x\n1,2\n", {"t", "x"}, 2, {1}},
        {"names keep their blanks", " t , x\n1,2\n", {" t", " x"}, 2, {1}},
        {"short data line skipped", "a,b,c\n1,2,3\n4,5\n6,7,8\n", {"a", "b", "c"}, 4, {1, 6}},
        {"text data line skipped", "a,b\n1,2\nx,y\n1e,2\n3,4\n", {"a", "b"}, 5, {1, 3}},
        {"comments between data lines skipped", "a,b\n1,2\n# x\n3,4\n", {"a", "b"}, 4, {1, 3}},
        {"no names line: first data line gives names", "1,2\n3,4\n", {"1", "2"}, 2, {3}},
        {"CR LF line ends", "a,b\r\n1,2\r\n3,4\r\n", {"a", "b"}, 3, {1, 3}},
        {"byte-order mark before the names", "\xEF\xBB\xBFtime,x\n1,2\n", {"time", "x"}, 2, {1}},
        {"byte-order mark before a comment", "\xEF\xBB\xBF# a, b, c\nt,x\n1,2\n", {"t", "x"}, 3, {1}},
        {"byte-order mark alone on the first line", "\xEF\xBB\xBF\nt,x\n1,2\n", {"t", "x"}, 3, {1}},
        {"last line without terminator", "a,b\n1,2\n3,4", {"a", "b"}, 3, {1, 3}},
        {"trailing comma and blanks", "a,b,\n1,2,  \n3 ,4\n", {"a", "b"}, 3, {1, 3}},
        {"plus sign and D exponent", "a,b\n+1,2\n2.5D1,1\n", {"a", "b"}, 3, {1, 25}},
        {"blank separated numbers in one field", "a,b\n1 2,3\n", {"a", "b"}, 2, {1}},
        {"empty field between numbers", "a,b\n1,,2\n", {"a", "b"}, 2, {1}},
        {"sign only is not a number", "a,b\n-,2\n+,2\n5,6\n", {"a", "b"}, 4, {5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        reset();
        const std::string path = dir.file("cases.csv");
        write_text(path, c.text);
        Loaded r = load(1, path);
        EXPECT_EQ(r.status, -1);
        EXPECT_EQ(r.names, c.names);
        EXPECT_EQ(r.nrows, c.nrows);
        ASSERT_EQ(r.nvar, int32_t(c.names.size()));
        EXPECT_EQ(column(1, 1), c.first_column);
    }
}

TEST_F(CsvReader, BlankSeparatedNumbersFillTheFieldsInOrder)
{
    const std::string path = dir.file("blanks.csv");
    write_text(path, "a,b\n1 2,3\n");
    load(1, path);
    EXPECT_EQ(column(1, 2), (std::vector<double>{2}));
}

TEST_F(CsvReader, NameIsCutTo78Characters)
{
    const std::string path = dir.file("longname.csv");
    write_text(path, std::string(100, 'n') + ",b\n1,2\n");
    Loaded r = load(1, path);
    ASSERT_EQ(r.names.size(), 2u);
    EXPECT_EQ(r.names[0], std::string(78, 'n'));
}

TEST_F(CsvReader, VariableCountComesFromTheFirst99LinesOnly)
{
    std::string text;
    for (int i = 1; i <= 120; ++i) text += i == 110 ? "1,2,3\n" : std::to_string(i) + ",0\n";
    const std::string path = dir.file("late.csv");
    write_text(path, text);
    Loaded r = load(1, path);
    EXPECT_EQ(r.nvar, 2);
    EXPECT_EQ(r.nrows, 120);
    EXPECT_EQ(r.names, (std::vector<std::string>{"1", "0"}));
    EXPECT_EQ(r.nstored, 118);
}

TEST_F(CsvReader, WidestLineCountsUpToLine99)
{
    struct Case {
        int wide_line;
        int32_t nvar;
    } cases[] = {{98, 3}, {99, 3}, {100, 2}, {101, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wide_line);
        reset();
        std::string text;
        for (int i = 1; i <= 120; ++i) text += i == c.wide_line ? "1,2,3\n" : std::to_string(i) + ",0\n";
        const std::string path = dir.file("edge.csv");
        write_text(path, text);
        EXPECT_EQ(load(1, path).nvar, c.nvar);
    }
}

TEST_F(CsvReader, StepDiscardsLinesAfterEachAcceptedOne)
{
    const std::string path = dir.file("step.csv");
    // Line "bad" is tested and rejected; the next line is tested next, and
    // the discarding starts again only after it is accepted.
    write_text(path, "v\n1\n2\n3\nbad\n5\n6\n7\n8\n");
    Loaded r = load(1, path, 2);
    EXPECT_EQ(r.nrows, 9);
    EXPECT_EQ(r.step, 2);
    EXPECT_EQ(column(1, 1), (std::vector<double>{1, 3, 5, 7}));
    EXPECT_EQ(r.nstored, 4);
    EXPECT_EQ(r.status, 0);
}

TEST_F(CsvReader, ValuesAreCleanedAndLimited)
{
    const std::string path = dir.file("odd.csv");
    write_text(path, "v\nnan\n5e12\n-inf\n1e400\n-1e400\n1e-400\n12\n");
    Loaded r = load(1, path);
    EXPECT_EQ(column(1, 1), (std::vector<double>{-999999999.0, 1e9, -1e9, 1e9, -1e9, 0.0, 12}));
}

TEST_F(CsvReader, AllCommentLinesGiveNoVariables)
{
    const std::string path = dir.file("comments.csv");
    write_text(path, "# a\n# b\n");
    Loaded r = load(1, path);
    EXPECT_EQ(r.nvar, 0);
    EXPECT_EQ(r.nrows, 2);
    EXPECT_EQ(r.status, -1);
}

TEST_F(CsvReader, LinesWithoutFieldsStoreNoSamples)
{
    // Nothing but commas: no variables, so no line can be a sample, and the
    // stored count agrees with what sdata reports.
    for (const char* text : {",\n,,\n", "# c\n,\n,\n,\n", ",,,\n\n,\n"}) {
        SCOPED_TRACE(text);
        reset();
        const std::string path = dir.file("commas.csv");
        write_text(path, text);
        Loaded r = load(1, path);
        EXPECT_EQ(r.nvar, 0);
        EXPECT_EQ(r.nstored, 0);
        EXPECT_EQ(r.status, -1);
        int32_t file = 1, x = 1, y = 1, count = -1;
        sdata(&file, &x, &y, &count);
        EXPECT_EQ(count, r.nstored);
    }
}

TEST_F(CsvReader, LongLinesAreCutAt65536Characters)
{
    // Names line of 40000 fields: cut at 65536 characters, which keeps
    // 32768 fields; far more than 5000 variables.
    std::string names;
    for (int i = 0; i < 40000; ++i) names += i ? ",n" : "n";
    const std::string path = dir.file("wide.csv");
    write_text(path, names + "\n1\n");
    Loaded r = load(1, path);
    EXPECT_EQ(r.status, ZAN_STATUS_TOO_MANY_VARS);
    EXPECT_EQ(r.nvar, 0);
    EXPECT_EQ(r.nstored, 0);
}

TEST_F(CsvReader, DataLineLongerThanTheLimitIsCutAndThenJudged)
{
    // Two fields whose second runs past the limit: the cut keeps a valid
    // number of 65534 digits' worth, so the line still has two numbers.
    const std::string path = dir.file("longline.csv");
    std::string long_line = "1," + std::string(70000, '0') + "\n";
    std::string cut_to_garbage = "1,2" + std::string(70000, 'x') + "\n";
    write_text(path, "a,b\n" + long_line + cut_to_garbage + "3,4\n");
    Loaded r = load(1, path);
    EXPECT_EQ(r.nrows, 4);
    EXPECT_EQ(column(1, 1), (std::vector<double>{1, 3}));
    EXPECT_EQ(column(1, 2), (std::vector<double>{0, 4}));
}

TEST_F(CsvReader, BinaryGarbageLinesAreSkipped)
{
    std::string garbage;
    for (int i = 0; i < 5000; ++i) garbage.push_back(char((i * 7919) % 256));
    const std::string path = dir.file("garbage.csv");
    write_text(path, "a,b\n1,2\n" + garbage + "\n3,4\n" + garbage);
    Loaded r = load(1, path);
    EXPECT_EQ(r.nvar, 2);
    EXPECT_EQ(column(1, 2), (std::vector<double>{2, 4}));
}

TEST_F(CsvReader, EmptyFileLoadsNothing)
{
    const std::string path = dir.file("empty.csv");
    write_text(path, "");
    Loaded r = load(1, path);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.nvar, 0);
    EXPECT_EQ(r.nrows, 0);
    EXPECT_EQ(r.nstored, 0);
}

TEST_F(CsvReader, FileEmptiedBetweenThePassesEndsLikeAnEmptyFile)
{
    const std::string path = dir.file("vanish.csv");
    write_text(path, "a,b\n1,2\n");
    hooks::after_row_count = [&] { std::filesystem::resize_file(path, 0); };
    Loaded r = load(1, path);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.nvar, 0);
}

TEST_F(CsvReader, FileWrittenOnlyAfterItsCountingPassEndsLikeAnEmptyFile)
{
    // Lines that arrive after a counting pass that found none: the load
    // counted no line and reports a file without lines, whatever it finds
    // by the time it would read the names.
    const std::string path = dir.file("late.csv");
    write_text(path, "");
    hooks::after_row_count = [&] { append_text(path, "a,b\n1,2\n"); };
    const Loaded r = load(1, path);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.nvar, 0);
    EXPECT_EQ(r.nstored, 0);
}

TEST_F(CsvReader, FileThatShrinksOrGrowsBetweenThePassesKeepsWhatWasRead)
{
    const std::string path = dir.file("change.csv");
    write_text(path, "a,b\n1,2\n3,4\n5,6\n");
    hooks::after_row_count = [&] { std::filesystem::resize_file(path, 12); };  // "a,b\n1,2\n3,4"
    Loaded r = load(1, path);
    EXPECT_EQ(r.nrows, 4);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(column(1, 1), (std::vector<double>{1, 3}));

    reset();
    write_text(path, "a,b\n1,2\n");
    hooks::after_row_count = [&] { append_text(path, "3,4\n5,6\n"); };
    r = load(1, path);
    // Two lines counted give room for two samples, although the names line
    // is one of them; the appended lines fill it and the rest is not read.
    EXPECT_EQ(r.nrows, 2);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(column(1, 1), (std::vector<double>{1, 3}));
}

}  // namespace
}  // namespace zan::testfiles
