#include "render/fast_walk.h"

#include "render/column_reducer.h"
#include "render/image_target.h"

#include <zan.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace zan::render {

namespace {

// Runs shorter than this are cheaper to map sample by sample than to find;
// after a short run or a failed check the walk maps kExactChunk samples
// before it tries again.
constexpr int kMinSkip = 16;
constexpr int kExactChunk = 64;
constexpr int kBatch = 512;

// One sample mapped the way the sample walk maps it: y only when x is inside.
struct Mapped {
    int32_t x = 0;
    int32_t y = 0;
    bool xIn = false;
    bool ok = false;  // both inside: the sample is drawn
};

// Drawn samples are numbered k = 0 .. count-1: every step-th sample from the
// first, and the last sample always.
class DrawnSamples {
public:
    DrawnSamples(int n, int step) : n_(n), step_(step)
    {
        regular_ = n < 1 ? 0 : (n - 1) / step + 1;
        count_ = regular_ + (regular_ > 0 && (regular_ - 1) * step + 1 < n ? 1 : 0);
    }
    int count() const { return count_; }
    int32_t sample(int k) const { return k < regular_ ? 1 + k * step_ : n_; }

private:
    int n_;
    int step_;
    int regular_ = 0;
    int count_ = 0;
};

struct Range {
    int32_t xlo = 0, xhi = 0, ylo = 0, yhi = 0, xin = 0, yin = 0;
};

class Walker {
public:
    Walker(DrawTarget& target, int file, int n, const WalkStyle& w, VisibleColumns visible)
        : target_(target), reducer_(&target), file_(file), w_(w), visible_(visible),
          drawn_(n, std::max(w.iStep, 1)), step_(std::max(w.iStep, 1))
    {
    }

    void run()
    {
        const int count = drawn_.count();
        for (int k = 0; k < count;) {
            const Mapped m = take(k);
            const int e = k + 1 < count ? skip(k, m) : k;
            if (e > k) {
                k = e + 1;
                continue;
            }
            ++k;
        }
        finish(count);
    }

private:
    // The sample walk's own steps for one drawn sample.
    Mapped mapOne(int32_t s)
    {
        int32_t f = file_;
        Mapped m;
        int32_t inside = 1;
        idata(&f, &s, &m.x, &inside);
        m.xIn = inside == 1;
        m.y = py_;
        if (m.xIn) jdata(&f, &s, &m.y, &inside);
        m.ok = inside == 1;
        return m;
    }

    void consume(int k, const Mapped& m)
    {
        if (m.ok) {
            const Point p{m.x, m.y};
            if (!reducer_.started()) {
                reducer_.start(p);
                runStart_ = k;
            } else if (m.x != px0_ || m.y != py0_) {
                if (m.x != reducer_.runX()) runStart_ = k;
                reducer_.vertex(p);
            }
        }
        px0_ = m.x;
        py0_ = py_ = m.y;
        if (k == drawn_.count() - 1) last_ = m;
    }

    Mapped take(int k)
    {
        const Mapped m = mapOne(drawn_.sample(k));
        consume(k, m);
        return m;
    }

    // Drawn samples k+1 .. e the sample walk's way, in batches where every
    // sample is drawn.
    void exact(int k, int e)
    {
        if (step_ > 1) {
            for (int j = k + 1; j <= e; ++j) take(j);
            return;
        }
        std::array<int32_t, kBatch> xs, ys, ins;
        for (int j = k + 1; j <= e; j += kBatch) {
            int32_t f = file_;
            int32_t first = drawn_.sample(j);
            int32_t cnt = std::min(kBatch, e - j + 1);
            ins.fill(1);
            mdata(&f, &first, &cnt, xs.data(), ys.data(), ins.data());
            for (int i = 0; i < cnt; ++i) {
                if (ins[static_cast<size_t>(i)] == 1) {
                    Mapped m;
                    m.x = xs[static_cast<size_t>(i)];
                    m.y = ys[static_cast<size_t>(i)];
                    m.xIn = m.ok = true;
                    consume(j + i, m);
                } else {
                    take(j + i);
                }
            }
        }
    }

    // Last drawn sample after k for which pred holds, assuming it holds for
    // a leading stretch of them; the stretch is checked by the caller.
    template <class Pred>
    int reach(int k, Pred pred)
    {
        const int top = drawn_.count() - 1;
        int good = k;
        int64_t span = 1;
        int bad = top + 1;
        while (good < top) {
            const int j = static_cast<int>(std::min<int64_t>(top, k + span));
            if (!pred(j)) {
                bad = j;
                break;
            }
            good = j;
            span *= 2;
        }
        while (bad - good > 1) {
            const int mid = good + (bad - good) / 2;
            if (pred(mid)) good = mid;
            else bad = mid;
        }
        return good;
    }

    int32_t xAt(int j, bool* in = nullptr)
    {
        int32_t f = file_, s = drawn_.sample(j), x = 0, inside = 1;
        idata(&f, &s, &x, &inside);
        if (in) *in = inside == 1;
        return x;
    }
    int32_t yAt(int j, bool* in = nullptr)
    {
        int32_t f = file_, s = drawn_.sample(j), y = 0, inside = 1;
        jdata(&f, &s, &y, &inside);
        if (in) *in = inside == 1;
        return y;
    }

    Range rangeOf(int k, int e)
    {
        int32_t f = file_, a = drawn_.sample(k) + 1, b = drawn_.sample(e);
        Range r;
        mrang(&f, &a, &b, &r.xlo, &r.xhi, &r.ylo, &r.yhi, &r.xin, &r.yin);
        return r;
    }

    // The longest of e, then halves of the way to it, whose samples after k
    // pass the check; -1 when none of at least kMinSkip does.
    template <class Check>
    int verified(int k, int e, Check check)
    {
        for (; e - k >= kMinSkip; e = k + (e - k) / 2)
            if (check(rangeOf(k, e))) return e;
        return -1;
    }

    // Tries to pass over drawn samples after k (just taken, mapped as m) in
    // one go; returns the last drawn sample dealt with, k when none.
    int skip(int k, const Mapped& m)
    {
        const Point p{m.x, m.y};
        if (!m.xIn) {
            if (m.x == 0) return k;
            const int e = reach(k, [&](int j) {
                bool in = false;
                return xAt(j, &in) == m.x && !in;
            });
            if (e - k < kMinSkip) return fallBack(k, e);
            const int v = verified(k, e, [](const Range& r) { return r.xin == -1; });
            if (v < 0) return fallBack(k, e);
            // Nothing is drawn and y is not mapped: only x moves on.
            int32_t f = file_, s = drawn_.sample(v), x = 0, inside = 1;
            idata(&f, &s, &x, &inside);
            px0_ = x;
            if (v == drawn_.count() - 1) last_ = Mapped{x, py_, false, false};
            return v;
        }
        if (!m.ok) {
            if (m.y == 0) return k;
            const int e = reach(k, [&](int j) {
                bool xIn = false, yIn = false;
                xAt(j, &xIn);
                return xIn && yAt(j, &yIn) == m.y && !yIn;
            });
            if (e - k < kMinSkip) return fallBack(k, e);
            const int v = verified(k, e, [](const Range& r) { return r.xin == 1 && r.yin == -1; });
            if (v < 0) return fallBack(k, e);
            consume(v, mapOne(drawn_.sample(v)));
            return v;
        }
        if (!reducer_.at(p)) return k;
        const bool left = m.x < visible_.left;
        const bool right = m.x >= visible_.right;
        if (left || right) {
            // Lines between points on one side of the image set no pixel on it.
            const int e = reach(k, [&](int j) {
                bool in = false;
                const int32_t x = xAt(j, &in);
                return in && (left ? x < visible_.left : x >= visible_.right);
            });
            if (e - k < kMinSkip) return fallBack(k, e);
            const int v = verified(k, e, [&](const Range& r) {
                return left ? r.xhi < visible_.left : r.xlo >= visible_.right;
            });
            if (v < 0) return fallBack(k, e);
            const int u = lastVertex(k, v);
            if (u < 0) return fallBack(k, e);
            jumpTo(u);
            return u;
        }
        if (step_ > 1) return k;
        const int e = reach(k, [&](int j) { return xAt(j) == m.x; });
        if (e - k < kMinSkip) return fallBack(k, e);
        Range found;
        const int v = verified(k, e, [&](const Range& r) {
            found = r;
            return r.xlo == m.x && r.xhi == m.x && r.xin == 1 && r.yin == 1;
        });
        if (v < 0) return fallBack(k, e);
        reducer_.span(found.ylo, found.yhi);
        jumpTo(v);
        return v;
    }

    // A drawn sample among the last few of k+1 .. v that the sample walk
    // surely draws a line to (its point differs from the sample before), or
    // -1. The pen ends there whatever the samples before it did.
    int lastVertex(int k, int v)
    {
        for (int u = v; u > k && u >= v - 64; --u) {
            const Mapped m = mapOne(drawn_.sample(u));
            if (!m.ok) continue;
            if (u - 1 == k) return m.x != px0_ || m.y != py0_ ? u : -1;
            int32_t f = file_, s = drawn_.sample(u - 1), x = 0, y = 0, inside = 1;
            idata(&f, &s, &x, &inside);
            if (inside == 1) {
                jdata(&f, &s, &y, &inside);
                if (x != m.x || y != m.y) return u;
            } else if (x != m.x) {
                return u;
            }
        }
        return -1;
    }

    // The pen ends on e's point: every sample before it was drawn, or e is a
    // sample the walk draws a line to.
    void jumpTo(int e)
    {
        const Mapped m = mapOne(drawn_.sample(e));
        const Point p{m.x, m.y};
        if (p.x != reducer_.runX()) runStart_ = e;
        reducer_.vertex(p);
        px0_ = m.x;
        py0_ = py_ = m.y;
        if (e == drawn_.count() - 1) last_ = m;
    }

    // A few samples the sample walk's way, before the next try; k when
    // nothing follows k in the same kind of run.
    int fallBack(int k, int e)
    {
        if (e == k) return k;
        e = std::min(drawn_.count() - 1, k + kExactChunk);
        exact(k, e);
        return e;
    }

    // Whether the lines of the final run set its last vertex, found by
    // following the run again sample by sample.
    bool finalRunCovers(int count)
    {
        ColumnReducer follow(nullptr);
        const Mapped startM = mapOne(drawn_.sample(runStart_));
        follow.start({startM.x, startM.y});
        int32_t px0 = startM.x, py0 = startM.y, py = startM.y;
        for (int j = runStart_ + 1; j < count; ++j) {
            py_ = py;
            const Mapped m = mapOne(drawn_.sample(j));
            if (m.ok && (m.x != px0 || m.y != py0)) follow.vertex({m.x, m.y});
            px0 = m.x;
            py0 = py = m.y;
        }
        return follow.lastCovered() == ColumnReducer::Cover::Yes;
    }

    void finish(int count)
    {
        if (!reducer_.started()) return;
        bool covered = true;
        const Point end = reducer_.lastVertex();
        const bool dotted = last_.ok && std::abs(last_.x - end.x) <= w_.kp && std::abs(last_.y - end.y) <= w_.kp;
        if (reducer_.lastCovered() == ColumnReducer::Cover::Unknown && !dotted) covered = finalRunCovers(count);
        reducer_.finish(covered);
        if (last_.ok) DrawSquareDot(target_, last_.x, last_.y, w_.kp, w_.colour);
    }

    DrawTarget& target_;
    ColumnReducer reducer_;
    int file_;
    const WalkStyle& w_;
    VisibleColumns visible_;
    DrawnSamples drawn_;
    int step_;
    int32_t px0_ = 0;
    int32_t py0_ = 0;
    int32_t py_ = 0;  // y of the last sample whose x was inside
    int runStart_ = 0;
    Mapped last_;
};

}  // namespace

bool FastWalkApplies(const DrawTarget& target, const WalkStyle& style, const PenSpec& pen)
{
    return style.iMark == kMarksOff && pen.width <= 1 && pen.style == PenStyle::Solid &&
           dynamic_cast<const ImageTarget*>(&target) != nullptr;
}

void FastWalkSamples(DrawTarget& target, int file, int n, const WalkStyle& style, VisibleColumns visible)
{
    Walker(target, file, n, style, visible).run();
}

void DrawLineSamples(DrawTarget& target, int file, int n, const WalkStyle& style, const PenSpec& pen,
                     VisibleColumns visible)
{
    if (FastWalkApplies(target, style, pen)) FastWalkSamples(target, file, n, style, visible);
    else WalkSamples(target, file, n, style);
}

}  // namespace zan::render
