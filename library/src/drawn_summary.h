// What the drawing needs to know of every step-th sample of a variable (the
// samples 1, 1 + step, 1 + 2 step, ... that a draw rate keeps): per block of
// kDrawnBlock such samples and per group of kDrawnGroup of them, the
// least and greatest value and the largest difference between one of them
// and the next. Made for the step asked on first use and kept until another
// step is asked, samples are added or samples are taken back. At step 1 the block extremes hold the
// values already, so only the differences are kept.
#ifndef ZAN_DRAWN_SUMMARY_H
#define ZAN_DRAWN_SUMMARY_H

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zan {

inline constexpr int32_t kDrawnBlock = 64;
inline constexpr int32_t kDrawnGroup = 64 * kDrawnBlock;

class DrawnSummary {
public:
    // Brings the summary to samples 1..stored of column at this step.
    // False, and nothing kept, without memory for it.
    bool update(const double* column, int32_t stored, int32_t step);

    // Samples from `first` (0-based) on were taken back and may come again
    // with other values: the next update() summarises anew from the block
    // holding the last drawn sample before them.
    void forget_from(int32_t first);

    int32_t step() const { return step_; }
    // Per block (group) of drawn samples; lows and highs only above step 1.
    // A block's step includes the one from its last drawn sample to the next.
    const double* lows() const { return lo_.get(); }
    const double* highs() const { return hi_.get(); }
    const double* steps() const { return dif_.get(); }
    const double* groupLows() const { return groupLo_.get(); }
    const double* groupHighs() const { return groupHi_.get(); }
    const double* groupSteps() const { return groupDif_.get(); }

private:
    bool allocate(std::size_t drawn, bool values);
    void summarise(const double* column, std::size_t fromBlock);

    int32_t step_ = 0;
    int32_t stored_ = -1;
    bool stale_ = false;  // blocks from the one holding sample drawn_ - 1 on are out of date
    std::size_t drawn_ = 0;  // drawn samples summarised
    std::size_t blocks_ = 0;
    std::size_t groups_ = 0;
    std::unique_ptr<double[]> lo_, hi_, dif_, groupLo_, groupHi_, groupDif_;
};

}  // namespace zan

#endif
