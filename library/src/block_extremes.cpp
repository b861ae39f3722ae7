#include "block_extremes.h"

#include <algorithm>
#include <limits>
#include <new>

namespace zan {

void BlockExtremes::prepare(const double* block, int32_t nvar, int32_t capacity)
{
    release();
    if (nvar <= 0 || capacity <= 0) return;
    const std::size_t blocks = (static_cast<std::size_t>(capacity) + kExtremeBlock - 1) / kExtremeBlock;
    const std::size_t n = blocks * static_cast<std::size_t>(nvar);
    std::unique_ptr<double[]> lo(new (std::nothrow) double[n]);
    std::unique_ptr<double[]> hi(new (std::nothrow) double[n]);
    if (!lo || !hi) return;
    std::fill(lo.get(), lo.get() + n, std::numeric_limits<double>::infinity());
    std::fill(hi.get(), hi.get() + n, -std::numeric_limits<double>::infinity());
    lo_ = std::move(lo);
    hi_ = std::move(hi);
    block_ = block;
    nvar_ = nvar;
    capacity_ = capacity;
    blocks_ = blocks;
    filled_ = 0;
}

void BlockExtremes::release()
{
    lo_.reset();
    hi_.reset();
    block_ = nullptr;
    nvar_ = 0;
    capacity_ = 0;
    blocks_ = 0;
    filled_ = 0;
}

}  // namespace zan
