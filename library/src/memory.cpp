#include "memory.h"

#include "load_hooks.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

namespace zan {

namespace hooks {
std::optional<uint64_t> memory_limit;
}

namespace {

// Room kept free for the loader's own buffers next to the block.
constexpr uint64_t kReserve = uint64_t{64} << 20;

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
    return block != nullptr;
}

}  // namespace zan
