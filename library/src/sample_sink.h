// Storing of read values into a slot's sample block.
#ifndef ZAN_SAMPLE_SINK_H
#define ZAN_SAMPLE_SINK_H

#include "store.h"

#include <cmath>
#include <cstdint>

namespace zan {

inline constexpr double kMissingValue = -999999999.0;
inline constexpr double kValueLimit = 1.0e9;

// Rows whose memory a reader asks for at a time (half a megabyte per column).
inline constexpr std::size_t kPreparedRows = 65536;

// Not-a-number becomes the missing value; everything else, infinities
// included, is limited to +-1e9.
inline double clean_value(double x)
{
    if (std::isnan(x)) return kMissingValue;
    if (x > kValueLimit) return kValueLimit;
    if (x < -kValueLimit) return -kValueLimit;
    return x;
}

// Widens each variable's raw maximum and minimum by the extremes hi and lo
// of rows stored elsewhere (by the threads of a reader).
inline void merge_extremes(VarTables& vars, const double* lo, const double* hi, int32_t nvar)
{
    for (int32_t v = 0; v < nvar; ++v) {
        if (hi[v] > vars.rawmax[static_cast<std::size_t>(v)]) vars.rawmax[static_cast<std::size_t>(v)] = hi[v];
        if (lo[v] < vars.rawmin[static_cast<std::size_t>(v)]) vars.rawmin[static_cast<std::size_t>(v)] = lo[v];
    }
}

// Appends rows to a slot whose block and tables are ready, keeping each
// variable's raw maximum and minimum up to date so ranges never scan data.
class SampleSink {
public:
    SampleSink(FileSlot& slot, VarTables& vars) : slot_(slot), vars_(vars) {}

    bool full() const { return slot_.stored >= slot_.capacity; }
    int32_t nvar() const { return slot_.nvar; }
    // For readers that fill the block from several threads and then set
    // the stored count and extremes themselves.
    FileSlot& slot() { return slot_; }
    VarTables& vars() { return vars_; }

    // Stores value_of(0) .. value_of(nvar - 1) as the next sample; the
    // caller checks full() first.
    template <class ValueOf>
    void store(ValueOf value_of)
    {
        const std::size_t s = static_cast<std::size_t>(slot_.stored);
        if (s % kPreparedRows == 0) slot_.block.prepare_rows(slot_.stored, slot_.stored + kPreparedRows);
        const std::size_t cap = slot_.block.stride();
        double* block = slot_.block.get();
        double* hi = vars_.rawmax.data();
        double* lo = vars_.rawmin.data();
        for (int32_t v = 0; v < slot_.nvar; ++v) {
            double x = clean_value(value_of(v));
            block[static_cast<std::size_t>(v) * cap + s] = x;
            if (x > hi[v]) hi[v] = x;
            if (x < lo[v]) lo[v] = x;
        }
        ++slot_.stored;
    }

private:
    FileSlot& slot_;
    VarTables& vars_;
};

}  // namespace zan

#endif
