#include "sample_block.h"

#include "load_hooks.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <limits>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

namespace zan::hooks {
std::optional<int64_t> block_room;
std::optional<bool> large_pages;
std::optional<double> large_page_cost;
}

namespace zan {

namespace {

// Address space set aside for one block. Room never written costs nothing
// but addresses, of which a process has about 128 TiB: all 1001 slots fit
// with blocks of this size, and a file that keeps growing can reach many
// times its first size before its samples have to move.
constexpr uint64_t kBlockBytes = uint64_t{16} << 30;

// Columns start on cache lines, an odd number of lines apart: the same
// sample of every column then lies in a different set of the processor's
// caches. Columns a power of two apart (whole pages, for instance) all
// compete for one set while a row is stored across them, which made the
// stream reader take 1.7 times its processor time.
constexpr int64_t kLine = 64 / sizeof(double);

// A column never needs room for more samples than a stored count can
// number; this is the first stride above that.
constexpr int64_t kWidest = int64_t{std::numeric_limits<int32_t>::max()} + 1 + kLine;

// Whether room that is never written is free. A system that accounts every
// writable page up front (strict overcommit) would count the room against
// what all its programs may allocate, so blocks there get none and move when
// they grow.
bool room_is_free()
{
    static const bool free = [] {
        std::FILE* f = std::fopen("/proc/sys/vm/overcommit_memory", "r");
        if (!f) return true;
        int mode = 0;
        const bool read = std::fscanf(f, "%d", &mode) == 1;
        std::fclose(f);
        return !read || mode != 2;
    }();
    return free;
}

int64_t aligned(int64_t samples)
{
    const int64_t lines = (samples + kLine - 1) / kLine;
    return (lines | 1) * kLine;
}

// Samples each column can take beyond its capacity without moving: at least
// as many again as it starts with, and more up to the block size above.
int64_t room_for(uint64_t nvar, int64_t capacity)
{
    if (hooks::block_room) return std::max<int64_t>(*hooks::block_room, 0);
    if (!room_is_free()) return 0;
    return std::max(capacity, static_cast<int64_t>(kBlockBytes / (nvar * sizeof(double))) - capacity);
}

uintptr_t page_size()
{
    static const long size = ::sysconf(_SC_PAGESIZE);
    return size > 0 ? static_cast<uintptr_t>(size) : 4096;
}

// Large pages. The first write to a page of fresh memory costs a fault and
// the clearing of the page; a large page costs one fault for 512 small ones.
// Whether it is cheap depends on where the system finds it: one that a
// program freed a moment before costs about a tenth of the same bytes in
// small pages, but on virtual machines whose host takes back free memory,
// one the host has to supply anew costs five times as much as small pages.
// So a block starts with large pages and measures what they cost as it
// fills; the first that come dear send the rest of the block to small pages.
constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
// A column's last large page may lie partly beyond the samples stored when
// the expected row count was too high: at most this much for all columns.
constexpr uint64_t kLargePageWaste = uint64_t{40} << 20;
// Columns shorter than this keep small pages (they would gain little).
constexpr uint64_t kLargePageColumn = 4 * kLargePage;
// Processor time per fault above which large pages cost more than the
// small pages of the same bytes (about 0.9 ms per 2 MiB on the machines
// measured; a large page at hand costs about 0.1 ms, one supplied anew 5 ms).
constexpr double kLargePageCost = 0.5e-3;

struct Usage {
    double cpu = 0;
    long faults = 0;
};

Usage thread_usage()
{
    Usage u;
    timespec t{};
    if (::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) == 0)
        u.cpu = static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    rusage r{};
    if (::getrusage(RUSAGE_THREAD, &r) == 0) u.faults = r.ru_minflt;
    return u;
}

}  // namespace

SampleBlock::SampleBlock(SampleBlock&& other) noexcept
    : values_(std::move(other.values_)), stride_(std::exchange(other.stride_, 0)),
      nvar_(std::exchange(other.nvar_, 0)), large_rows_(std::exchange(other.large_rows_, 0)),
      large_(other.large_.exchange(false))
{
}

SampleBlock& SampleBlock::operator=(SampleBlock&& other) noexcept
{
    if (this != &other) {
        values_ = std::move(other.values_);
        stride_ = std::exchange(other.stride_, 0);
        nvar_ = std::exchange(other.nvar_, 0);
        large_rows_ = std::exchange(other.large_rows_, 0);
        large_.store(other.large_.exchange(false));
    }
    return *this;
}

bool SampleBlock::allocate(int32_t nvar, int32_t capacity)
{
    reset();
    if (nvar <= 0) return true;
    const auto n = static_cast<uint64_t>(nvar);
    const int64_t cap = std::max(capacity, int32_t{0});
    const uint64_t bytes = n * static_cast<uint64_t>(cap) * sizeof(double);
    if (!can_supply(bytes, bytes)) return false;
    const int64_t least = aligned(cap);
    int64_t stride = std::max(least, std::min(aligned(cap + room_for(n, cap)), kWidest));
    // Where the address space is short (a limit set on it, or many large
    // blocks), less room is asked for, down to none.
    for (;;) {
        if (values_.map(n * static_cast<uint64_t>(stride))) {
            stride_ = static_cast<std::size_t>(stride);
            nvar_ = nvar;
            large_rows_ = cap;
            const bool large = hooks::large_pages ? *hooks::large_pages
                                                  : n * kLargePage <= kLargePageWaste &&
                                                        static_cast<uint64_t>(cap) * sizeof(double) >= kLargePageColumn;
            large_.store(large && advise_large_pages());
            return true;
        }
        if (stride == least) return false;
        const int64_t less = aligned(least + (stride - least) / 2);
        stride = less < stride ? less : least;
    }
}

void SampleBlock::reset()
{
    values_.reset();
    stride_ = 0;
    nvar_ = 0;
    large_rows_ = 0;
    large_.store(false);
}

// Large pages for the whole large pages inside each column's first
// large_rows_ samples; the rest of the block keeps small pages.
bool SampleBlock::advise_large_pages()
{
    const auto base = reinterpret_cast<uintptr_t>(values_.get());
    for (int32_t v = 0; v < nvar_; ++v) {
        const uintptr_t column = base + static_cast<uintptr_t>(v) * stride_ * sizeof(double);
        const uintptr_t from = (column + kLargePage - 1) & ~(kLargePage - 1);
        const uintptr_t to = (column + static_cast<uintptr_t>(large_rows_) * sizeof(double)) & ~(kLargePage - 1);
        if (to > from && ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE) != 0) {
            ::madvise(values_.get(), values_.size() * sizeof(double), MADV_NOHUGEPAGE);
            return false;
        }
    }
    return true;
}

void SampleBlock::give_up_large_pages()
{
    if (large_.exchange(false)) ::madvise(values_.get(), values_.size() * sizeof(double), MADV_NOHUGEPAGE);
}

void SampleBlock::prepare_rows(int64_t first, int64_t end)
{
    if (!large_.load(std::memory_order_relaxed)) return;
    first = std::max<int64_t>(first, 0);
    end = std::min(end, large_rows_);
    if (first >= end) return;
    const Usage before = thread_usage();
    const auto base = reinterpret_cast<uintptr_t>(values_.get());
    const uintptr_t page = page_size();
    for (int32_t v = 0; v < nvar_; ++v) {
        const uintptr_t column = base + static_cast<uintptr_t>(v) * stride_ * sizeof(double);
        const uintptr_t from = (column + static_cast<uintptr_t>(first) * sizeof(double)) & ~(page - 1);
        const uintptr_t to = column + static_cast<uintptr_t>(end) * sizeof(double);
        // Systems without this advice leave the pages to the readers' writes.
        if (::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE) != 0) {
            give_up_large_pages();
            return;
        }
    }
    const Usage after = thread_usage();
    const long faults = after.faults - before.faults;
    const double limit = hooks::large_page_cost ? *hooks::large_page_cost : kLargePageCost;
    if (faults > 0 && (after.cpu - before.cpu) / static_cast<double>(faults) > limit) give_up_large_pages();
}

}  // namespace zan
