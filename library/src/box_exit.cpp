// The first sample of a run, at a draw step, whose point leaves a box of
// device coordinates: blocks whose extremes map inside the box on both axes
// are passed over, the samples of the first other block mapped together.
#include "batch_mapping.h"
#include "drawn_summary.h"
#include "mapped_extent.h"
#include "value_access.h"

#include <algorithm>
#include <cmath>
#include <climits>
#include <cstdint>

namespace zan {

namespace {

// Whether every value from lo to hi maps inside the device range onto a
// coordinate within clo..chi. The mapping keeps or reverses order, so the
// ends decide for all values between them.
bool maps_within(double lo, double hi, const AxisMap& m, int32_t clo, int32_t chi)
{
    const double p1 = device_position(lo, m);
    const double p2 = device_position(hi, m);
    if (!(std::fabs(p1) <= kDeviceLimit) || !(std::fabs(p2) <= kDeviceLimit)) return false;
    int32_t clipped = 0;
    const int32_t c1 = device_coordinate(p1, clipped);
    const int32_t c2 = device_coordinate(p2, clipped);
    return std::min(c1, c2) >= clo && std::max(c1, c2) <= chi;
}

// The tables of one variable for runs of drawn samples at a step: the block
// extremes at step 1, else those of the summary of every step-th sample; no
// tables (null) where none are kept.
struct RunTables {
    const double* lows = nullptr;
    const double* highs = nullptr;
    const double* groupLows = nullptr;
    const double* groupHighs = nullptr;
};

RunTables run_tables(const FileSlot& slot, int32_t var, int32_t step)
{
    RunTables t;
    if (!slot.extremes_current()) return t;
    const int32_t n = readable_count(slot);
    if (step == 1) {
        slot.extremes.summarise(var, n);
        return {slot.extremes.lows(var), slot.extremes.highs(var), slot.extremes.groupLows(var),
                slot.extremes.groupHighs(var)};
    }
    if (const DrawnSummary* d = slot.extremes.drawn(var, n, step))
        return {d->lows(), d->highs(), d->groupLows(), d->groupHighs()};
    return t;
}

// Least and greatest y coordinate of the samples passed before the exit:
// the raw extremes of the groups and blocks passed whole, and the
// coordinates of the samples looked at one by one.
struct Passed {
    double rawLo = kInfinity;
    double rawHi = -kInfinity;
    int32_t lo = INT32_MAX;
    int32_t hi = INT32_MIN;

    void take(double l, double h)
    {
        rawLo = std::min(rawLo, l);
        rawHi = std::max(rawHi, h);
    }
    void take(int32_t c)
    {
        lo = std::min(lo, c);
        hi = std::max(hi, c);
    }
    // Every raw value passed mapped inside the device range, so its
    // coordinate is that of the raw extremes, which keep or swap their order.
    void finish(const AxisMap& m)
    {
        if (rawLo > rawHi) return;
        int32_t clipped = 0;
        const int32_t a = device_coordinate(device_position(rawLo, m), clipped);
        const int32_t b = device_coordinate(device_position(rawHi, m), clipped);
        lo = std::min({lo, a, b});
        hi = std::max({hi, a, b});
    }
};

// The first drawn sample i of i0..i1 (sample 1 + i x step) whose x does not
// map within xlo..xhi or whose y does not map within ylo..yhi, or -1: groups
// and blocks whose extremes map within on both axes are passed over, the
// samples of the first other block read.
int64_t first_outside(const FileSlot& slot, int32_t xvar, int32_t yvar, int64_t i0, int64_t i1, int32_t step,
                      const AxisMap& mx, const AxisMap& my, int32_t xlo, int32_t xhi, int32_t ylo, int32_t yhi,
                      Passed& passed)
{
    const double* xs = slot.column(xvar);
    const double* ys = slot.column(yvar);
    const RunTables tx = run_tables(slot, xvar, step);
    const RunTables ty = run_tables(slot, yvar, step);
    const bool tables = tx.lows && ty.lows;
    for (int64_t i = i0; i <= i1;) {
        if (tables && i % kDrawnGroup == 0 && i + kDrawnGroup - 1 <= i1) {
            const int64_t g = i / kDrawnGroup;
            if (maps_within(tx.groupLows[g], tx.groupHighs[g], mx, xlo, xhi) &&
                maps_within(ty.groupLows[g], ty.groupHighs[g], my, ylo, yhi)) {
                passed.take(ty.groupLows[g], ty.groupHighs[g]);
                i += kDrawnGroup;
                continue;
            }
        }
        if (tables && i % kDrawnBlock == 0 && i + kDrawnBlock - 1 <= i1) {
            const int64_t b = i / kDrawnBlock;
            if (maps_within(tx.lows[b], tx.highs[b], mx, xlo, xhi) &&
                maps_within(ty.lows[b], ty.highs[b], my, ylo, yhi)) {
                passed.take(ty.lows[b], ty.highs[b]);
                i += kDrawnBlock;
                continue;
            }
        }
        // The samples up to the end of the block, mapped together.
        const int64_t n = std::min<int64_t>(kDrawnBlock - i % kDrawnBlock, i1 - i + 1);
        double vx[kDrawnBlock], vy[kDrawnBlock];
        int32_t cx[kDrawnBlock], cy[kDrawnBlock], in[kDrawnBlock];
        for (int64_t j = 0; j < n; ++j) {
            vx[j] = xs[(i + j) * step];
            vy[j] = ys[(i + j) * step];
            in[j] = 1;
        }
        map_run(vx, vy, static_cast<int32_t>(n), mx, my, cx, cy, in);
        for (int64_t j = 0; j < n; ++j) {
            if (in[j] != 1 || cx[j] < xlo || cx[j] > xhi || cy[j] < ylo || cy[j] > yhi) return i + j;
            passed.take(cy[j]);
        }
        i += n;
    }
    return -1;
}

}  // namespace

}  // namespace zan

extern "C" ZAN_EXPORT void mexit(int32_t* file, int32_t* first, int32_t* last, int32_t* step, int32_t* xlo,
                                 int32_t* xhi, int32_t* ylo, int32_t* yhi, int32_t* found, int32_t* runlo,
                                 int32_t* runhi)
{
    using namespace zan;
    *found = 0;
    *runlo = 1;
    *runhi = 0;
    const Transform& tr = transform();
    const FileSlot* slot = loaded_slot(*file);
    if (!stored_column(slot, tr.xvar) || !stored_column(slot, tr.yvar)) return;
    const int32_t a = *first;
    const int32_t b = *last;
    const int32_t s = *step;
    if (s < 1 || a < 1 || b < a || b > readable_count(*slot) || (a - 1) % s != 0) return;
    const AxisMap my = axis_map(*file, tr.yvar, tr.yorg, tr.yscale, tr.yoff);
    Passed passed;
    const int64_t i = first_outside(*slot, tr.xvar, tr.yvar, (a - 1) / s, (b - 1) / s, s,
                                    axis_map(*file, tr.xvar, tr.xorg, tr.xscale, tr.xoff), my, *xlo, *xhi, *ylo,
                                    *yhi, passed);
    *found = i < 0 ? 0 : static_cast<int32_t>(1 + i * s);
    passed.finish(my);
    if (passed.lo <= passed.hi) {
        *runlo = passed.lo;
        *runhi = passed.hi;
    }
}
