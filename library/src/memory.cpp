#include "memory.h"

#include "load_hooks.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace zan {

namespace hooks {
std::optional<uint64_t> memory_limit;
}

namespace {

// Room kept free for the loader's own buffers next to the block.
constexpr uint64_t kReserve = uint64_t{64} << 20;

// Blocks are written once from start to end. Touching a fresh page costs
// a fault each; with large pages there are 512 times fewer, which is most of
// a binary load's time. Only the whole pages inside the block are advised.
void advise_large_pages(void* start, uint64_t bytes)
{
    const long page = ::sysconf(_SC_PAGESIZE);
    if (page <= 0 || bytes < (uint64_t{4} << 20)) return;
    const uintptr_t p = reinterpret_cast<uintptr_t>(start);
    const uintptr_t first = (p + static_cast<uintptr_t>(page) - 1) & ~static_cast<uintptr_t>(page - 1);
    const uintptr_t last = (p + bytes) & ~static_cast<uintptr_t>(page - 1);
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace

std::optional<uint64_t> available_memory()
{
    std::FILE* f = std::fopen("/proc/meminfo", "r");
    if (!f) return std::nullopt;
    std::optional<uint64_t> result;
    char line[256];
    while (std::fgets(line, sizeof line, f)) {
        unsigned long long kib = 0;
        if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1) {
            result = static_cast<uint64_t>(kib) * 1024;
            break;
        }
    }
    std::fclose(f);
    return result;
}

bool allocate_block(uint64_t count, std::unique_ptr<double[]>& block)
{
    block.reset();
    if (count == 0) return true;
    if (count > std::numeric_limits<std::size_t>::max() / sizeof(double)) return false;
    uint64_t bytes = count * sizeof(double);
    if (hooks::memory_limit) {
        if (bytes > *hooks::memory_limit) return false;
    } else if (std::optional<uint64_t> avail = available_memory()) {
        if (bytes + kReserve > *avail) return false;
    }
    block.reset(new (std::nothrow) double[static_cast<std::size_t>(count)]);
    if (!block) return false;
    advise_large_pages(block.get(), bytes);
    return true;
}

}  // namespace zan
