#include "block_extremes.h"

#include <algorithm>
#include <limits>
#include <new>

namespace zan {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

bool make(std::size_t count, MappedValues& table)
{
    return table.map(count) && table;
}

}  // namespace

void BlockExtremes::prepare(const double* block, int32_t nvar, std::size_t stride)
{
    release();
    if (nvar <= 0 || stride == 0 || !block) return;
    const std::size_t blocks = (stride + kExtremeBlock - 1) / kExtremeBlock;
    const std::size_t groups = (stride + kExtremeGroup - 1) / kExtremeGroup;
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
    stride_ = stride;
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
    stride_ = 0;
    blocks_ = 0;
    groups_ = 0;
}

const DrawnSummary* BlockExtremes::drawn(int32_t v, int32_t stored, int32_t step) const
{
    if (!drawn_ || v < 1 || v > nvar_) return nullptr;
    DrawnSummary& d = drawn_[static_cast<std::size_t>(v - 1)];
    const double* column = block_ + static_cast<std::size_t>(v - 1) * stride_;
    return d.update(column, static_cast<int32_t>(std::clamp<int64_t>(stored, 0, static_cast<int64_t>(stride_))), step) ? &d : nullptr;
}

void BlockExtremes::forget_from(int32_t first)
{
    if (!lo_) return;
    first = std::max(first, int32_t{0});
    for (int32_t v = 1; v <= nvar_; ++v) {
        int32_t& done = summarised_[static_cast<std::size_t>(v - 1)];
        if (done <= first) continue;
        // Those blocks read as empty again, as blocks beyond the stored
        // samples do, until summarise() fills them anew.
        const std::size_t from = static_cast<std::size_t>(first) / kExtremeBlock;
        const std::size_t to = (static_cast<std::size_t>(done) + kExtremeBlock - 1) / kExtremeBlock;
        double* lo = lo_.get() + static_cast<std::size_t>(v - 1) * blocks_;
        double* hi = hi_.get() + static_cast<std::size_t>(v - 1) * blocks_;
        std::fill(lo + from, lo + to, kInf);
        std::fill(hi + from, hi + to, -kInf);
        regroup(v, from, to);
        // Summarised up to the start of the first emptied block.
        done = static_cast<int32_t>(from * kExtremeBlock);
    }
    if (drawn_)
        for (int32_t v = 1; v <= nvar_; ++v) drawn_[static_cast<std::size_t>(v - 1)].forget_from(first);
}

void BlockExtremes::summarise(int32_t v, int32_t stored) const
{
    if (!lo_ || v < 1 || v > nvar_) return;
    stored = static_cast<int32_t>(std::clamp<int64_t>(stored, 0, static_cast<int64_t>(stride_)));
    int32_t& done = summarised_[static_cast<std::size_t>(v - 1)];
    if (done == stored) return;
    // Samples added after the last summary only touch the blocks from the one
    // holding the first new sample on. Blocks and groups after the last
    // stored sample are never asked for, and never written.
    const bool added = done >= 0 && done < stored;
    const std::size_t firstBlock = added ? static_cast<std::size_t>(done) / kExtremeBlock : 0;
    const std::size_t endBlock = (static_cast<std::size_t>(stored) + kExtremeBlock - 1) / kExtremeBlock;
    const double* column = block_ + static_cast<std::size_t>(v - 1) * stride_;
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
    regroup(v, firstBlock, endBlock);
    done = stored;
}

void BlockExtremes::regroup(int32_t v, std::size_t firstBlock, std::size_t endBlock) const
{
    constexpr std::size_t per = kExtremeGroup / kExtremeBlock;
    const double* lo = lo_.get() + static_cast<std::size_t>(v - 1) * blocks_;
    const double* hi = hi_.get() + static_cast<std::size_t>(v - 1) * blocks_;
    double* glo = groupLo_.get() + static_cast<std::size_t>(v - 1) * groups_;
    double* ghi = groupHi_.get() + static_cast<std::size_t>(v - 1) * groups_;
    const std::size_t endGroup = (endBlock + per - 1) / per;
    for (std::size_t g = firstBlock / per; g < endGroup; ++g) {
        const std::size_t end = std::min((g + 1) * per, endBlock);
        double l = kInf;
        double h = -kInf;
        for (std::size_t b = g * per; b < end; ++b) {
            l = std::min(l, lo[b]);
            h = std::max(h, hi[b]);
        }
        glo[g] = l;
        ghi[g] = h;
    }
}

}  // namespace zan
