// Mapped ranges of every step-th sample, the samples a draw rate keeps, from
// the summaries of such samples per block: extremes as for mrang, and the
// largest difference between neighbours, which tells whether together they
// hit every coordinate between their extremes.
#include "drawn_summary.h"
#include "mapped_extent.h"
#include "value_access.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zan {

namespace {

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
    const bool kept = slot.extremes_current();
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

}  // namespace

}  // namespace zan

extern "C" ZAN_EXPORT void mprep(int32_t* file, int32_t* var, int32_t* step, int32_t* differences)
{
    using namespace zan;
    const FileSlot* slot = loaded_slot(*file);
    if (!stored_column(slot, *var) || *step < 1) return;
    if (!slot->extremes_current()) return;
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
