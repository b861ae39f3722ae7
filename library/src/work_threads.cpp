#include "work_threads.h"

#include "load_hooks.h"

#include <algorithm>

namespace zan {

namespace hooks {
std::optional<unsigned> reader_threads;
std::optional<uint64_t> chunk_bytes;
std::optional<unsigned> failed_thread_start;
}  // namespace hooks

namespace {

constexpr uint64_t kMinChunk = uint64_t{4} << 20;
// Pieces per file at most; each keeps a pair of extremes per variable until
// the rows are put in order.
constexpr uint64_t kMaxChunks = 64;

}  // namespace

unsigned reader_thread_count()
{
    if (hooks::reader_threads) return std::max(1u, *hooks::reader_threads);
    return std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
}

uint64_t chunk_size(uint64_t size)
{
    if (hooks::chunk_bytes) return std::max<uint64_t>(1, *hooks::chunk_bytes);
    return std::max(kMinChunk, size / kMaxChunks + 1);
}

}  // namespace zan
