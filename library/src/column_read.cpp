// Many displayed values of one variable in one call: what ddata gives sample
// by sample, for callers that want a whole column (a script taking a run's
// variables as arrays) without one call per value.
#include "store.h"
#include "value_access.h"
#include "work_threads.h"

#include <algorithm>
#include <cstdint>

namespace {

// Below this many values a second thread costs more than it saves.
constexpr int64_t kValuesPerThread = int64_t{1} << 20;

void write_zeros(double* values, int64_t n)
{
    std::fill(values, values + n, 0.0);
}

// The same product and sum as displayed(), so each value equals ddata's.
void scale_run(const double* raw, int64_t n, zan::Scaling sc, double* values)
{
    const double f = sc.factor;
    const double s = sc.shift;
    for (int64_t k = 0; k < n; ++k) values[k] = raw[k] * f + s;
}

}  // namespace

extern "C" {

ZAN_EXPORT void cdata(int32_t* file, int32_t* var, int32_t* first, int32_t* count, double* values)
{
    const int64_t n = *count;
    if (n <= 0) return;
    const zan::FileSlot* slot = zan::loaded_slot(*file);
    const double* column = zan::stored_column(slot, *var);
    if (!column) {
        write_zeros(values, n);
        return;
    }
    // Entry k holds sample first + k: the entries before sample 1 and after
    // the stored count are 0.0, the ones between are copied. 64-bit sums, so
    // that nothing overflows.
    const int64_t start = *first;
    const int64_t end = start + n;
    const int64_t lo = std::clamp<int64_t>(1, start, end);
    const int64_t hi = std::clamp<int64_t>(int64_t{zan::readable_count(*slot)} + 1, lo, end);
    write_zeros(values, lo - start);
    write_zeros(values + (hi - start), end - hi);

    const zan::Scaling sc = zan::scaling_of(*file, *var);
    const double* raw = column + (lo - 1);
    double* out = values + (lo - start);
    const int64_t valid = hi - lo;
    // Writing into memory the caller has just allocated costs a page fault
    // per page, which is most of the time; threads take their faults at once.
    const auto threads = static_cast<unsigned>(
        std::clamp<int64_t>(valid / kValuesPerThread, 1, zan::reader_thread_count()));
    try {
        zan::run_threads(threads, [&](unsigned t) {
            const int64_t a = valid * t / threads;
            const int64_t b = valid * (t + 1) / threads;
            scale_run(raw + a, b - a, sc, out + a);
        });
    } catch (...) {
        // No memory to set the threads up: the calling thread does it all.
        scale_run(raw, valid, sc, out);
    }
}
}
