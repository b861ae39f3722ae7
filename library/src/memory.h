// Memory for the samples of loaded files: address space set aside in one
// piece, whose pages the system supplies only where values are written.
#ifndef ZAN_MEMORY_H
#define ZAN_MEMORY_H

#include <cstdint>
#include <optional>

namespace zan {

// Bytes that can still be allocated without pushing the machine into
// reclaiming memory from others, or nothing when the system does not say.
std::optional<uint64_t> available_memory();

// Whether the machine can supply `added` more bytes for a sample block that
// then holds `total` bytes. On this platform an oversized allocation usually
// succeeds at first and the process is killed once the pages are touched,
// so only this check up front makes the loader's retry with a coarser step
// happen.
bool can_supply(uint64_t total, uint64_t added);

// Room for up to size() values, all reading 0 until written. Setting the
// room aside costs no memory; each page is taken from the system when a
// value in it is first written, and everything is given back together.
class MappedValues {
public:
    MappedValues() = default;
    ~MappedValues() { reset(); }
    MappedValues(MappedValues&& other) noexcept;
    MappedValues& operator=(MappedValues&& other) noexcept;
    MappedValues(const MappedValues&) = delete;
    MappedValues& operator=(const MappedValues&) = delete;

    // Sets aside room for count values (none for 0); false, and empty, when
    // the system grants no such address space.
    bool map(uint64_t count);
    void reset();

    double* get() const { return data_; }
    uint64_t size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    double* data_ = nullptr;
    uint64_t size_ = 0;
};

}  // namespace zan

#endif
