#include "render/curve_walker.h"

#include "render/image_target.h"

#include <algorithm>
#include <cstdlib>

namespace zan::render {

namespace {

// Samples per block of the library's summaries.
constexpr int kBlock = 64;
constexpr int32_t kLimit = 32767;

}  // namespace

CurveWalker::CurveWalker(DrawTarget& target, const SampleReader& r, const WalkStyle& w, Area area,
                         bool lines, std::optional<Rgb> lastDot, PointSink* sink)
    : target_(target), image_(dynamic_cast<ImageTarget*>(&target)), reducer_(lines ? &target : nullptr), r_(r), w_(w),
      area_(area), lines_(lines), lastDot_(lastDot), sink_(sink)
{
    skipArea_ = area;
    if (sink_) {
        // A mark beside the area can still reach into it.
        skipArea_.left -= sink_->stamp().right();
        skipArea_.right += sink_->stamp().left();
    }
}

void CurveWalker::run()
{
    const int count = r_.count();
    pacing_.walk(
        count, [&](int k) { return take(k); }, [&](int k, const Mapped& m) { return skip(k, m); },
        [&](int k, int e) { chunked(k, e); });
    finish(count);
}

void CurveWalker::consume(int k, const Mapped& m)
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

Mapped CurveWalker::take(int k)
{
    const Mapped m = r_.map(k, py_);
    consume(k, m);
    return m;
}

void CurveWalker::exact(int k, int e)
{
    r_.each(k + 1, e, py_, [&](int j, const Mapped& m) { consume(j, m); });
}

void CurveWalker::chunked(int k, int e)
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

bool CurveWalker::passPainted(int a, int b)
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

int CurveWalker::runEnd(int k, int32_t lo, int32_t hi, Rows* rows)
{
    const int out = r_.firstOutside(k + 1, r_.count() - 1, Rect{lo, -kLimit, hi, kLimit}, rows);
    return out < 0 ? r_.count() - 1 : out - 1;
}

int CurveWalker::skip(int k, const Mapped& m)
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
        return pacing_.passed(v);
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
        return pacing_.passed(v);
    }
    if (!reducer_.at(p)) return k;
    const bool left = m.x < skipArea_.left;
    const bool right = m.x >= skipArea_.right;
    if (left || right) return passBeside(k, left);
    Rows rows;
    const int e = runEnd(k, m.x, m.x, &rows);
    if (e - k < kMinSkip) return fallBack(k, e);
    // Every sample of k+1..e is drawn in the column: the lines between them
    // set the rows of their extremes and every row between.
    const Mapped end = r_.map(e, py_);
    if (lines_) reducer_.span(rows.lo, rows.hi);
    if (sink_) sink_->column(k + 1, e, m.x, MappedRange{m.x, m.x, rows.lo, rows.hi, 1, 1, 0, 0});
    jumpTo(e, end);
    return pacing_.passed(e);
}

int CurveWalker::passBeside(int k, bool left)
{
    const int e = left ? runEnd(k, -kLimit, skipArea_.left - 1) : runEnd(k, skipArea_.right, kLimit);
    if (e - k < kMinSkip) return fallBack(k, e);
    // All drawn and beside the area: their lines set no pixel in it, and the
    // pen ends on the last of them (where it stays when none moved).
    if (sink_) sink_->hidden(k + 1, e);
    jumpTo(e, r_.map(e, py_));
    return pacing_.passed(e);
}

void CurveWalker::jumpTo(int e, const Mapped& m)
{
    const Point p{m.x, m.y};
    if (p.x != reducer_.runX()) runStart_ = e;
    reducer_.vertex(p);
    px0_ = m.x;
    py0_ = py_ = m.y;
    lastOk_ = true;
    if (r_.isLast(e)) last_ = m;
}

int CurveWalker::fallBack(int k, int e)
{
    if (e == k) return k;
    e = std::min(r_.count() - 1, k + kExactChunk);
    exact(k, e);
    return e;
}

bool CurveWalker::finalRunCovers(int count)
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

bool CurveWalker::followFinalRun(int count)
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

void CurveWalker::finish(int count)
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

}  // namespace zan::render
