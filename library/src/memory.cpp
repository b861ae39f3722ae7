#include "memory.h"

#include "load_hooks.h"

#include <cstdio>
#include <limits>
#include <sys/mman.h>
#include <utility>

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

bool can_supply(uint64_t total, uint64_t added)
{
    if (hooks::memory_limit) return total <= *hooks::memory_limit;
    if (std::optional<uint64_t> avail = available_memory()) return added <= *avail && *avail - added >= kReserve;
    return true;
}

MappedValues::MappedValues(MappedValues&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

MappedValues& MappedValues::operator=(MappedValues&& other) noexcept
{
    if (this != &other) {
        reset();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

bool MappedValues::map(uint64_t count)
{
    reset();
    if (count == 0) return true;
    if (count > std::numeric_limits<std::size_t>::max() / sizeof(double)) return false;
    const auto bytes = static_cast<std::size_t>(count * sizeof(double));
    // Not counted against the system's commit limit where it allows that:
    // most of the room is never written.
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED) return false;
    // Small pages unless their owner asks for large ones where they pay
    // (see the sample block): a large page of room that is never filled
    // would take 2 MiB for a few values.
    ::madvise(p, bytes, MADV_NOHUGEPAGE);
    data_ = static_cast<double*>(p);
    size_ = count;
    return true;
}

void MappedValues::reset()
{
    if (data_) ::munmap(data_, static_cast<std::size_t>(size_ * sizeof(double)));
    data_ = nullptr;
    size_ = 0;
}

}  // namespace zan
