#include "stored_files.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<int32_t> path_codes(const std::string& path)
{
    std::vector<int32_t> codes(zan::kPathLen, ' ');
    for (std::size_t i = 0; i < path.size() && i < codes.size(); ++i) codes[i] = static_cast<unsigned char>(path[i]);
    return codes;
}

int32_t size_of(const std::string& path)
{
    auto codes = path_codes(path);
    int32_t file = 7;
    int32_t size = -5;
    int32_t spare = 42;
    dsize(&file, codes.data(), &size, &spare);
    EXPECT_EQ(spare, 42);
    return size;
}

}  // namespace

using Queries = StoredFiles;

TEST_F(Queries, ValuesReadBackWithFactorFirstThenShift)
{
    const int32_t f = put_file({{1.0, 2.0, 3.0}, {10.0, 20.0, 30.0}});
    set_pair(f, 1, 10.0, 2.0);
    EXPECT_DOUBLE_EQ(value(f, 3, 1), 16.0);
    EXPECT_DOUBLE_EQ(value(f, 2, 2), 20.0);
}

TEST_F(Queries, PairBelongsToOneFileAndVariable)
{
    const int32_t f1 = put_file({{3.0}, {3.0}, {3.0}, {3.0}});
    const int32_t f2 = put_file({{3.0}, {3.0}, {3.0}, {3.0}});
    set_pair(f1, 4, 1.0, -2.0);
    EXPECT_DOUBLE_EQ(value(f1, 1, 4), -5.0);
    EXPECT_DOUBLE_EQ(value(f1, 1, 3), 3.0);
    EXPECT_DOUBLE_EQ(value(f2, 1, 4), 3.0);
}

TEST_F(Queries, SecondFileAnswersWithItsOwnData)
{
    put_file({{1.0, 2.0}, {3.0, 4.0}, {5.0, 6.0}});
    const int32_t f2 = put_file({{70.0, 80.0}});
    EXPECT_DOUBLE_EQ(value(f2, 2, 1), 80.0);
}

TEST_F(Queries, FreshSlotReadsNeutralPairForEveryVariable)
{
    const int32_t f = put_file({{1.0}});
    for (int32_t var : {1, 2, 2500, 5000}) {
        double shift = -1.0;
        double factor = -1.0;
        gshft(const_cast<int32_t*>(&f), &var, &shift);
        gfact(const_cast<int32_t*>(&f), &var, &factor);
        EXPECT_EQ(shift, 0.0) << var;
        EXPECT_EQ(factor, 1.0) << var;
    }
}

TEST_F(Queries, SelectingVariablesAlwaysChangesThemAndCountsOnlyLoadedFiles)
{
    put_file({{1.0, 2.0, 3.0}});
    put_file({{1.0}});
    struct Case {
        int32_t file;
        int32_t expected;
    };
    for (const Case c : {Case{1, 3}, Case{2, 1}, Case{5, 0}, Case{0, 0}, Case{-3, 0}, Case{2000, 0}}) {
        int32_t file = c.file;
        int32_t xvar = 7 + c.file;
        int32_t yvar = 9 + c.file;
        int32_t count = -1;
        sdata(&file, &xvar, &yvar, &count);
        EXPECT_EQ(count, c.expected) << c.file;
        EXPECT_EQ(zan::transform().xvar, xvar);
        EXPECT_EQ(zan::transform().yvar, yvar);
    }
}

TEST_F(Queries, FileSizeCountsWholeKilobytes)
{
    const auto dir = std::filesystem::temp_directory_path() / "zan_queries_dsize";
    std::filesystem::create_directories(dir);
    struct Case {
        std::size_t bytes;
        int32_t expected;
    };
    for (const Case c : {Case{0, 0}, Case{1023, 0}, Case{1024, 1}, Case{2047, 1}, Case{2048, 2}}) {
        const auto path = (dir / "data.bin").string();
        std::ofstream(path, std::ios::binary) << std::string(c.bytes, 'x');
        EXPECT_EQ(size_of(path), c.expected) << c.bytes;
    }
    EXPECT_EQ(size_of((dir / "missing.bin").string()), 0);
    EXPECT_EQ(size_of(dir.string()), 0);
    EXPECT_EQ(size_of(""), 0);
    std::filesystem::remove_all(dir);
}
