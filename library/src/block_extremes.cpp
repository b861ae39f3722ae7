#include "block_extremes.h"

#include <algorithm>
#include <limits>
#include <new>

namespace zan {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

bool make(std::size_t count, std::unique_ptr<double[]>& table)
{
    table.reset(new (std::nothrow) double[count]);
    return table != nullptr;
}

}  // namespace

void BlockExtremes::prepare(const double* block, int32_t nvar, int32_t capacity)
{
    release();
    if (nvar <= 0 || capacity <= 0) return;
    const std::size_t blocks = (static_cast<std::size_t>(capacity) + kExtremeBlock - 1) / kExtremeBlock;
    const std::size_t groups = (static_cast<std::size_t>(capacity) + kExtremeGroup - 1) / kExtremeGroup;
    const std::size_t n = static_cast<std::size_t>(nvar);
    summarised_.reset(new (std::nothrow) int32_t[n]);
    if (!summarised_ || !make(blocks * n, lo_) || !make(blocks * n, hi_) || !make(groups * n, groupLo_) ||
        !make(groups * n, groupHi_)) {
        release();
        return;
    }
    std::fill(summarised_.get(), summarised_.get() + n, -1);
    drawn_.reset(new (std::nothrow) DrawnSummary[n]);
    block_ = block;
    nvar_ = nvar;
    capacity_ = capacity;
    blocks_ = blocks;
    groups_ = groups;
}

void BlockExtremes::release()
{
    lo_.reset();
    hi_.reset();
    groupLo_.reset();
    groupHi_.reset();
    summarised_.reset();
    drawn_.reset();
    block_ = nullptr;
    nvar_ = 0;
    capacity_ = 0;
    blocks_ = 0;
    groups_ = 0;
}

const DrawnSummary* BlockExtremes::drawn(int32_t v, int32_t stored, int32_t step) const
{
    if (!drawn_ || v < 1 || v > nvar_) return nullptr;
    DrawnSummary& d = drawn_[static_cast<std::size_t>(v - 1)];
    const double* column = block_ + static_cast<std::size_t>(v - 1) * static_cast<std::size_t>(capacity_);
    return d.update(column, std::clamp(stored, 0, capacity_), step) ? &d : nullptr;
}

void BlockExtremes::summarise(int32_t v, int32_t stored) const
{
    if (!lo_ || v < 1 || v > nvar_) return;
    stored = std::clamp(stored, 0, capacity_);
    int32_t& done = summarised_[static_cast<std::size_t>(v - 1)];
    if (done == stored) return;
    // Samples added after the last summary only touch the blocks from the one
    // holding the first new sample on; every later block was summarised empty.
    const bool added = done >= 0 && done < stored;
    const std::size_t firstBlock = added ? static_cast<std::size_t>(done) / kExtremeBlock : 0;
    const std::size_t endBlock =
        added ? (static_cast<std::size_t>(stored) + kExtremeBlock - 1) / kExtremeBlock : blocks_;
    const double* column = block_ + static_cast<std::size_t>(v - 1) * static_cast<std::size_t>(capacity_);
    double* lo = lo_.get() + static_cast<std::size_t>(v - 1) * blocks_;
    double* hi = hi_.get() + static_cast<std::size_t>(v - 1) * blocks_;
    for (std::size_t b = firstBlock; b < endBlock; ++b) {
        const std::size_t first = b * kExtremeBlock;
        const std::size_t end = std::min(first + kExtremeBlock, static_cast<std::size_t>(stored));
        double l = kInf;
        double h = -kInf;
        for (std::size_t s = first; s < end; ++s) {
            l = std::min(l, column[s]);
            h = std::max(h, column[s]);
        }
        lo[b] = l;
        hi[b] = h;
    }
    constexpr std::size_t per = kExtremeGroup / kExtremeBlock;
    double* glo = groupLo_.get() + static_cast<std::size_t>(v - 1) * groups_;
    double* ghi = groupHi_.get() + static_cast<std::size_t>(v - 1) * groups_;
    const std::size_t endGroup = added ? (endBlock + per - 1) / per : groups_;
    for (std::size_t g = firstBlock / per; g < endGroup; ++g) {
        const std::size_t end = std::min((g + 1) * per, blocks_);
        double l = kInf;
        double h = -kInf;
        for (std::size_t b = g * per; b < end; ++b) {
            l = std::min(l, lo[b]);
            h = std::max(h, hi[b]);
        }
        glo[g] = l;
        ghi[g] = h;
    }
    done = stored;
}

}  // namespace zan
