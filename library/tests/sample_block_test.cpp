// The sample block grows where it is while its room lasts; only a block
// whose room is used up moves, once, into a larger one. Room that holds no
// samples takes no memory, and where address space is short a block gets
// less room instead of none.
#include "loader_fixture.h"
#include "sample_block.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sys/resource.h>

namespace zan::testfiles {
namespace {

// Values of the three variables at row i: y swings further out every few
// rows, so stale extremes of the old rows would miss the new ones.
double y_of(int i)
{
    return double(i) * double(i % 7 - 3);
}

std::string rows_text(int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i)
        text += std::to_string(i) + "," + std::to_string(i * 10) + "," + std::to_string(int(y_of(i))) + "\n";
    return text;
}

int32_t grow(int32_t file, const std::string& path)
{
    Path codes = path_codes(path);
    int32_t nstored = 0, added = 0, status = -7;
    dgrow(&file, codes.data(), &nstored, &added, &status);
    EXPECT_EQ(status, 0);
    return added;
}

// Kilobytes of the process's memory in use, from the system's figures.
long resident_kb()
{
    long kb = -1;
    if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
        std::fclose(f);
    }
    return kb;
}

using SampleBlocks = LoaderTest;

TEST_F(SampleBlocks, GrowingFileKeepsEveryRowAcrossSeveralReservations)
{
    hooks::block_room = 600;
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x,y\n" + rows_text(1, 300));
    ASSERT_EQ(load(1, path).nstored, 300);
    const FileSlot& slot = *loaded_slot(1);
    int moves = 0;
    int written = 300;
    double top = 0, bottom = 0;
    for (int i = 1; i <= 300; ++i) top = std::max(top, y_of(i)), bottom = std::min(bottom, y_of(i));
    while (written < 9000) {
        const double* before = slot.block.get();
        const std::size_t stride = slot.block.stride();
        append_text(path, rows_text(written + 1, written + 137));
        ASSERT_EQ(grow(1, path), 137);
        for (int i = written + 1; i <= written + 137; ++i) {
            top = std::max(top, y_of(i));
            bottom = std::min(bottom, y_of(i));
        }
        written += 137;
        if (slot.block.get() != before) {
            // Moved only because the rows did not fit where the block was.
            EXPECT_GT(std::size_t(written), stride) << "at " << written;
            EXPECT_GE(slot.block.stride(), std::size_t(slot.capacity) + 600);
            ++moves;
        } else {
            EXPECT_EQ(slot.block.stride(), stride);
        }
        // Ranges from the block extremes take every new row in.
        int32_t f = 1, yv = 3, xv = 1;
        double xlo = 0, xhi = 1e9, upper = 0, lower = 0, magnitude = 0;
        rrang(&f, &yv, &xv, &xlo, &xhi, &upper, &lower, &magnitude);
        ASSERT_EQ(upper, top) << "at " << written;
        ASSERT_EQ(lower, bottom) << "at " << written;
        yv = 2;
        rrang(&f, &yv, &xv, &xlo, &xhi, &upper, &lower, &magnitude);
        ASSERT_EQ(upper, written * 10);
        ASSERT_EQ(lower, 10);
    }
    EXPECT_GE(moves, 3);
    ASSERT_EQ(slot.stored, written);
    for (int i = 1; i <= written; ++i) {
        ASSERT_EQ(stored(1, 1, i), i);
        ASSERT_EQ(stored(1, 2, i), i * 10);
        ASSERT_EQ(stored(1, 3, i), int(y_of(i)));
    }
}

TEST_F(SampleBlocks, WithoutRoomTheFirstGrowthMovesTheBlockOnce)
{
    hooks::block_room = 0;
    const std::string path = dir.file("run.csv");
    write_text(path, "t,x,y\n" + rows_text(1, 2000));
    load(1, path);
    const FileSlot& slot = *loaded_slot(1);
    const double* first = slot.block.get();
    append_text(path, rows_text(2001, 2100));
    ASSERT_EQ(grow(1, path), 100);
    const double* second = slot.block.get();
    EXPECT_NE(second, first);
    append_text(path, rows_text(2101, 4000));
    ASSERT_EQ(grow(1, path), 1900);
    EXPECT_EQ(slot.block.get(), second);
    for (int i = 1; i <= 4000; ++i) ASSERT_EQ(stored(1, 3, i), int(y_of(i)));
}

TEST_F(SampleBlocks, RoomWithoutSamplesTakesNoMemory)
{
    const long before = resident_kb();
    if (before < 0) GTEST_SKIP() << "no memory figures from the system";
    SampleBlock block;
    ASSERT_TRUE(block.allocate(20, 1'000'000));
    // Room to double in place at least, set aside for many times more.
    EXPECT_GE(block.stride(), std::size_t{2'000'000});
    for (int v = 0; v < 20; ++v) {
        double* column = block.get() + std::size_t(v) * block.stride();
        for (int s = 0; s < 1000; ++s) column[s] = v + s;
    }
    // 160 MB of capacity, gigabytes of room: only the pages written count.
    EXPECT_LT(resident_kb() - before, 16 * 1024);
}

// Every sample of a load is the same whether the block has small pages,
// large pages, or gives large pages up part way (with the rows stored by
// one reader or by several threads at once).
TEST_F(SampleBlocks, LargePagesKeepEverySample)
{
    const int rows = 600'000;  // columns of several large pages
    const int lines = 60'000;
    Bytes b;
    b.text("t", 80).i32(2).text("t", 10).text("x", 10);
    std::vector<double> t(rows), x(rows), u(lines), w(lines);
    std::string text = "t,x,y\n";
    for (int i = 0; i < rows; ++i) {
        b.f32(float(i)).f32(float(i % 1000));
        t[std::size_t(i)] = i;
        x[std::size_t(i)] = i % 1000;
        if (i >= lines) continue;
        text += std::to_string(i) + "," + std::to_string(i * 3) + "," + std::to_string(i % 17) + "\n";
        u[std::size_t(i)] = i * 3;
        w[std::size_t(i)] = i % 17;
    }
    const std::string bin = dir.file("big.bin");
    const std::string csv = dir.file("big.csv");
    write_text(bin, b.str());
    write_text(csv, text);
    struct Mode {
        const char* name;
        bool large;  // small pages throughout are what every other load test has
        std::optional<double> cost;
        bool stays_large;
    };
    for (const unsigned threads : {1u, 2u}) {
        for (const Mode mode : {Mode{"large", true, 1.0, true}, Mode{"given up", true, 0.0, false}}) {
            SCOPED_TRACE(std::string(mode.name) + " pages, " + std::to_string(threads) + " threads");
            reset();
            hooks::reader_threads = threads;
            hooks::chunk_bytes = 65536;
            hooks::large_pages = mode.large;
            hooks::large_page_cost = mode.cost;
            ASSERT_EQ(load(1, bin).nstored, rows);
            ASSERT_EQ(load(2, csv).nstored, lines);
            EXPECT_TRUE(column(1, 1) == t);
            EXPECT_TRUE(column(1, 2) == x);
            EXPECT_TRUE(column(2, 2) == u);
            EXPECT_TRUE(column(2, 3) == w);
            // Whether the system grants large pages at all is its own choice.
            const bool offered = static_cast<bool>(std::ifstream("/sys/kernel/mm/transparent_hugepage/enabled"));
            if (mode.stays_large && offered) {
                EXPECT_TRUE(loaded_slot(1)->block.large_pages());
            } else if (!mode.stays_large) {
                EXPECT_FALSE(loaded_slot(1)->block.large_pages());
            }
        }
    }
}

TEST_F(SampleBlocks, GivingUpLargePagesKeepsTheSamplesStored)
{
    hooks::large_pages = true;
    hooks::large_page_cost = 1.0;
    SampleBlock block;
    ASSERT_TRUE(block.allocate(3, 700'000));
    const int64_t half = 350'000;
    block.prepare_rows(0, half);
    for (int v = 0; v < 3; ++v)
        for (int64_t s = 0; s < half; ++s)
            block.get()[std::size_t(v) * block.stride() + std::size_t(s)] = double(v * s);
    hooks::large_page_cost = 0.0;
    block.prepare_rows(half, 700'000);
    EXPECT_FALSE(block.large_pages());
    for (int v = 0; v < 3; ++v)
        for (int64_t s = 0; s < half; ++s)
            ASSERT_EQ(block.get()[std::size_t(v) * block.stride() + std::size_t(s)], double(v * s));
}

#ifndef ZAN_SANITIZED_TESTS
// In a process of its own: leaves 256 MiB of address space, far less than
// a block's usual room, and ends with 0 when blocks still come with room.
[[noreturn]] void allocate_with_little_address_space()
{
    long vm_kb = 0;
    if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "VmSize: %ld kB", &vm_kb) == 1) break;
        std::fclose(f);
    }
    const rlim_t limit = rlim_t(vm_kb) * 1024 + (rlim_t{256} << 20);
    const rlimit lim{limit, limit};
    if (vm_kb <= 0 || setrlimit(RLIMIT_AS, &lim) != 0) std::_Exit(3);
    SampleBlock block;
    if (!block.allocate(2, 1000) || block.stride() < (std::size_t{1} << 20) || block.stride() > (std::size_t{16} << 20))
        std::_Exit(1);
    block.get()[999] = 1.0;
    block.get()[block.stride() + 999] = 2.0;
    // More samples than the address space holds at all: refused.
    if (block.allocate(2, 100'000'000)) std::_Exit(2);
    std::_Exit(0);
}
#endif

TEST_F(SampleBlocks, ShortAddressSpaceGivesLessRoomNotNone)
{
#ifdef ZAN_SANITIZED_TESTS
    GTEST_SKIP() << "the sanitizers need the address space this test takes away";
#else
    EXPECT_EXIT(allocate_with_little_address_space(), ::testing::ExitedWithCode(0), "");
#endif
}

}  // namespace
}  // namespace zan::testfiles
