// How the fast curve drawing reads the samples of one line of one file: the
// drawn samples (every step-th and the last), each mapped the way the sample
// walk maps it, in batches, and the mapped extents of runs of stored samples
// that the library answers from its block extremes.
#ifndef ZAN_RENDER_SAMPLE_READER_H
#define ZAN_RENDER_SAMPLE_READER_H

#include "render/draw_target.h"

#include <cstdint>

namespace zan::render {

// One drawn sample as the sample walk sees it: y is mapped only when x is
// inside the device range, else it keeps the y of the sample before.
struct Mapped {
    int32_t x = 0;
    int32_t y = 0;
    bool xIn = false;
    bool ok = false;  // both inside: the sample is drawn
};

// Mapped extent of a run of drawn samples. xin (yin) is 1 when every x (y)
// is inside the device range, -1 when all lie beyond the same limit, else 0.
// xcont (ycont): every x (y) is inside and within one unit of the one
// before, so the run hits every x (y) from xlo to xhi (ylo to yhi).
struct MappedRange {
    int32_t xlo = 0, xhi = 0, ylo = 0, yhi = 0, xin = 0, yin = 0, xcont = 0, ycont = 0;
    bool allInside() const { return xin == 1 && yin == 1; }
};

// Rows lo..hi; empty when lo is above hi.
struct Rows {
    int32_t lo = 1;
    int32_t hi = 0;
};

// Work done by the fast walks of this thread, counted so that tests can
// check that a redraw does not grow with the samples in view.
struct WalkCost {
    int64_t mapped = 0;  // drawn samples mapped one by one or in batches
    int64_t ranges = 0;  // mapped extents asked of the library
};
WalkCost& ThreadWalkCost();

// Drawn samples are numbered k = 0 .. count-1: every step-th stored sample
// from the first, and the last one always.
class SampleReader {
public:
    // Samples 1..n of library file `file`, with the X and Y variables and
    // the mapping the library holds now.
    SampleReader(int file, int n, int step);

    int count() const { return count_; }
    int step() const { return step_; }
    int32_t sample(int k) const { return k < regular_ ? 1 + k * step_ : n_; }
    bool isLast(int k) const { return k == count_ - 1; }

    // Drawn sample k; staleY is the y register of the walk before it.
    Mapped map(int k, int32_t staleY) const;
    int32_t xAt(int k, bool* in = nullptr) const;
    int32_t yAt(int k, bool* in = nullptr) const;

    // Extent of drawn samples a..b, from the library's summaries; without
    // continuity, xcont and ycont are left 0 and found sooner.
    MappedRange range(int a, int b, bool continuity = false) const;
    int regular() const { return regular_; }
    // The first drawn sample of a..b whose point is beyond a device limit or
    // outside the box [box.left, box.right] x [box.top, box.bottom] (both
    // ends included), or -1 when none is. rows, if given, receives the least
    // and greatest y of the samples before it (lo above hi when none).
    int firstOutside(int a, int b, const Rect& box, Rows* rows = nullptr) const;

    // Calls f(k, m) for drawn samples a..b in order; staleY as for map().
    // Samples outside the device range are mapped one by one.
    template <class F>
    void each(int a, int b, int32_t staleY, F f) const;

private:
    static constexpr int kBatch = 512;
    void batch(int first, int cnt, int32_t* xs, int32_t* ys, int32_t* ins) const;

    int file_;
    int n_;
    int step_;
    int regular_ = 0;
    int count_ = 0;
};

template <class F>
void SampleReader::each(int a, int b, int32_t staleY, F f) const
{
    int32_t xs[kBatch], ys[kBatch], ins[kBatch];
    for (int j = a; j <= b;) {
        const int cnt = step_ == 1 ? (b - j + 1 < kBatch ? b - j + 1 : kBatch) : 1;
        if (step_ == 1) batch(j, cnt, xs, ys, ins);
        for (int i = 0; i < cnt; ++i, ++j) {
            Mapped m;
            if (step_ == 1 && ins[i] == 1) {
                m.x = xs[i];
                m.y = ys[i];
                m.xIn = m.ok = true;
            } else {
                m = map(j, staleY);
            }
            staleY = m.y;
            f(j, m);
        }
    }
}

}  // namespace zan::render

#endif
