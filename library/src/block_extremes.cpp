#include "block_extremes.h"

#include <algorithm>
#include <limits>
#include <new>

namespace zan {

namespace {

// count pairs of infinities, least first; nullptr without memory.
bool make_pair(std::size_t count, std::unique_ptr<double[]>& lo, std::unique_ptr<double[]>& hi)
{
    lo.reset(new (std::nothrow) double[count]);
    hi.reset(new (std::nothrow) double[count]);
    if (!lo || !hi) return false;
    std::fill(lo.get(), lo.get() + count, std::numeric_limits<double>::infinity());
    std::fill(hi.get(), hi.get() + count, -std::numeric_limits<double>::infinity());
    return true;
}

}  // namespace

void BlockExtremes::prepare(const double* block, int32_t nvar, int32_t capacity)
{
    release();
    if (nvar <= 0 || capacity <= 0) return;
    const std::size_t blocks = (static_cast<std::size_t>(capacity) + kExtremeBlock - 1) / kExtremeBlock;
    const std::size_t groups = (static_cast<std::size_t>(capacity) + kExtremeGroup - 1) / kExtremeGroup;
    if (!make_pair(blocks * static_cast<std::size_t>(nvar), lo_, hi_) ||
        !make_pair(groups * static_cast<std::size_t>(nvar), groupLo_, groupHi_)) {
        release();
        return;
    }
    block_ = block;
    nvar_ = nvar;
    capacity_ = capacity;
    blocks_ = blocks;
    groups_ = groups;
    filled_ = 0;
}

void BlockExtremes::release()
{
    lo_.reset();
    hi_.reset();
    groupLo_.reset();
    groupHi_.reset();
    block_ = nullptr;
    nvar_ = 0;
    capacity_ = 0;
    blocks_ = 0;
    groups_ = 0;
    filled_ = 0;
}

}  // namespace zan
