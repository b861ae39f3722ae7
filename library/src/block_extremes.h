// Least and greatest stored value of every variable in every block of
// kExtremeBlock consecutive samples, kept up to date while a file loads, so
// that the extremes of a long run of samples cost a look at one pair per
// block instead of every sample.
#ifndef ZAN_BLOCK_EXTREMES_H
#define ZAN_BLOCK_EXTREMES_H

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zan {

inline constexpr int32_t kExtremeBlock = 64;
// Blocks of a second, coarser level, for runs of millions of samples.
inline constexpr int32_t kExtremeGroup = 64 * kExtremeBlock;

class BlockExtremes {
public:
    // Makes room for nvar x capacity samples, all blocks empty. Without
    // memory nothing is kept and covers() is false: readers then scan.
    void prepare(const double* block, int32_t nvar, int32_t capacity);
    void release();

    // Folds value x of variable v (0-based) of sample s (0-based) in.
    void fold(int32_t v, int32_t s, double x)
    {
        if (!lo_) return;
        const std::size_t i = static_cast<std::size_t>(v) * blocks_ + static_cast<std::size_t>(s / kExtremeBlock);
        if (x < lo_[i]) lo_[i] = x;
        if (x > hi_[i]) hi_[i] = x;
        const std::size_t g = static_cast<std::size_t>(v) * groups_ + static_cast<std::size_t>(s / kExtremeGroup);
        if (x < groupLo_[g]) groupLo_[g] = x;
        if (x > groupHi_[g]) groupHi_[g] = x;
        if (v == nvar_ - 1) filled_ = s + 1;
    }

    // True when the summary belongs to this very block and holds its first
    // `stored` samples.
    bool covers(const double* block, int32_t nvar, int32_t capacity, int32_t stored) const
    {
        return lo_ && block == block_ && nvar == nvar_ && capacity == capacity_ && stored == filled_;
    }

    // Extremes of block b (0-based) of variable v (1-based).
    const double* lows(int32_t v) const { return lo_.get() + static_cast<std::size_t>(v - 1) * blocks_; }
    const double* highs(int32_t v) const { return hi_.get() + static_cast<std::size_t>(v - 1) * blocks_; }
    // The same for groups of kExtremeGroup samples.
    const double* groupLows(int32_t v) const { return groupLo_.get() + static_cast<std::size_t>(v - 1) * groups_; }
    const double* groupHighs(int32_t v) const { return groupHi_.get() + static_cast<std::size_t>(v - 1) * groups_; }

private:
    std::unique_ptr<double[]> lo_;
    std::unique_ptr<double[]> hi_;
    std::unique_ptr<double[]> groupLo_;
    std::unique_ptr<double[]> groupHi_;
    const double* block_ = nullptr;
    int32_t nvar_ = 0;
    int32_t capacity_ = 0;
    std::size_t blocks_ = 0;
    std::size_t groups_ = 0;
    int32_t filled_ = 0;  // samples folded in for every variable
};

}  // namespace zan

#endif
