// Device extremes of a run of samples. The mapping of a value to a device
// coordinate is a chain of multiplications and additions by constants, each
// rounded, followed by clipping and rounding: every step keeps or reverses
// the order of its inputs, so the extremes of the coordinates are the
// coordinates of the raw extremes. That holds only while every step stays a
// number; when either end maps to an infinity or an undefined value the run
// is mapped sample by sample instead.
#include "batch_mapping.h"
#include "device_mapping.h"
#include "drawn_summary.h"
#include "store.h"
#include "value_access.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zan {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct RawExtremes {
    double lo;
    double hi;
    bool undefined = false;  // a value that is not a number was met
};

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

// Raw extremes of samples first..last (1-based) of variable var: whole
// groups and blocks from the summary when it is current, the partial blocks
// at the ends from the samples themselves.
RawExtremes raw_extremes(const FileSlot& slot, int32_t var, int32_t first, int32_t last)
{
    const double* column = slot.column(var);
    // Not seeded from the first sample: where whole blocks cover the range
    // that would be the one read of the samples themselves, far off in memory.
    RawExtremes r{kInfinity, -kInfinity};
    if (!slot.extremes.covers(slot.block.get(), slot.nvar, slot.capacity)) {
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

struct AxisAnswer {
    int32_t lo = 0;
    int32_t hi = 0;
    int32_t in = 0;
};

// Where one mapped position lies against the device limits.
enum Side { kWithin = 1, kBelow = 2, kAbove = 4, kUndefined = 8 };

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

AxisMap axis_map(int32_t file, int32_t var, double origin, double scale, int32_t offset)
{
    return {scaling_of(file, var), origin, scale, static_cast<double>(offset)};
}

// Raw extremes of every step-th sample from first to last, and the largest
// difference between neighbours among them (at the end of a run it may take
// in the difference to the next sample beyond: never too small).
struct SteppedExtremes {
    double lo;
    double hi;
    double dif;
};

void scan_stepped(const double* column, int64_t i0, int64_t i1, int64_t step, bool toNext, SteppedExtremes& r)
{
    // Four running extremes and differences, so that one sample's compare
    // does not wait for the one before.
    constexpr int kLanes = 4;
    double lo[kLanes], hi[kLanes], dif[kLanes];
    for (int j = 0; j < kLanes; ++j) {
        lo[j] = r.lo;
        hi[j] = r.hi;
        dif[j] = r.dif;
    }
    int64_t i = i0;
    for (; i + kLanes <= i1 + 1; i += kLanes) {
        for (int j = 0; j < kLanes; ++j) {
            const double v = column[(i + j) * step];
            const double prev = column[(i + j == i0 ? i0 : i + j - 1) * step];
            lo[j] = std::min(lo[j], v);
            hi[j] = std::max(hi[j], v);
            dif[j] = std::max(dif[j], std::fabs(v - prev));
        }
    }
    for (; i <= i1; ++i) {
        const double v = column[i * step];
        const double prev = column[(i == i0 ? i0 : i - 1) * step];
        lo[0] = std::min(lo[0], v);
        hi[0] = std::max(hi[0], v);
        dif[0] = std::max(dif[0], std::fabs(v - prev));
    }
    for (int j = 0; j < kLanes; ++j) {
        r.lo = std::min(r.lo, lo[j]);
        r.hi = std::max(r.hi, hi[j]);
        r.dif = std::max(r.dif, dif[j]);
    }
    if (toNext) r.dif = std::max(r.dif, std::fabs(column[(i1 + 1) * step] - column[i1 * step]));
}

// Folds units u0..u1-1 of per-unit tables (lows and highs may be absent).
void fold_stepped(const double* lows, const double* highs, const double* difs, int64_t u0, int64_t u1,
                  SteppedExtremes& r)
{
    for (int64_t u = u0; u < u1; ++u) {
        if (lows) {
            r.lo = std::min(r.lo, lows[u]);
            r.hi = std::max(r.hi, highs[u]);
        }
        r.dif = std::max(r.dif, difs[u]);
    }
}

// Drawn samples i = i0..i1 (sample 1 + i x step), from the block summaries
// where whole blocks lie inside; the samples of the blocks at both ends
// are read one by one.
SteppedExtremes stepped_extremes(const FileSlot& slot, int32_t var, int64_t i0, int64_t i1, int32_t step,
                                 bool wantDif)
{
    const double* column = slot.column(var);
    SteppedExtremes r{kInfinity, -kInfinity, 0.0};
    if (!wantDif && step == 1) {
        const RawExtremes raw = raw_extremes(slot, var, static_cast<int32_t>(i0 + 1), static_cast<int32_t>(i1 + 1));
        return SteppedExtremes{raw.lo, raw.hi, 0.0};
    }
    const bool kept = slot.extremes.covers(slot.block.get(), slot.nvar, slot.capacity);
    const DrawnSummary* d = kept ? slot.extremes.drawn(var, readable_count(slot), step) : nullptr;
    const int64_t b0 = (i0 + kDrawnBlock - 1) / kDrawnBlock;
    const int64_t b1 = (i1 + 1) / kDrawnBlock;
    if (!d || b0 >= b1) {
        scan_stepped(column, i0, i1, step, false, r);
        return r;
    }
    if (i0 < b0 * kDrawnBlock) scan_stepped(column, i0, b0 * kDrawnBlock - 1, step, true, r);
    if (b1 * kDrawnBlock <= i1) scan_stepped(column, b1 * kDrawnBlock, i1, step, false, r);
    // At step 1 the values come from the block extremes, which cover the
    // same blocks of samples.
    if (step == 1) {
        slot.extremes.summarise(var, readable_count(slot));
        const RawExtremes raw = raw_extremes(slot, var, static_cast<int32_t>(i0 + 1), static_cast<int32_t>(i1 + 1));
        r.lo = std::min(r.lo, raw.lo);
        r.hi = std::max(r.hi, raw.hi);
    }
    const double* lows = step == 1 ? nullptr : d->lows();
    const double* highs = step == 1 ? nullptr : d->highs();
    constexpr int64_t per = kDrawnGroup / kDrawnBlock;
    const int64_t g0 = (b0 + per - 1) / per;
    const int64_t g1 = b1 / per;
    if (g0 >= g1) {
        fold_stepped(lows, highs, d->steps(), b0, b1, r);
        return r;
    }
    fold_stepped(lows, highs, d->steps(), b0, g0 * per, r);
    fold_stepped(step == 1 ? nullptr : d->groupLows(), step == 1 ? nullptr : d->groupHighs(), d->groupSteps(), g0,
                 g1, r);
    fold_stepped(lows, highs, d->steps(), g1 * per, b1, r);
    return r;
}

// Like answer(), for every step-th sample, and whether neighbours among them
// map at most one device unit apart: then, rounded, they hit every
// coordinate between the least and the greatest. The bound leaves room for
// the rounding of the mapping's own arithmetic.
AxisAnswer stepped_answer(const FileSlot& slot, int32_t var, int64_t i0, int64_t i1, int32_t step,
                          const AxisMap& m, int32_t* continuous)
{
    int32_t unused = 0;
    int32_t& cont = continuous ? *continuous : unused;
    const SteppedExtremes r = stepped_extremes(slot, var, i0, i1, step, continuous != nullptr);
    const double p1 = device_position(r.lo, m);
    const double p2 = device_position(r.hi, m);
    AxisAnswer a;
    cont = 0;
    if (!std::isfinite(p1) || !std::isfinite(p2)) {
        int sides = 0;
        const double* column = slot.column(var);
        for (int64_t i = i0; i <= i1; ++i) {
            const double p = device_position(column[i * step], m);
            int32_t clipped = 0;
            const int32_t c = device_coordinate(p, clipped);
            a.lo = i == i0 ? c : std::min(a.lo, c);
            a.hi = i == i0 ? c : std::max(a.hi, c);
            sides |= side_of(p);
        }
        a.in = in_of(sides);
        return a;
    }
    const double lo = std::min(p1, p2);
    const double hi = std::max(p1, p2);
    int32_t clipped = 0;
    a.lo = device_coordinate(lo, clipped);
    a.hi = device_coordinate(hi, clipped);
    a.in = in_of(side_of(lo) | side_of(hi));
    const double unit = r.dif * std::fabs(m.sc.factor) * std::fabs(m.scale);
    cont = continuous && a.in == 1 && unit <= 1.0 - 1e-6 ? 1 : 0;
    return a;
}

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
    if (!slot.extremes.covers(slot.block.get(), slot.nvar, slot.capacity)) return t;
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

// The first drawn sample i of i0..i1 (sample 1 + i x step) whose x does not
// map within xlo..xhi or whose y does not map within ylo..yhi, or -1: groups
// and blocks whose extremes map within on both axes are passed over, the
// samples of the first other block read.
int64_t first_outside(const FileSlot& slot, int32_t xvar, int32_t yvar, int64_t i0, int64_t i1, int32_t step,
                      const AxisMap& mx, const AxisMap& my, int32_t xlo, int32_t xhi, int32_t ylo, int32_t yhi)
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
                i += kDrawnGroup;
                continue;
            }
        }
        if (tables && i % kDrawnBlock == 0 && i + kDrawnBlock - 1 <= i1) {
            const int64_t b = i / kDrawnBlock;
            if (maps_within(tx.lows[b], tx.highs[b], mx, xlo, xhi) &&
                maps_within(ty.lows[b], ty.highs[b], my, ylo, yhi)) {
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
        for (int64_t j = 0; j < n; ++j)
            if (in[j] != 1 || cx[j] < xlo || cx[j] > xhi || cy[j] < ylo || cy[j] > yhi) return i + j;
        i += n;
    }
    return -1;
}

}  // namespace

}  // namespace zan

extern "C" ZAN_EXPORT void mexit(int32_t* file, int32_t* first, int32_t* last, int32_t* step, int32_t* xlo,
                                 int32_t* xhi, int32_t* ylo, int32_t* yhi, int32_t* found)
{
    using namespace zan;
    *found = 0;
    const Transform& tr = transform();
    const FileSlot* slot = loaded_slot(*file);
    if (!stored_column(slot, tr.xvar) || !stored_column(slot, tr.yvar)) return;
    const int32_t a = *first;
    const int32_t b = *last;
    const int32_t s = *step;
    if (s < 1 || a < 1 || b < a || b > readable_count(*slot) || (a - 1) % s != 0) return;
    const int64_t i = first_outside(*slot, tr.xvar, tr.yvar, (a - 1) / s, (b - 1) / s, s,
                                    axis_map(*file, tr.xvar, tr.xorg, tr.xscale, tr.xoff),
                                    axis_map(*file, tr.yvar, tr.yorg, tr.yscale, tr.yoff), *xlo, *xhi, *ylo, *yhi);
    *found = i < 0 ? 0 : static_cast<int32_t>(1 + i * s);
}

extern "C" ZAN_EXPORT void mprep(int32_t* file, int32_t* var, int32_t* step, int32_t* differences)
{
    using namespace zan;
    const FileSlot* slot = loaded_slot(*file);
    if (!stored_column(slot, *var) || *step < 1) return;
    if (!slot->extremes.covers(slot->block.get(), slot->nvar, slot->capacity)) return;
    const int32_t n = readable_count(*slot);
    slot->extremes.summarise(*var, n);
    // At step 1 the summary of every step-th sample holds only differences.
    if (*step > 1 || *differences != 0) slot->extremes.drawn(*var, n, *step);
}

extern "C" ZAN_EXPORT void mrngs(int32_t* file, int32_t* first, int32_t* last, int32_t* step, int32_t* xlo,
                                 int32_t* xhi, int32_t* ylo, int32_t* yhi, int32_t* xin, int32_t* yin,
                                 int32_t* xcont, int32_t* ycont)
{
    using namespace zan;
    *xlo = *xhi = *ylo = *yhi = *xin = *yin = 0;
    if (xcont) *xcont = 0;
    if (ycont) *ycont = 0;
    const Transform& tr = transform();
    const FileSlot* slot = loaded_slot(*file);
    if (!stored_column(slot, tr.xvar) || !stored_column(slot, tr.yvar)) return;
    const int32_t a = *first;
    const int32_t b = *last;
    const int32_t s = *step;
    if (s < 1 || a < 1 || b < a || b > readable_count(*slot) || (a - 1) % s != 0) return;
    const int64_t i0 = (a - 1) / s;
    const int64_t i1 = (b - 1) / s;
    const AxisAnswer x = stepped_answer(*slot, tr.xvar, i0, i1, s, axis_map(*file, tr.xvar, tr.xorg, tr.xscale, tr.xoff),
                                        xcont);
    const AxisAnswer y = stepped_answer(*slot, tr.yvar, i0, i1, s, axis_map(*file, tr.yvar, tr.yorg, tr.yscale, tr.yoff),
                                        ycont);
    *xlo = x.lo;
    *xhi = x.hi;
    *xin = x.in;
    *ylo = y.lo;
    *yhi = y.hi;
    *yin = y.in;
}

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
