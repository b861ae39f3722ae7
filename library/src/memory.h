// The sample block of a file, allocated only when the machine can supply it.
#ifndef ZAN_MEMORY_H
#define ZAN_MEMORY_H

#include <cstdint>
#include <memory>
#include <optional>

namespace zan {

// Bytes that can still be allocated without pushing the machine into
// reclaiming memory from others, or nothing when the system does not say.
std::optional<uint64_t> available_memory();

// A block of count values, uninitialised. Fails (returns false) when the
// allocation fails or when the block would exceed the available memory:
// on this platform an oversized allocation usually succeeds at first and the
// process is killed once the pages are touched, so only the check up front
// makes the loader's retry with a coarser step happen.
bool allocate_block(uint64_t count, std::unique_ptr<double[]>& block);

}  // namespace zan

#endif
