// The sample block of one loaded file: its values variable by variable,
// each variable's column starting stride() values after the one before. The
// stride leaves room after every column, so the block can take more samples
// without moving what it holds; pages of that room cost memory only once
// samples are written to them.
#ifndef ZAN_SAMPLE_BLOCK_H
#define ZAN_SAMPLE_BLOCK_H

#include "memory.h"

#include <cstddef>
#include <cstdint>

namespace zan {

class SampleBlock {
public:
    // A block for nvar columns of capacity samples and as much room to grow
    // as the address space allows, up to a generous limit. False, and
    // empty, when the machine cannot supply nvar x capacity values. Without
    // variables the block stays empty and that is no failure.
    bool allocate(int32_t nvar, int32_t capacity);
    void reset();

    // Whether every column can hold `capacity` samples where it is.
    bool holds(int64_t capacity) const { return values_ && capacity <= static_cast<int64_t>(stride_); }

    double* get() const { return values_.get(); }
    std::size_t stride() const { return stride_; }
    explicit operator bool() const { return static_cast<bool>(values_); }

private:
    MappedValues values_;
    std::size_t stride_ = 0;
};

}  // namespace zan

#endif
