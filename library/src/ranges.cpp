// Value ranges of a variable: over all stored samples from the running
// maximum and minimum kept while loading, or over the samples whose X value
// lies in a window, from the block extremes where a whole block lies inside
// or outside the window and by scanning the samples of the other blocks.
#include "block_extremes.h"
#include "store.h"
#include "value_access.h"

#include <algorithm>
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

// Displayed extremes of a run whose raw extremes are lo..hi: the mapping
// raw x factor + shift keeps or reverses order, so the displayed extremes
// are the mapped raw ones. False when they do not form a range (an empty
// run, or a mapping that gives undefined values).
bool displayed_span(double lo, double hi, zan::Scaling sc, double& dlo, double& dhi)
{
    dlo = zan::displayed(lo, sc);
    dhi = zan::displayed(hi, sc);
    if (dlo > dhi) std::swap(dlo, dhi);
    return lo <= hi && dlo <= dhi;
}

// What the block extremes tell of a run of samples against the X window.
enum class Place { kInside, kOutside, kMixed };

Place place_of(double xlo, double xhi, double xlow, double xhigh)
{
    if (xlo >= xlow && xhi <= xhigh) return Place::kInside;
    if (xhi < xlow || xlo > xhigh) return Place::kOutside;
    return Place::kMixed;
}

// The window range from the block extremes of both variables: runs wholly
// inside the window give their Y extremes, runs wholly outside are skipped,
// and only the samples of runs that cross an edge of the window are looked
// at. For an X that grows with the sample number those are the two blocks
// at the window's edges. Stored values are never undefined (the loader
// replaces them), so the extremes of a run are those of its samples. False
// when the slot keeps no extremes.
bool block_window_extent(const zan::FileSlot& slot, int32_t xvar, int32_t yvar, zan::Scaling sx,
                         zan::Scaling sy, double xlow, double xhigh, Extent& e)
{
    const zan::BlockExtremes& ex = slot.extremes;
    if (!slot.extremes_current()) return false;
    const int32_t n = zan::readable_count(slot);
    ex.summarise(xvar, n);
    ex.summarise(yvar, n);
    const double* xs = slot.column(xvar);
    const double* ys = slot.column(yvar);
    auto take = [&](double ylo, double yhi) {
        double dlo = 0, dhi = 0;
        if (!displayed_span(ylo, yhi, sy, dlo, dhi)) return;
        e.upper = std::fmax(e.upper, dhi);
        e.lower = std::fmin(e.lower, dlo);
    };
    auto classify = [&](double xlo, double xhi) {
        double dlo = 0, dhi = 0;
        if (!displayed_span(xlo, xhi, sx, dlo, dhi)) return Place::kMixed;
        return place_of(dlo, dhi, xlow, xhigh);
    };
    constexpr int32_t per = zan::kExtremeGroup / zan::kExtremeBlock;
    const int32_t groups = (n + zan::kExtremeGroup - 1) / zan::kExtremeGroup;
    const int32_t blocks = (n + zan::kExtremeBlock - 1) / zan::kExtremeBlock;
    for (int32_t g = 0; g < groups; ++g) {
        const Place pg = classify(ex.groupLows(xvar)[g], ex.groupHighs(xvar)[g]);
        if (pg == Place::kOutside) continue;
        if (pg == Place::kInside) {
            take(ex.groupLows(yvar)[g], ex.groupHighs(yvar)[g]);
            continue;
        }
        for (int32_t b = g * per; b < std::min((g + 1) * per, blocks); ++b) {
            const Place pb = classify(ex.lows(xvar)[b], ex.highs(xvar)[b]);
            if (pb == Place::kOutside) continue;
            if (pb == Place::kInside) {
                take(ex.lows(yvar)[b], ex.highs(yvar)[b]);
                continue;
            }
            const int32_t first = b * zan::kExtremeBlock;
            const int32_t count = std::min(zan::kExtremeBlock, n - first);
            e = window_extent(xs + first, ys + first, count, sx, sy, xlow, xhigh, e);
        }
    }
    return true;
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
        const zan::Scaling sx = zan::scaling_of(*file, *xvar);
        const zan::Scaling sy = zan::scaling_of(*file, *yvar);
        Extent e{*upper, *lower};
        if (!block_window_extent(*slot, *xvar, *yvar, sx, sy, *xlo, *xhi, e))
            e = window_extent(xs, ys, zan::readable_count(*slot), sx, sy, *xlo, *xhi, e);
        *upper = e.upper;
        *lower = e.lower;
    }
    *magnitude = magnitude_of(*upper, *lower);
}
}
