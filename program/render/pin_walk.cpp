#include "render/pin_walk.h"

#include "render/drawn_extent.h"
#include "render/image_target.h"
#include "render/mark_shapes.h"
#include "render/run_search.h"
#include "render/sample_reader.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zan::render {

namespace {

constexpr int kMinSkip = 16;
constexpr int kLeaf = 64;
constexpr int32_t kLimit = 32767;

enum Colour : uint8_t { kLine = 1, kPin = 2 };

// What the steps of drawn samples k+1..v, all inside the device range and in
// one pixel column, leave on the rows of that column. A step from row a to
// row b sets the rows strictly between in the line's colour and then row a
// in the pins' colour; a row keeps what the last step through it set, so
// the steps are taken from the last backwards and each row is settled by
// the first one met. Once every row the earlier steps can reach is settled,
// they need not be looked at.
class ColumnColours {
public:
    // Only the rows of the area are settled; the others are not seen.
    ColumnColours(const SampleReader& r, int k, int v, const MappedRange& whole, const Area& area)
        : r_(r), k_(k), v_(v), lo_(std::max(whole.ylo, area.top)), hi_(std::min(whole.yhi, area.bottom - 1)),
          settled_(lo_, hi_), pins_(lo_, hi_)
    {
    }

    // Chunks of steps from the last backwards, twice as long each time and
    // starting right after a block boundary of the library's summaries, so
    // that their extents come from whole blocks.
    void resolve()
    {
        const int a0 = std::min(v_, (k_ + kLeaf - 1) / kLeaf * kLeaf);
        const MappedRange head = r_.range(k_, a0);
        int q = v_;
        int size = kLeaf;
        while (q > k_ && !done()) {
            MappedRange prefix = head;
            if (q > a0) {
                const MappedRange rest = r_.range(a0, q);
                prefix.ylo = std::min(prefix.ylo, rest.ylo);
                prefix.yhi = std::max(prefix.yhi, rest.yhi);
            }
            if (settled(prefix)) break;
            const int a = std::max(k_, (q - 1) / size * size);
            segment(a + 1, q);
            q = a;
            if (size < (1 << 28)) size *= 2;
        }
    }

    // Calls f(first, last, colour) for each run of settled rows of a colour.
    template <class F>
    void runs(F f) const
    {
        int y = lo_;
        while (y <= hi_) {
            if (!settled_.has(y)) {
                ++y;
                continue;
            }
            const bool pin = pins_.has(y);
            const int first = y;
            while (y <= hi_ && settled_.has(y) && pins_.has(y) == pin) ++y;
            f(first, y - 1, pin ? kPin : kLine);
        }
    }

private:
    bool done() const { return lo_ > hi_ || settled_.covers(lo_, hi_); }
    bool settled(const MappedRange& range) const { return settled_.covers(range.ylo, range.yhi); }

    void set(int y, Colour c)
    {
        if (y < lo_ || y > hi_ || settled_.has(y)) return;
        settled_.add(y);
        if (c == kPin) pins_.add(y);
    }

    // The steps of samples p..q (each from the point of the sample before);
    // p - 1 lies on a block boundary or is the run's first sample.
    void segment(int p, int q)
    {
        if (done()) return;
        const MappedRange range = r_.range(p - 1, q, true);
        if (settled(range)) return;
        // Neighbours at most a row apart: the steps set no row between, only
        // pins on every row they start from. A last row strictly inside the
        // others was passed, and so started from, before the end.
        if (range.ycont == 1 && range.ylo < range.yhi) {
            const int32_t last = r_.yAt(q);
            if (range.ylo < last && last < range.yhi) {
                for (int y = range.ylo; y <= range.yhi; ++y) set(y, kPin);
                return;
            }
        }
        if (q - p + 1 <= kLeaf) {
            leaf(p, q);
            return;
        }
        // Split after a block boundary in the middle.
        int half = kLeaf;
        while (2 * half < q - p + 1) half *= 2;
        const int m = std::max(p, (q - 1) / half * half);
        if (m <= p - 1 || m >= q) {
            leaf(p, q);
            return;
        }
        segment(m + 1, q);
        segment(p, m);
    }

    void leaf(int p, int q)
    {
        ys_.clear();
        r_.each(p - 1, q, 0, [&](int, const Mapped& m) { ys_.push_back(m.y); });
        for (size_t j = ys_.size() - 1; j >= 1; --j) {
            const int a = ys_[j - 1];
            const int b = ys_[j];
            if (a == b) continue;
            set(a, kPin);
            for (int y = std::min(a, b) + 1; y < std::max(a, b); ++y) set(y, kLine);
        }
    }

    const SampleReader& r_;
    int k_;
    int v_;
    int lo_;
    int hi_;
    RowSet settled_;
    RowSet pins_;
    std::vector<int32_t> ys_;
};

class PinWalker {
public:
    PinWalker(ImageTarget& target, const SampleReader& r, const WalkStyle& w, Area area)
        : target_(target), r_(r), w_(w), area_(area)
    {
    }

    void run()
    {
        pacing_.walk(
            r_.count(), [&](int k) { return take(k); }, [&](int k, const Mapped& m) { return skip(k, m); },
            [&](int k, int e) { exact(k, e); });
    }

private:
    // The sample walk's steps for one drawn sample in mode "Pins".
    void consume(int k, const Mapped& m)
    {
        if (m.ok) {
            if (!started_) {
                target_.moveTo(m.x, m.y);
                started_ = true;
                pen_ = {m.x, m.y};
            } else if (m.x != px0_ || m.y != py0_) {
                target_.lineTo(m.x, m.y);
                pen_ = {m.x, m.y};
                DrawSquareDot(target_, px0_, py0_, w_.kp, kPinColour);
            }
            if (r_.isLast(k)) DrawSquareDot(target_, m.x, m.y, w_.kp, kPinColour);
        }
        px0_ = m.x;
        py0_ = py_ = m.y;
    }

    Mapped take(int k)
    {
        const Mapped m = r_.map(k, py_);
        consume(k, m);
        return m;
    }

    void exact(int k, int e)
    {
        r_.each(k + 1, e, py_, [&](int j, const Mapped& m) { consume(j, m); });
    }

    int fallBack(int k, int e)
    {
        if (e == k) return k;
        e = std::min(r_.count() - 1, k + kExactChunk);
        exact(k, e);
        return e;
    }

    // The walk after drawn samples up to e, all drawn, ends with the pen and
    // the point before on e's point; nothing it set is seen when moved is
    // false or the samples lay beside the area.
    void land(int e, const Mapped& m, bool moved)
    {
        if (moved) {
            target_.moveTo(m.x, m.y);
            pen_ = {m.x, m.y};
        }
        px0_ = m.x;
        py0_ = py_ = m.y;
        if (r_.isLast(e)) DrawSquareDot(target_, m.x, m.y, w_.kp, kPinColour);
    }

    int skip(int k, const Mapped& m)
    {
        if (!m.xIn) {
            if (m.x == 0) return k;
            const int e = ReachWhile(r_, k, [&](int j) {
                bool in = false;
                return r_.xAt(j, &in) == m.x && !in;
            });
            if (e - k < kMinSkip) return fallBack(k, e);
            const int v = VerifiedRun(r_, k, e, kMinSkip, [](const MappedRange& r) { return r.xin == -1; });
            if (v < 0) return fallBack(k, e);
            px0_ = r_.xAt(v);
            return pacing_.passed(v);
        }
        if (!m.ok) {
            if (m.y == 0) return k;
            const int e = ReachWhile(r_, k, [&](int j) {
                bool xIn = false, yIn = false;
                r_.xAt(j, &xIn);
                return xIn && r_.yAt(j, &yIn) == m.y && !yIn;
            });
            if (e - k < kMinSkip) return fallBack(k, e);
            const int v = VerifiedRun(r_, k, e, kMinSkip, [](const MappedRange& r) { return r.xin == 1 && r.yin == -1; });
            if (v < 0) return fallBack(k, e);
            consume(v, r_.map(v, py_));
            return pacing_.passed(v);
        }
        if (pen_.x != m.x || pen_.y != m.y) return k;
        const bool left = m.x < area_.left;
        const bool right = m.x >= area_.right;
        if (left || right) {
            // All drawn and beside the area: their lines and dots are not
            // seen, only where the walk ends counts.
            const int e = runEnd(k, left ? -kLimit : area_.right, left ? area_.left - 1 : kLimit);
            if (e - k < kMinSkip) return fallBack(k, e);
            land(e, r_.map(e, py_), true);
            return pacing_.passed(e);
        }
        Rows rows;
        const int e = runEnd(k, m.x, m.x, &rows);
        if (e - k < kMinSkip) return fallBack(k, e);
        const MappedRange whole{m.x, m.x, std::min(rows.lo, m.y), std::max(rows.hi, m.y), 1, 1, 0, 0};
        ColumnColours colours(r_, k, e, whole, area_);
        colours.resolve();
        colours.runs([&](int first, int last, uint8_t c) {
            target_.fillColumn(m.x, first, last, c == kPin ? kPinColour : w_.colour);
        });
        land(e, r_.map(e, py_), true);
        return pacing_.passed(e);
    }

    // The last drawn sample after k up to which every sample is drawn and
    // its x lies within lo..hi; rows, if given, receives their rows.
    int runEnd(int k, int32_t lo, int32_t hi, Rows* rows = nullptr)
    {
        const int out = r_.firstOutside(k + 1, r_.count() - 1, Rect{lo, -kLimit, hi, kLimit}, rows);
        return out < 0 ? r_.count() - 1 : out - 1;
    }

    ImageTarget& target_;
    const SampleReader& r_;
    const WalkStyle& w_;
    Area area_;
    bool started_ = false;
    Point pen_;
    int32_t px0_ = 0;
    int32_t py0_ = 0;
    int32_t py_ = 0;
    ChunkPacing pacing_;
};

}  // namespace

void PinWalkSamples(ImageTarget& target, int file, int n, const WalkStyle& style, Area area)
{
    const SampleReader r(file, n, style.iStep);
    PinWalker(target, r, style, area).run();
}

}  // namespace zan::render
