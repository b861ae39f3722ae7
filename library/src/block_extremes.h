// Least and greatest stored value of every variable in every block of
// kExtremeBlock consecutive samples, so that the extremes of a long run of
// samples cost a look at one pair per block instead of every sample. A
// variable's summary is made from its column the first time it is asked for,
// after the load: loading stays a single pass that only stores values.
#ifndef ZAN_BLOCK_EXTREMES_H
#define ZAN_BLOCK_EXTREMES_H

#include "drawn_summary.h"
#include "memory.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zan {

inline constexpr int32_t kExtremeBlock = 64;
// Blocks of a second, coarser level, for runs of millions of samples.
inline constexpr int32_t kExtremeGroup = 64 * kExtremeBlock;

class BlockExtremes {
public:
    // Makes room for the summaries of nvar columns of samples that start
    // stride samples apart, as many as such a column can hold, so a block
    // that grows in place keeps its summaries. Without room nothing is kept
    // and covers() is false: readers then scan.
    void prepare(const double* block, int32_t nvar, std::size_t stride);
    void release();

    // True when the summary belongs to this very block.
    bool covers(const double* block, int32_t nvar, std::size_t stride) const
    {
        return lo_ && block == block_ && nvar == nvar_ && stride == stride_;
    }

    // Makes the summary of variable v (1-based) from its first `stored`
    // samples unless it holds exactly those already.
    void summarise(int32_t v, int32_t stored) const;

    // Samples from `first` (0-based) on were taken back and may be stored
    // again with other values: their blocks, the whole block holding
    // `first` included, are summarised anew when next asked for.
    void forget_from(int32_t first);

    // Extremes of block b (0-based) of variable v (1-based).
    const double* lows(int32_t v) const { return lo_.get() + static_cast<std::size_t>(v - 1) * blocks_; }
    const double* highs(int32_t v) const { return hi_.get() + static_cast<std::size_t>(v - 1) * blocks_; }
    // The summary of every step-th sample of variable v (1-based) over its
    // first `stored` samples, brought up to date; nullptr without memory.
    const DrawnSummary* drawn(int32_t v, int32_t stored, int32_t step) const;

    // The same for groups of kExtremeGroup samples.
    const double* groupLows(int32_t v) const { return groupLo_.get() + static_cast<std::size_t>(v - 1) * groups_; }
    const double* groupHighs(int32_t v) const { return groupHi_.get() + static_cast<std::size_t>(v - 1) * groups_; }

private:
    // Groups holding blocks firstBlock..endBlock-1 of variable v, from their blocks.
    void regroup(int32_t v, std::size_t firstBlock, std::size_t endBlock) const;

    // Filled on demand by summarise(), which the const queries call, only as
    // far as samples are stored: the rest of each table takes no memory.
    MappedValues lo_;
    MappedValues hi_;
    MappedValues groupLo_;
    MappedValues groupHi_;
    std::unique_ptr<int32_t[]> summarised_;  // per variable: samples summarised, -1 for none
    std::unique_ptr<DrawnSummary[]> drawn_;  // per variable, filled on first use
    const double* block_ = nullptr;
    int32_t nvar_ = 0;
    std::size_t stride_ = 0;
    std::size_t blocks_ = 0;  // per variable, for a full column
    std::size_t groups_ = 0;
};

}  // namespace zan

#endif
