#include "data_files.h"
#include "line_reader.h"

#include <gtest/gtest.h>

#include <random>

namespace zan::testfiles {
namespace {

// The lines a text is made of: split at LF, a CR before the LF dropped, each
// cut to `limit` characters; a last line without LF counts too.
std::vector<std::string> expected_lines(const std::string& text, std::size_t limit)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t nl = text.find('\n', start);
        std::size_t end = nl == std::string::npos ? text.size() : nl;
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line.substr(0, limit));
        start = end + 1;
    }
    return lines;
}

// Reads the first `take` lines with next(), the rest with count_rest().
void check(const std::string& text, std::size_t limit, std::size_t capacity, std::size_t take)
{
    TempDir dir;
    const std::string path = dir.file("lines.txt");
    write_text(path, text);
    InputFile file;
    ASSERT_EQ(file.open(path), 0);
    ByteReader in(file, capacity);
    LineReader reader(in, limit);
    const std::vector<std::string> want = expected_lines(text, limit);
    std::size_t k = 0;
    std::string_view line;
    for (; k < take && k < want.size(); ++k) {
        ASSERT_EQ(reader.next(line), 0) << "line " << k;
        ASSERT_EQ(std::string(line), want[k]) << "line " << k;
    }
    uint64_t rest = 0;
    if (take < want.size()) {
        ASSERT_EQ(reader.count_rest(rest), 0);
        EXPECT_EQ(k + rest, want.size());
    }
    EXPECT_EQ(reader.next(line), kEndOfFile);
}

TEST(LineReader, SplitsCutsAndCountsLikeTheSimpleRule)
{
    const std::string cases[] = {
        "",
        "\n",
        "\n\n\r\n",
        "abc",
        "abc\ndef\n",
        "abc\r\ndef\r\n",
        "a\rb\n",
        "exactly8\nexactly8\r\n123456789\n",
        "a line far longer than the limit and the buffer both\nshort\n",
        "a line far longer than the limit and the buffer both without end",
        "12345678\r",
        "1234567\r\n",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        for (std::size_t take : {std::size_t{0}, std::size_t{1}, std::size_t{100}}) check(text, 8, 20, take);
    }
}

TEST(LineReader, AgreesWithTheSimpleRuleOnRandomText)
{
    std::mt19937 gen(7);
    const char alphabet[] = "ab,\r\n\n ";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int len = std::uniform_int_distribution<int>(0, 200)(gen);
        for (int i = 0; i < len; ++i)
            text.push_back(alphabet[std::uniform_int_distribution<int>(0, sizeof alphabet - 2)(gen)]);
        if (round % 3 == 0) text.insert(text.size() / 2, std::string(60, 'x'));
        SCOPED_TRACE(round);
        const std::size_t capacity = std::uniform_int_distribution<std::size_t>(18, 64)(gen);
        const std::size_t take = std::uniform_int_distribution<std::size_t>(0, 40)(gen);
        check(text, 8, capacity, take);
    }
}

}  // namespace
}  // namespace zan::testfiles
