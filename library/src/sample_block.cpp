#include "sample_block.h"

#include "load_hooks.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace zan::hooks {
std::optional<int64_t> block_room;
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
// caches. Columns a power of two apart (whole pages, for instance) would all
// compete for one set while a row is stored across them, which slows the
// readers down by half.
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

}  // namespace

bool SampleBlock::allocate(int32_t nvar, int32_t capacity)
{
    reset();
    if (nvar <= 0) return true;
    const auto n = static_cast<uint64_t>(nvar);
    const int64_t cap = std::max(capacity, int32_t{0});
    const uint64_t bytes = n * static_cast<uint64_t>(cap) * sizeof(double);
    if (!can_supply(bytes, bytes)) return false;
    // Room for at least as many samples again as the block starts with,
    // and for more up to the block size above.
    const int64_t room = hooks::block_room ? std::max<int64_t>(*hooks::block_room, 0)
                         : !room_is_free() ? 0
                                           : std::max(cap, static_cast<int64_t>(kBlockBytes / (n * sizeof(double))) - cap);
    const int64_t least = aligned(cap);
    int64_t stride = std::max(least, std::min(aligned(cap + room), kWidest));
    // Where the address space is short (a limit set on it, or many large
    // blocks), less room is asked for, down to none.
    for (;;) {
        if (values_.map(n * static_cast<uint64_t>(stride))) {
            stride_ = static_cast<std::size_t>(stride);
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
}

}  // namespace zan
