#include "session/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zan {
namespace {

std::vector<std::string> Tokens(const std::string& line)
{
    std::vector<std::string> tokens;
    int pos = 0;
    for (int guard = 0; guard < 100; ++guard) {
        std::string t = NextArg(line, pos);
        if (t.empty())
            break;
        tokens.push_back(t);
    }
    return tokens;
}

TEST(NextArg, SplitsAtBlanksAndTabsAndKeepsQuotedBlanks)
{
    struct Case {
        std::string line;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"a.bin", {"a.bin"}},
        {"a.bin b.csv", {"a.bin", "b.csv"}},
        {"  a.bin\t\tb.csv  ", {"a.bin", "b.csv"}},
        {"\"/home/u/my runs/a.bin\" b.bin", {"/home/u/my runs/a.bin", "b.bin"}},
        // A closing quote ends the token even without a blank after it.
        {"\"x y\"z", {"x y", "z"}},
        {"\"tab\there\"", {"tab\there"}},
        // An unclosed quote runs to the end of the line.
        {"\"open end", {"open end"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tokens(c.line), c.tokens) << c.line;
}

TEST(NextArg, AdvancesThePositionPastEachToken)
{
    const std::string line = "ab \"c d\" e";
    int pos = 0;
    EXPECT_EQ(NextArg(line, pos), "ab");
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(NextArg(line, pos), "c d");
    EXPECT_EQ(pos, 8);
    EXPECT_EQ(NextArg(line, pos), "e");
    EXPECT_EQ(pos, 10);
    EXPECT_EQ(NextArg(line, pos), "");
}

TEST(CommandLineText, QuotesArgumentsWithBlanksSoTheTokensComeBack)
{
    const std::vector<std::string> args = {"/data/my runs/a.bin", "b.bin", "", "c\td.csv"};
    const std::string line = CommandLineText(args);
    EXPECT_EQ(line, "\"/data/my runs/a.bin\" b.bin \"c\td.csv\"");
    EXPECT_EQ(Tokens(line), (std::vector<std::string>{"/data/my runs/a.bin", "b.bin", "c\td.csv"}));
}

TEST(ProgramArgs, ReadsOptionsBeforeTheFileNames)
{
    struct Case {
        std::vector<std::string> args;
        bool exportPage;
        std::string out;
        ExportFormat format;
        int width, height, page;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        {{"a.bin", "b.bin"}, false, "", ExportFormat::Png, 1600, 1000, 1, {"a.bin", "b.bin"}},
        {{"--export", "p.png", "a.bin"}, true, "p.png", ExportFormat::Png, 1600, 1000, 1, {"a.bin"}},
        {{"--export", "P.BMP", "--size", "800x600", "--page", "3", "a.bin"},
         true, "P.BMP", ExportFormat::Bmp, 800, 600, 3, {"a.bin"}},
        {{"--page", "2", "--export", "x.pdf", "a.bin", "--size"},
         true, "x.pdf", ExportFormat::Pdf, 1600, 1000, 2, {"a.bin", "--size"}},
        {{"--", "--export"}, false, "", ExportFormat::Png, 1600, 1000, 1, {"--export"}},
        {{"--export", "r.pdf", "--page", "all", "a.bin"}, true, "r.pdf", ExportFormat::Pdf, 1600, 1000, 1, {"a.bin"}},
        {{"--page", "all", "--export", "p_%03d.png", "a.bin"},
         true, "p_%03d.png", ExportFormat::Png, 1600, 1000, 1, {"a.bin"}},
    };
    for (const Case& c : cases) {
        const ProgramArgs a = ParseProgramArgs(c.args);
        SCOPED_TRACE(c.args.front());
        EXPECT_EQ(a.error, "");
        EXPECT_EQ(a.exportPage, c.exportPage);
        EXPECT_EQ(a.exportFile, c.out);
        if (c.exportPage) {
            EXPECT_EQ(a.exportFormat, c.format);
        }
        EXPECT_EQ(a.width, c.width);
        EXPECT_EQ(a.height, c.height);
        EXPECT_EQ(a.page, c.page);
        EXPECT_EQ(a.allPages, std::find(c.args.begin(), c.args.end(), "all") != c.args.end());
        EXPECT_EQ(a.files, c.files);
    }
}

TEST(ProgramArgs, PutsThePageNumberIntoTheFirstPageNumberField)
{
    struct Case {
        std::string name;
        int page;
        std::string file;
    };
    const Case cases[] = {
        {"p_%d.png", 3, "p_3.png"},      {"p_%03d.png", 7, "p_007.png"}, {"p_%02d.bmp", 123, "p_123.bmp"},
        {"%d/%d.pdf", 2, "2/%d.pdf"},    {"100%.png", 2, "100%.png"},    {"p_%0d.png", 2, "p_%0d.png"},
        {"p_%5.png", 2, "p_%5.png"},     {"p_%", 2, "p_%"},              {"p_%09d.png", 1, "p_000000001.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PageFileName(c.name, c.page), c.file) << c.name;
        EXPECT_EQ(HasPageNumber(c.name), c.file != c.name) << c.name;
    }
}

TEST(ProgramArgs, RefusesUnusableOptions)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--export"},
        {"--export", "p.jpg", "a.bin"},
        {"--export", "p.png"},
        {"--export", "p.png", "--size", "800", "a.bin"},
        {"--export", "p.png", "--size", "0x600", "a.bin"},
        {"--export", "p.png", "--size", "800x99999", "a.bin"},
        {"--export", "p.png", "--page", "0", "a.bin"},
        {"--export", "p.png", "--page", "two", "a.bin"},
        {"--export", "p.png", "--page", "all", "a.bin"},
        {"--export", "p.bmp", "--page", "ALL", "a.bin"},
        {"--page", "all", "a.bin"},
        {"--size", "800x600", "a.bin"},
    };
    for (const auto& args : cases)
        EXPECT_NE(ParseProgramArgs(args).error, "") << args.back();
}

TEST(ProgramArgs, HelpListsEveryOption)
{
    EXPECT_TRUE(ParseProgramArgs({"--help"}).help);
    EXPECT_TRUE(ParseProgramArgs({"-h"}).help);
    const std::string help = HelpText();
    for (const char* option : {"--export", "--size", "--page", "--help"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}

} // namespace
} // namespace zan
