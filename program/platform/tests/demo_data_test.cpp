#include "platform/tests/demo_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using zan::test::demoFile;
using zan::test::demoRunFolder;
namespace fs = std::filesystem;

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int32_t intAt(const std::string& bytes, size_t offset)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + offset);
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

float floatAt(const std::string& bytes, size_t offset)
{
    const int32_t bits = intAt(bytes, offset);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

size_t fieldCount(const std::string& line) { return static_cast<size_t>(std::count(line.begin(), line.end(), ',')) + 1; }

class DemoData : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(demoRunFolder().empty()) << "the demo generator did not run"; }
};

TEST_F(DemoData, StreamFilesHaveTheirHeaderAndWholeRows)
{
    const std::string a = readAll(demoFile("flight.bin"));
    ASSERT_GT(a.size(), 84u);
    EXPECT_EQ(a.substr(0, 24), "Sounding rocket flight, ");
    const int32_t n = intAt(a, 80);
    ASSERT_GE(n, 20);
    EXPECT_EQ(a.substr(84, 10), "time      ");
    const size_t header = 84 + 10 * static_cast<size_t>(n);
    ASSERT_EQ((a.size() - header) % (4 * static_cast<size_t>(n)), 0u);
    const size_t rows = (a.size() - header) / (4 * static_cast<size_t>(n));
    EXPECT_GE(rows, 2000u);
    EXPECT_LE(rows, 20000u);
    EXPECT_EQ(floatAt(a, header + 4 * static_cast<size_t>(n)), 0.025f) << "time of the second row";

    const std::string c = readAll(demoFile("flight_c.bin"));
    ASSERT_GT(c.size(), 96u);
    EXPECT_EQ(c.substr(0, 80), a.substr(0, 80));
    EXPECT_EQ(intAt(c, 80), 0);
    EXPECT_EQ(intAt(c, 84), 0);
    EXPECT_EQ(intAt(c, 88), 1) << "value kind 1: double precision";
    EXPECT_EQ(intAt(c, 92), n);
    EXPECT_EQ(c.substr(96, 11), "time [s]   ");
    EXPECT_EQ(c.size(), 96 + 80 * static_cast<size_t>(n) + rows * 8 * static_cast<size_t>(n));
}

TEST_F(DemoData, RecordFileFramesEveryRecordWithItsLength)
{
    const std::string bin = readAll(demoFile("flight.bin"));
    const std::string dat = readAll(demoFile("flight.dat"));
    const auto n = static_cast<size_t>(intAt(bin, 80));
    ASSERT_GT(dat.size(), 16u);
    const auto first = static_cast<size_t>(intAt(dat, 0));
    const auto L = static_cast<size_t>(intAt(dat, 4));
    EXPECT_EQ(first, 8 + L);
    EXPECT_EQ(static_cast<size_t>(intAt(dat, 8)), n);
    EXPECT_EQ(dat.substr(12, 14), " ## time altit");
    EXPECT_EQ(intAt(dat, 12 + L), static_cast<int32_t>(first));

    // Every row record: length 4n, n singles, length 4n; the values are the
    // stream file's, row for row.
    const size_t rows = (bin.size() - 84 - 10 * n) / (4 * n);
    EXPECT_EQ(dat.size(), 16 + L + rows * (8 + 4 * n));
    for (size_t row : {size_t(0), rows / 2, rows - 1}) {
        const size_t at = 16 + L + row * (8 + 4 * n);
        EXPECT_EQ(static_cast<size_t>(intAt(dat, at)), 4 * n);
        EXPECT_EQ(static_cast<size_t>(intAt(dat, at + 4 + 4 * n)), 4 * n);
        EXPECT_EQ(dat.compare(at + 4, 4 * n, bin, 84 + 10 * n + row * 4 * n, 4 * n), 0) << "row " << row;
    }
}

TEST_F(DemoData, CsvFilesHoldTheSameRunAndASecondVersion)
{
    const std::string bin = readAll(demoFile("flight.bin"));
    const auto n = static_cast<size_t>(intAt(bin, 80));
    const size_t rows = (bin.size() - 84 - 10 * n) / (4 * n);

    const auto first = lines(readAll(demoFile("flight.csv")));
    ASSERT_EQ(first.size(), rows + 1);
    EXPECT_EQ(first[0].rfind("time,altitude,", 0), 0u);
    EXPECT_EQ(fieldCount(first[0]), n);
    EXPECT_EQ(fieldCount(first[rows / 2]), n);
    EXPECT_EQ(first[2].substr(0, 6), "0.025,");

    const auto second = lines(readAll(demoFile("flight2.csv")));
    ASSERT_EQ(second.size(), rows + 2);
    EXPECT_EQ(second[0][0], '#');
    EXPECT_EQ(fieldCount(second[1]), n + 1);
    EXPECT_EQ(second[1].rfind(first[0], 0), 0u) << "the second version adds a variable at the end";
    EXPECT_NE(second[rows / 2 + 1].substr(0, 40), first[rows / 2].substr(0, 40)) << "values differ";
}

TEST(DemoDataGenerator, RefusesAMissingFolderArgument)
{
    EXPECT_NE(std::system(("\"" + std::string(ZAN_EXAMPLES_BIN) + "\" 2>/dev/null").c_str()), 0);
}

}  // namespace
