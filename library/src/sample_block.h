// The sample block of one loaded file: its values variable by variable,
// each variable's column starting stride() values after the one before. The
// stride leaves room after every column, so the block can take more samples
// without moving what it holds; pages of that room cost memory only once
// samples are written to them.
#ifndef ZAN_SAMPLE_BLOCK_H
#define ZAN_SAMPLE_BLOCK_H

#include "memory.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace zan {

class SampleBlock {
public:
    SampleBlock() = default;
    SampleBlock(SampleBlock&& other) noexcept;
    SampleBlock& operator=(SampleBlock&& other) noexcept;

    // A block for nvar columns of capacity samples and as much room to grow
    // as the address space allows, up to a generous limit. False, and
    // empty, when the machine cannot supply nvar x capacity values. Without
    // variables the block stays empty and that is no failure.
    bool allocate(int32_t nvar, int32_t capacity);
    void reset();

    // Takes the memory for samples first..end-1 (0-based) of every column
    // before a reader stores them; any thread may call it, for any rows.
    // Columns of a large block are first given large pages, which cost
    // little when the system has them at hand; as soon as they cost more
    // than small pages would, the rest of the block takes small pages.
    void prepare_rows(int64_t first, int64_t end);
    bool large_pages() const { return large_.load(std::memory_order_relaxed); }

    // Whether every column can hold `capacity` samples where it is.
    bool holds(int64_t capacity) const { return values_ && capacity <= static_cast<int64_t>(stride_); }

    double* get() const { return values_.get(); }
    std::size_t stride() const { return stride_; }
    explicit operator bool() const { return static_cast<bool>(values_); }

private:
    bool advise_large_pages();
    void give_up_large_pages();

    MappedValues values_;
    std::size_t stride_ = 0;
    int32_t nvar_ = 0;
    int64_t large_rows_ = 0;  // samples per column that large pages may hold
    std::atomic<bool> large_{false};
};

}  // namespace zan

#endif
