#include "drawn_summary.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace zan {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::size_t kPer = kDrawnGroup / kDrawnBlock;

bool make(std::size_t count, std::unique_ptr<double[]>& table)
{
    table.reset(new (std::nothrow) double[count == 0 ? 1 : count]);
    return table != nullptr;
}

}  // namespace

bool DrawnSummary::allocate(std::size_t drawn, bool values)
{
    const std::size_t blocks = (drawn + kDrawnBlock - 1) / kDrawnBlock;
    const std::size_t groups = (blocks + kPer - 1) / kPer;
    if (blocks == blocks_ && groups == groups_ && (lo_ != nullptr) == values && dif_) return true;
    lo_.reset();
    hi_.reset();
    groupLo_.reset();
    groupHi_.reset();
    bool ok = make(blocks, dif_) && make(groups, groupDif_);
    if (ok && values) ok = make(blocks, lo_) && make(blocks, hi_) && make(groups, groupLo_) && make(groups, groupHi_);
    if (!ok) {
        dif_.reset();
        groupDif_.reset();
        lo_.reset();
        hi_.reset();
        groupLo_.reset();
        groupHi_.reset();
        blocks_ = groups_ = 0;
        return false;
    }
    blocks_ = blocks;
    groups_ = groups;
    return true;
}

bool DrawnSummary::update(const double* column, int32_t stored, int32_t step)
{
    if (step < 1 || stored < 0) return false;
    // Answered without a write when nothing changed, also after a failure:
    // drawings on several threads ask at once.
    if (step == step_ && stored == stored_ && !stale_) return dif_ != nullptr;
    const std::size_t drawn = stored == 0 ? 0 : (static_cast<std::size_t>(stored) - 1) / static_cast<std::size_t>(step) + 1;
    // Samples added to the same step only change the blocks from the one
    // holding the last drawn sample summarised before: its step to the next.
    const bool grown = step == step_ && (stored > stored_ || (stale_ && stored == stored_)) && stored_ >= 0 &&
                       drawn_ > 0 && dif_ != nullptr;
    stale_ = false;
    const std::size_t oldDrawn = drawn_;
    const std::size_t oldBlocks = blocks_;
    std::unique_ptr<double[]> keep[6];
    if (grown) {
        keep[0] = std::move(lo_), keep[1] = std::move(hi_), keep[2] = std::move(dif_);
        keep[3] = std::move(groupLo_), keep[4] = std::move(groupHi_), keep[5] = std::move(groupDif_);
        blocks_ = groups_ = 0;
    }
    if (!allocate(drawn, step > 1)) {
        step_ = step;
        stored_ = stored;
        drawn_ = 0;
        return false;
    }
    std::size_t from = 0;
    if (grown) {
        const std::size_t oldGroups = (oldBlocks + kPer - 1) / kPer;
        auto copy = [](const std::unique_ptr<double[]>& src, std::unique_ptr<double[]>& dst, std::size_t n) {
            if (src && dst) std::copy(src.get(), src.get() + n, dst.get());
        };
        copy(keep[0], lo_, oldBlocks), copy(keep[1], hi_, oldBlocks), copy(keep[2], dif_, oldBlocks);
        copy(keep[3], groupLo_, oldGroups), copy(keep[4], groupHi_, oldGroups), copy(keep[5], groupDif_, oldGroups);
        from = (oldDrawn - 1) / kDrawnBlock;
    }
    step_ = step;
    stored_ = stored;
    drawn_ = drawn;
    summarise(column, from);
    return true;
}

void DrawnSummary::forget_from(int32_t first)
{
    if (stored_ < 0 || first >= stored_) return;
    first = std::max(first, int32_t{0});
    // Kept as a summary of the first `first` samples whose last block (the
    // one holding the last drawn sample, with its step to the next) is redone.
    const std::size_t step = static_cast<std::size_t>(std::max(step_, int32_t{1}));
    drawn_ = first == 0 ? 0 : (static_cast<std::size_t>(first) - 1) / step + 1;
    blocks_ = (drawn_ + kDrawnBlock - 1) / kDrawnBlock;
    groups_ = (blocks_ + kPer - 1) / kPer;
    stored_ = first;
    stale_ = true;
}

void DrawnSummary::summarise(const double* column, std::size_t fromBlock)
{
    const std::size_t step = static_cast<std::size_t>(step_);
    auto at = [&](std::size_t i) { return column[i * step]; };
    for (std::size_t b = fromBlock; b < blocks_; ++b) {
        const std::size_t first = b * kDrawnBlock;
        const std::size_t end = std::min(first + kDrawnBlock, drawn_);
        double l = kInf, h = -kInf, d = 0.0;
        double prev = at(first);
        for (std::size_t i = first; i < end; ++i) {
            const double v = at(i);
            l = std::min(l, v);
            h = std::max(h, v);
            d = std::max(d, std::fabs(v - prev));
            prev = v;
        }
        if (end < drawn_) d = std::max(d, std::fabs(at(end) - prev));
        if (lo_) {
            lo_[b] = l;
            hi_[b] = h;
        }
        dif_[b] = d;
    }
    for (std::size_t g = fromBlock / kPer; g < groups_; ++g) {
        const std::size_t end = std::min((g + 1) * kPer, blocks_);
        double l = kInf, h = -kInf, d = 0.0;
        for (std::size_t b = g * kPer; b < end; ++b) {
            if (lo_) {
                l = std::min(l, lo_[b]);
                h = std::max(h, hi_[b]);
            }
            d = std::max(d, dif_[b]);
        }
        if (groupLo_) {
            groupLo_[g] = l;
            groupHi_[g] = h;
        }
        groupDif_[g] = d;
    }
}

}  // namespace zan
