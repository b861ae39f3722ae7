// Device extremes of a run of samples. The mapping of a value to a device
// coordinate is a chain of multiplications and additions by constants, each
// rounded, followed by clipping and rounding: every step keeps or reverses
// the order of its inputs, so the extremes of the coordinates are the
// coordinates of the raw extremes. That holds only while every step stays a
// number; when either end maps to an infinity or an undefined value the run
// is mapped sample by sample instead.
#include "mapped_extent.h"
#include "value_access.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zan {

namespace {

void scan(const double* column, int32_t first, int32_t last, RawExtremes& r)
{
    for (int32_t s = first; s <= last; ++s) {
        const double x = column[s - 1];
        if (std::isnan(x)) r.undefined = true;
        r.lo = std::min(r.lo, x);
        r.hi = std::max(r.hi, x);
    }
}

// Extremes of units first..last (0-based, inclusive) of a per-unit table.
void fold_table(const double* lows, const double* highs, int32_t first, int32_t last, RawExtremes& r)
{
    for (int32_t u = first; u <= last; ++u) {
        r.lo = std::min(r.lo, lows[u]);
        r.hi = std::max(r.hi, highs[u]);
    }
}

}  // namespace

RawExtremes raw_extremes(const FileSlot& slot, int32_t var, int32_t first, int32_t last)
{
    const double* column = slot.column(var);
    // Not seeded from the first sample: where whole blocks cover the range
    // that would be the one read of the samples themselves, far off in memory.
    RawExtremes r{kInfinity, -kInfinity};
    if (!slot.extremes_current()) {
        scan(column, first, last, r);
        return r;
    }
    slot.extremes.summarise(var, readable_count(slot));
    // Blocks b0..b1-1 lie wholly inside the range (0-based samples).
    const int32_t b0 = (first - 1 + kExtremeBlock - 1) / kExtremeBlock;
    const int32_t b1 = last / kExtremeBlock;
    if (b0 >= b1) {
        scan(column, first, last, r);
        return r;
    }
    scan(column, first, b0 * kExtremeBlock, r);
    scan(column, b1 * kExtremeBlock + 1, last, r);
    // Groups g0..g1-1 lie wholly inside blocks b0..b1-1.
    constexpr int32_t per = kExtremeGroup / kExtremeBlock;
    const int32_t g0 = (b0 + per - 1) / per;
    const int32_t g1 = b1 / per;
    const double* lows = slot.extremes.lows(var);
    const double* highs = slot.extremes.highs(var);
    if (g0 >= g1) {
        fold_table(lows, highs, b0, b1 - 1, r);
        return r;
    }
    fold_table(lows, highs, b0, g0 * per - 1, r);
    fold_table(slot.extremes.groupLows(var), slot.extremes.groupHighs(var), g0, g1 - 1, r);
    fold_table(lows, highs, g1 * per, b1 - 1, r);
    return r;
}

int side_of(double p)
{
    if (std::fabs(p) <= kDeviceLimit) return kWithin;
    if (p > kDeviceLimit) return kAbove;
    if (p < -kDeviceLimit) return kBelow;
    return kUndefined;
}

int32_t in_of(int sides)
{
    if (sides == kWithin) return 1;
    if (sides == kBelow || sides == kAbove) return -1;
    return 0;
}

namespace {

AxisAnswer sample_by_sample(const double* column, int32_t first, int32_t last, const AxisMap& m)
{
    AxisAnswer a;
    int sides = 0;
    for (int32_t s = first; s <= last; ++s) {
        const double p = device_position(column[s - 1], m);
        int32_t clipped = 0;
        const int32_t c = device_coordinate(p, clipped);
        a.lo = s == first ? c : std::min(a.lo, c);
        a.hi = s == first ? c : std::max(a.hi, c);
        sides |= side_of(p);
    }
    a.in = in_of(sides);
    return a;
}

AxisAnswer answer(const FileSlot& slot, int32_t var, int32_t first, int32_t last, const AxisMap& m)
{
    const RawExtremes r = raw_extremes(slot, var, first, last);
    const double p1 = device_position(r.lo, m);
    const double p2 = device_position(r.hi, m);
    if (r.undefined || !std::isfinite(p1) || !std::isfinite(p2)) return sample_by_sample(slot.column(var), first, last, m);
    const double lo = std::min(p1, p2);
    const double hi = std::max(p1, p2);
    AxisAnswer a;
    int32_t clipped = 0;
    a.lo = device_coordinate(lo, clipped);
    a.hi = device_coordinate(hi, clipped);
    a.in = in_of(side_of(lo) | side_of(hi));
    return a;
}

}  // namespace

AxisMap axis_map(int32_t file, int32_t var, double origin, double scale, int32_t offset)
{
    return {scaling_of(file, var), origin, scale, static_cast<double>(offset)};
}

}  // namespace zan

extern "C" ZAN_EXPORT void mrang(int32_t* file, int32_t* first, int32_t* last, int32_t* xlo, int32_t* xhi,
                                 int32_t* ylo, int32_t* yhi, int32_t* xin, int32_t* yin)
{
    using namespace zan;
    *xlo = *xhi = *ylo = *yhi = *xin = *yin = 0;
    const Transform& tr = transform();
    const FileSlot* slot = loaded_slot(*file);
    if (!stored_column(slot, tr.xvar) || !stored_column(slot, tr.yvar)) return;
    const int32_t a = *first;
    const int32_t b = *last;
    if (a < 1 || b < a || b > readable_count(*slot)) return;
    const AxisAnswer x = answer(*slot, tr.xvar, a, b, axis_map(*file, tr.xvar, tr.xorg, tr.xscale, tr.xoff));
    const AxisAnswer y = answer(*slot, tr.yvar, a, b, axis_map(*file, tr.yvar, tr.yorg, tr.yscale, tr.yoff));
    *xlo = x.lo;
    *xhi = x.hi;
    *xin = x.in;
    *ylo = y.lo;
    *yhi = y.hi;
    *yin = y.in;
}
