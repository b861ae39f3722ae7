#include "loader_fixture.h"
#include "memory.h"
#include "sample_block.h"

namespace zan::testfiles {
namespace {

using MemoryRetry = LoaderTest;

std::string counting_file(TempDir& dir, int32_t rows)
{
    Rows values;
    for (int32_t i = 0; i < rows; ++i) values.push_back({double(i)});
    const std::string path = dir.file("rows.bin");
    write_stream_a(path, "t", {"i"}, values);
    return path;
}

TEST_F(MemoryRetry, ShortageHalvesTheCapacityAndDoublesTheStep)
{
    const std::string path = counting_file(dir, 100);
    hooks::memory_limit = 8 * 30;  // room for 30 values: 25 fit, 50 do not
    Loaded r = load(1, path);
    EXPECT_EQ(r.nrows, 100);
    EXPECT_EQ(r.step, 4);
    EXPECT_EQ(r.nstored, 25);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(loaded_slot(1)->capacity, 25);
    const std::vector<double> values = column(1, 1);
    ASSERT_EQ(values.size(), 25u);
    for (std::size_t k = 0; k < values.size(); ++k) EXPECT_EQ(values[k], double(4 * k));
}

TEST_F(MemoryRetry, CallersStepIsTheStartingPoint)
{
    const std::string path = counting_file(dir, 100);
    hooks::memory_limit = 8 * 30;
    Loaded r = load(1, path, 2);
    EXPECT_EQ(r.step, 4);
    EXPECT_EQ(r.nstored, 25);
}

TEST_F(MemoryRetry, NoMemoryEvenAtStep64GivesStatus200AndAnEmptySlot)
{
    const std::string path = counting_file(dir, 1000);
    hooks::memory_limit = 0;
    Loaded r = load(1, path);
    EXPECT_EQ(r.status, ZAN_STATUS_NO_MEMORY);
    EXPECT_EQ(r.step, 128);
    EXPECT_EQ(r.nstored, 7);  // 1000 halved seven times
    EXPECT_EQ(r.nvar, 0);
    ASSERT_NE(loaded_slot(1), nullptr);
    EXPECT_EQ(loaded_slot(1)->nvar, 0);
}

TEST_F(MemoryRetry, BlockLargerThanTheMachinesAvailableMemoryIsRefused)
{
    std::optional<uint64_t> avail = available_memory();
    ASSERT_TRUE(avail.has_value());
    SampleBlock block;
    const uint64_t beyond = *avail / (5000 * sizeof(double)) + 1;
    ASSERT_LE(beyond, uint64_t{INT32_MAX});
    EXPECT_FALSE(block.allocate(5000, static_cast<int32_t>(beyond)));
    EXPECT_EQ(block.get(), nullptr);
    EXPECT_TRUE(block.allocate(1, 1000));
    EXPECT_NE(block.get(), nullptr);
    EXPECT_TRUE(block.allocate(0, 1000));
    EXPECT_TRUE(block.allocate(1, 0));
}

TEST_F(MemoryRetry, HugeSparseFileIsRefusedWithoutTouchingMemory)
{
    // 5000 variables and rows enough for tens of terabytes of samples: even
    // at step 64 no machine this runs on has the memory.
    const std::string path = dir.file("huge.bin");
    write_stream_a(path, "t", std::vector<std::string>(5000, "v"), {});
    std::error_code ec;
    std::filesystem::resize_file(path, uint64_t{15'000'000'000'000}, ec);
    if (ec) GTEST_SKIP() << "file system without sparse files: " << ec.message();
    Loaded r = load(1, path);
    EXPECT_EQ(r.status, ZAN_STATUS_NO_MEMORY);
    EXPECT_EQ(r.step, 128);
    EXPECT_EQ(r.nvar, 0);
}

}  // namespace
}  // namespace zan::testfiles
