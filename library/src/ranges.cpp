// Value ranges of a variable: over all stored samples from the running
// maximum and minimum kept while loading, or over the samples whose X value
// lies in a window, by scanning them.
#include "store.h"
#include "value_access.h"

#include <cmath>
#include <cstdint>

namespace {

void neutral_range(double* upper, double* lower, double* magnitude)
{
    *upper = 1.0;
    *lower = 0.0;
    *magnitude = 1.0;
}

double magnitude_of(double upper, double lower)
{
    const double m = std::fmax(std::fabs(upper), std::fabs(lower));
    return m == 0.0 ? 1.0 : m;
}

struct Extent {
    double upper;
    double lower;
};

// Four running extents break the dependency from one sample to the next so
// the loop is not limited by the latency of a single compare chain. A value
// that is not a number never raises or lowers an extent.
Extent window_extent(const double* xs, const double* ys, int32_t n, zan::Scaling sx,
                     zan::Scaling sy, double xlow, double xhigh, Extent e)
{
    constexpr int kLanes = 4;
    double up[kLanes];
    double dn[kLanes];
    for (int j = 0; j < kLanes; ++j) {
        up[j] = e.upper;
        dn[j] = e.lower;
    }
    int32_t k = 0;
    for (; k + kLanes <= n; k += kLanes) {
        for (int j = 0; j < kLanes; ++j) {
            const double x = zan::displayed(xs[k + j], sx);
            const double y = zan::displayed(ys[k + j], sy);
            const bool in = x >= xlow && x <= xhigh;
            up[j] = (in && y > up[j]) ? y : up[j];
            dn[j] = (in && y < dn[j]) ? y : dn[j];
        }
    }
    for (; k < n; ++k) {
        const double x = zan::displayed(xs[k], sx);
        const double y = zan::displayed(ys[k], sy);
        if (x >= xlow && x <= xhigh) {
            if (y > up[0]) up[0] = y;
            if (y < dn[0]) dn[0] = y;
        }
    }
    for (int j = 1; j < kLanes; ++j) {
        if (up[j] > up[0]) up[0] = up[j];
        if (dn[j] < dn[0]) dn[0] = dn[j];
    }
    return {up[0], dn[0]};
}

}  // namespace

extern "C" {

// A file number outside 1..loaded count gives upper 1, lower 0, magnitude 1.
// A variable number outside 1..5000 reads like a variable without samples:
// raw maximum -1.0e10, raw minimum +1.0e10, factor 1, shift 0.
ZAN_EXPORT void drang(int32_t* file, int32_t* var, double* upper, double* lower, double* magnitude)
{
    if (!zan::loaded_slot(*file)) {
        neutral_range(upper, lower, magnitude);
        return;
    }
    double rawmax = zan::kInitMax;
    double rawmin = zan::kInitMin;
    const zan::VarTables* t = zan::existing_tables(*file);
    if (t && zan::valid_var(*var)) {
        rawmax = t->rawmax[static_cast<std::size_t>(*var - 1)];
        rawmin = t->rawmin[static_cast<std::size_t>(*var - 1)];
    }
    const zan::Scaling sc = zan::scaling_of(*file, *var);
    // A negative factor turns the largest raw value into the smallest.
    double hi = zan::displayed(rawmax, sc);
    double lo = zan::displayed(rawmin, sc);
    if (!(sc.factor > 0.0)) {
        hi = zan::displayed(rawmin, sc);
        lo = zan::displayed(rawmax, sc);
    }
    if (*file == 1) {
        *upper = hi;
        *lower = lo;
    } else {
        *upper = std::fmax(*upper, hi);
        *lower = std::fmin(*lower, lo);
    }
    *magnitude = magnitude_of(*upper, *lower);
}

// A file number outside 1..loaded count gives upper 1, lower 0, magnitude 1.
// An X or Y variable the file does not have finds no sample in the window.
ZAN_EXPORT void rrang(int32_t* file, int32_t* yvar, int32_t* xvar, double* xlo, double* xhi,
                      double* upper, double* lower, double* magnitude)
{
    const zan::FileSlot* slot = zan::loaded_slot(*file);
    if (!slot) {
        neutral_range(upper, lower, magnitude);
        return;
    }
    if (*file == 1) {
        *upper = zan::kInitMax;
        *lower = zan::kInitMin;
    }
    const double* xs = zan::stored_column(slot, *xvar);
    const double* ys = zan::stored_column(slot, *yvar);
    if (xs && ys) {
        const Extent e = window_extent(xs, ys, zan::readable_count(*slot), zan::scaling_of(*file, *xvar),
                                       zan::scaling_of(*file, *yvar), *xlo, *xhi, {*upper, *lower});
        *upper = e.upper;
        *lower = e.lower;
    }
    *magnitude = magnitude_of(*upper, *lower);
}
}
