#include "render/fast_walk.h"

#include "render/column_reducer.h"
#include "render/drawn_extent.h"
#include "render/image_target.h"
#include "render/pin_walk.h"
#include "render/point_sinks.h"
#include "render/run_search.h"
#include "render/sample_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

namespace zan::render {

namespace {

// Runs shorter than this are cheaper to map sample by sample than to find.
// After a short run or a failed check the walk maps kExactChunk samples
// before it tries again; when tries keep failing (samples that jump about,
// each in a pixel of its own) the chunks grow up to kMaxChunk.
constexpr int kMinSkip = 16;
constexpr int kExactChunk = 64;
constexpr int kMaxChunk = 8192;
constexpr int kMissesBeforeChunk = 8;
// Samples per block of the library's summaries.
constexpr int kBlock = 64;
constexpr int32_t kLimit = 32767;

class Walker {
public:
    Walker(DrawTarget& target, const SampleReader& r, const WalkStyle& w, Area area, bool lines,
           std::optional<Rgb> lastDot, PointSink* sink)
        : target_(target), reducer_(lines ? &target : nullptr), r_(r), w_(w), area_(area), lines_(lines),
          lastDot_(lastDot), sink_(sink)
    {
        skipArea_ = area;
        if (sink_) {
            // A mark beside the area can still reach into it.
            skipArea_.left -= sink_->stamp().right();
            skipArea_.right += sink_->stamp().left();
        }
    }

    void run()
    {
        const int count = r_.count();
        for (int k = 0; k < count;) {
            const Mapped m = take(k);
            const int e = k + 1 < count ? skip(k, m) : k;
            if (e > k) {
                k = e + 1;
                continue;
            }
            if (++misses_ >= kMissesBeforeChunk && k + 1 < count) {
                const int end = std::min(count - 1, k + chunk_);
                chunked(k, end);
                chunk_ = std::min(2 * chunk_, kMaxChunk);
                misses_ = 0;
                k = end + 1;
                continue;
            }
            ++k;
        }
        finish(count);
    }

private:
    void consume(int k, const Mapped& m)
    {
        if (m.ok) {
            const Point p{m.x, m.y};
            if (!reducer_.started()) {
                reducer_.start(p);
                runStart_ = k;
                if (sink_) sink_->point(k, p);
            } else if (m.x != px0_ || m.y != py0_) {
                if (m.x != reducer_.runX()) runStart_ = k;
                reducer_.vertex(p);
                if (sink_) sink_->point(k, p);
            }
        }
        px0_ = m.x;
        py0_ = py_ = m.y;
        lastOk_ = m.ok;
        if (r_.isLast(k)) last_ = m;
    }

    Mapped take(int k)
    {
        const Mapped m = r_.map(k, py_);
        consume(k, m);
        return m;
    }

    // Drawn samples k+1 .. e the sample walk's way.
    void exact(int k, int e)
    {
        r_.each(k + 1, e, py_, [&](int j, const Mapped& m) { consume(j, m); });
    }

    // The same in parts of one block of the library's summaries each,
    // passing over a part whose lines could set only pixels that have the
    // line's colour already: those within the bounds of its points and the
    // point before. Curves that pass over their own paths again and again
    // (X-Y graphs) are mostly such parts.
    void chunked(int k, int e)
    {
        if (!image_ || sink_ || !lines_) {
            exact(k, e);
            return;
        }
        for (int a = k + 1; a <= e;) {
            const int b = std::min(e, (a / kBlock + 1) * kBlock - 1);
            if (!passPainted(a, b)) {
                // Smaller parts have smaller bounds, more often painted.
                for (int p = a; p <= b; p += kBlock / 4) {
                    const int q = std::min(b, p + kBlock / 4 - 1);
                    if (!passPainted(p, q)) exact(p - 1, q);
                }
            }
            a = b + 1;
        }
    }

    bool passPainted(int a, int b)
    {
        if (b - a + 1 < kBlock / 4 || !lastOk_ || !reducer_.at({px0_, py0_})) return false;
        const MappedRange r = r_.range(a, b);
        if (!r.allInside()) return false;
        const Rect box{std::min(r.xlo, px0_), std::min(r.ylo, py0_), std::max(r.xhi, px0_), std::max(r.yhi, py0_)};
        if (!image_->holds(box, w_.colour)) return false;
        const Mapped end = r_.map(b, py_);
        const bool still = r.xlo == px0_ && r.xhi == px0_ && r.ylo == py0_ && r.yhi == py0_;
        if (!still) {
            reducer_.jump({end.x, end.y});
            runStart_ = b;
        }
        px0_ = end.x;
        py0_ = py_ = end.y;
        lastOk_ = true;
        if (r_.isLast(b)) last_ = end;
        return true;
    }

    template <class Pred>
    int reach(int k, Pred pred)
    {
        return ReachWhile(r_, k, pred);
    }

    template <class Check>
    int verified(int k, int e, Check check, MappedRange* found = nullptr)
    {
        return VerifiedRun(r_, k, e, kMinSkip, check, found);
    }

    // The last drawn sample after k up to which every sample is drawn and
    // its x lies within lo..hi.
    int runEnd(int k, int32_t lo, int32_t hi)
    {
        const int out = r_.firstOutside(k + 1, r_.count() - 1, Rect{lo, -kLimit, hi, kLimit});
        return out < 0 ? r_.count() - 1 : out - 1;
    }

    // A pass over samples: the next exact chunk starts small again.
    int passed(int e)
    {
        chunk_ = kExactChunk;
        misses_ = 0;
        return e;
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
                return r_.xAt(j, &in) == m.x && !in;
            });
            if (e - k < kMinSkip) return fallBack(k, e);
            const int v = verified(k, e, [](const MappedRange& r) { return r.xin == -1; });
            if (v < 0) return fallBack(k, e);
            // Nothing is drawn and y is not mapped: only x moves on.
            px0_ = r_.xAt(v);
            lastOk_ = false;
            if (r_.isLast(v)) last_ = Mapped{px0_, py_, false, false};
            return passed(v);
        }
        if (!m.ok) {
            if (m.y == 0) return k;
            const int e = reach(k, [&](int j) {
                bool xIn = false, yIn = false;
                r_.xAt(j, &xIn);
                return xIn && r_.yAt(j, &yIn) == m.y && !yIn;
            });
            if (e - k < kMinSkip) return fallBack(k, e);
            const int v =
                verified(k, e, [](const MappedRange& r) { return r.xin == 1 && r.yin == -1; });
            if (v < 0) return fallBack(k, e);
            consume(v, r_.map(v, py_));
            return passed(v);
        }
        if (!reducer_.at(p)) return k;
        const bool left = m.x < skipArea_.left;
        const bool right = m.x >= skipArea_.right;
        if (left || right) return passBeside(k, m, left);
        const int e = runEnd(k, m.x, m.x);
        if (e - k < kMinSkip) return fallBack(k, e);
        MappedRange found;
        const int v = verified(k, e, [&](const MappedRange& r) {
            return r.xlo == m.x && r.xhi == m.x && r.allInside();
        }, &found);
        if (v < 0) return fallBack(k, e);
        const Mapped end = r_.map(v, py_);
        if (lines_) reducer_.span(found.ylo, found.yhi);
        if (sink_) sink_->column(k + 1, v, m.x, found);
        jumpTo(v, end);
        return passed(v);
    }

    // Samples on one side of the area: lines between them set no pixel in it.
    int passBeside(int k, const Mapped& m, bool left)
    {
        const int e = left ? runEnd(k, -kLimit, skipArea_.left - 1) : runEnd(k, skipArea_.right, kLimit);
        if (e - k < kMinSkip) return fallBack(k, e);
        auto beside = [&](const MappedRange& r) { return left ? r.xhi < skipArea_.left : r.xlo >= skipArea_.right; };
        // All drawn: the pen ends on the last one unless none of them moved.
        MappedRange found;
        int v = verified(k, e, [&](const MappedRange& r) { return r.allInside() && beside(r); }, &found);
        if (v >= 0) {
            const Mapped end = r_.map(v, py_);
            const bool still = found.xlo == m.x && found.xhi == m.x && found.ylo == m.y && found.yhi == m.y;
            if (sink_) sink_->hidden(k + 1, v);
            if (still) {
                if (r_.isLast(v)) last_ = end;
                return passed(v);
            }
            jumpTo(v, end);
            return passed(v);
        }
        // Some not drawn: the pen ends on the last sample drawn to.
        v = verified(k, e, beside);
        if (v < 0) return fallBack(k, e);
        const int u = lastVertex(k, v);
        if (u < 0) return fallBack(k, e);
        if (sink_) sink_->hidden(k + 1, u);
        jumpTo(u, r_.map(u, py_));
        return passed(u);
    }

    // A drawn sample among the last few of k+1 .. v that the sample walk
    // surely draws a line to (its point differs from the sample before), or
    // -1. The pen ends there whatever the samples before it did.
    int lastVertex(int k, int v)
    {
        for (int u = v; u > k && u >= v - 64; --u) {
            const Mapped m = r_.map(u, py_);
            if (!m.ok) continue;
            if (u - 1 == k) return m.x != px0_ || m.y != py0_ ? u : -1;
            bool in = false;
            const int32_t x = r_.xAt(u - 1, &in);
            if (in) {
                if (x != m.x || r_.yAt(u - 1, &in) != m.y) return u;
            } else if (x != m.x) {
                return u;
            }
        }
        return -1;
    }

    // The pen ends on e's point: every sample before it was drawn, or e is a
    // sample the walk draws a line to.
    void jumpTo(int e, const Mapped& m)
    {
        const Point p{m.x, m.y};
        if (p.x != reducer_.runX()) runStart_ = e;
        reducer_.vertex(p);
        px0_ = m.x;
        py0_ = py_ = m.y;
        lastOk_ = true;
        if (r_.isLast(e)) last_ = m;
    }

    // A few samples the sample walk's way, before the next try; k when
    // nothing follows k in the same kind of run.
    int fallBack(int k, int e)
    {
        if (e == k) return k;
        e = std::min(r_.count() - 1, k + kExactChunk);
        exact(k, e);
        return e;
    }

    // Whether the lines inside the final run set its last vertex. They do
    // when that vertex's row lies within the rows of the run's earlier
    // vertices: the run's lines join them all and pass every row between.
    bool finalRunCovers(int count)
    {
        const int a = runStart_;
        const int b = count - 1;
        const Point end = reducer_.lastVertex();
        const MappedRange whole = r_.range(a, b);
        if (!whole.allInside() || whole.xlo != end.x || whole.xhi != end.x) return followFinalRun(count);
        // The run's samples from `good` on all lie on the last vertex's row.
        auto sameRow = [&](int j) {
            const MappedRange tail = r_.range(j, b);
            return tail.ylo == end.y && tail.yhi == end.y;
        };
        int good = b + 1;
        int64_t span = 1;
        int bad = a - 1;
        while (good > a) {
            const int j = static_cast<int>(std::max<int64_t>(a, good - span));
            if (!sameRow(j)) {
                bad = j;
                break;
            }
            good = j;
            span *= 2;
        }
        if (bad < a) return false;  // one vertex only
        while (good - bad > 1) {
            const int mid = bad + (good - bad) / 2;
            if (sameRow(mid)) good = mid;
            else bad = mid;
        }
        // bad: the last drawn sample of the run off that row.
        const MappedRange before = r_.range(a, bad);
        return before.ylo <= end.y && end.y <= before.yhi;
    }

    // The same by following the final run again sample by sample.
    bool followFinalRun(int count)
    {
        ColumnReducer follow(nullptr);
        const Mapped startM = r_.map(runStart_, 0);
        follow.start({startM.x, startM.y});
        int32_t px0 = startM.x, py0 = startM.y;
        r_.each(runStart_ + 1, count - 1, startM.y, [&](int, const Mapped& m) {
            if (m.ok && (m.x != px0 || m.y != py0)) follow.vertex({m.x, m.y});
            px0 = m.x;
            py0 = m.y;
        });
        return follow.lastCovered() == ColumnReducer::Cover::Yes;
    }

    void finish(int count)
    {
        if (!reducer_.started()) return;
        if (lines_) {
            bool covered = true;
            const Point end = reducer_.lastVertex();
            const bool dotted =
                last_.ok && std::abs(last_.x - end.x) <= w_.kp && std::abs(last_.y - end.y) <= w_.kp;
            // A last vertex beside the area is not seen either way.
            const bool seen = end.x >= area_.left && end.x < area_.right && end.y >= area_.top && end.y < area_.bottom;
            if (reducer_.lastCovered() == ColumnReducer::Cover::Unknown && !dotted && seen)
                covered = finalRunCovers(count);
            reducer_.finish(covered);
        }
        if (last_.ok && lastDot_) DrawSquareDot(target_, last_.x, last_.y, w_.kp, *lastDot_);
    }

    DrawTarget& target_;
    ImageTarget* image_ = dynamic_cast<ImageTarget*>(&target_);
    ColumnReducer reducer_;
    const SampleReader& r_;
    const WalkStyle& w_;
    Area area_;
    Area skipArea_;
    bool lines_;
    std::optional<Rgb> lastDot_;
    PointSink* sink_;
    int32_t px0_ = 0;
    int32_t py0_ = 0;
    int32_t py_ = 0;  // y of the last sample whose x was inside
    bool lastOk_ = false;  // the last sample dealt with was drawn
    int runStart_ = 0;
    Mapped last_;
    int chunk_ = kExactChunk;
    int misses_ = 0;
};

Area AreaOf(const ImageTarget& target, VisibleColumns visible)
{
    const Rect clip = target.logicalClip();
    return Area{std::max(visible.left, clip.left), std::min(visible.right, clip.right), clip.top, clip.bottom};
}

}  // namespace

bool FastWalkApplies(const DrawTarget& target, const WalkStyle&, const PenSpec& pen)
{
    return pen.width <= 1 && pen.style == PenStyle::Solid &&
           dynamic_cast<const ImageTarget*>(&target) != nullptr;
}

void FastWalkSamples(DrawTarget& target, int file, int n, const WalkStyle& style, VisibleColumns visible)
{
    auto* image = dynamic_cast<ImageTarget*>(&target);
    if (!image) {
        WalkSamples(target, file, n, style);
        return;
    }
    const Area area = AreaOf(*image, visible);
    if (style.iMark == kMarksPins) {
        PinWalkSamples(*image, file, n, style, area);
        return;
    }
    const SampleReader r(file, n, style.iStep);
    std::unique_ptr<PointSink> sink;
    bool lines = true;
    std::optional<Rgb> lastDot = style.colour;
    switch (style.iMark) {
    case kMarksOn:
        sink = std::make_unique<MarkSpaced>(r, MarkStamp::Mark(*image, style.markKind, style.dims, style.colour),
                                            style.D);
        break;
    case kMarksAll:
        sink = std::make_unique<MarkEveryPoint>(r, MarkStamp::Mark(*image, style.markKind, style.dims, style.colour),
                                                area);
        break;
    case kMarksOnly:
        sink = std::make_unique<MarkEveryPoint>(r, MarkStamp::Mark(*image, style.markKind, style.dims, style.colour),
                                                area);
        lines = false;
        lastDot.reset();
        break;
    case kMarksDots:
        sink = std::make_unique<MarkEveryPoint>(r, MarkStamp::Dot(*image, style.kp, style.colour), area);
        lines = false;
        lastDot.reset();
        break;
    default:
        break;
    }
    Walker(target, r, style, area, lines, lastDot, sink.get()).run();
}

void DrawLineSamples(DrawTarget& target, int file, int n, const WalkStyle& style, const PenSpec& pen,
                     VisibleColumns visible)
{
    if (FastWalkApplies(target, style, pen)) FastWalkSamples(target, file, n, style, visible);
    else WalkSamples(target, file, n, style);
}

}  // namespace zan::render
