#include "render/point_sinks.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace zan::render {

namespace {

constexpr int32_t kLimit = 32767;

}  // namespace

MarkEveryPoint::MarkEveryPoint(const SampleReader& r, MarkStamp stamp, Area area)
    : r_(r), stamp_(std::move(stamp)), area_(area),
      rows_(area.top - stamp_.down(), area.bottom - 1 + stamp_.up())
{
}

void MarkEveryPoint::point(int, Point p)
{
    stamp_.at(p);
}

void MarkEveryPoint::column(int a, int b, int x, const MappedRange& whole)
{
    if (x < area_.left - stamp_.right() || x >= area_.right + stamp_.left()) return;
    rows_.clear();
    AddHitRows(r_, a, b, whole, rows_);
    stamp_.column(x, rows_);
}

MarkSpaced::MarkSpaced(const SampleReader& r, MarkStamp stamp, int D) : r_(r), stamp_(std::move(stamp)), D_(D) {}

bool MarkSpaced::away(Point p) const
{
    return std::abs(p.x - last_.x) > D_ || std::abs(p.y - last_.y) > D_;
}

void MarkSpaced::mark(Point p)
{
    stamp_.at(p);
    last_ = p;
    started_ = true;
}

void MarkSpaced::point(int, Point p)
{
    if (!started_ || away(p)) mark(p);
}

// Samples after a mark that are not drawn, or that stay within D of it, get
// no mark; the first one that leaves that square gets the next.
void MarkSpaced::follow(int a, int b)
{
    while (started_ && a <= b) {
        const int u = firstAway(a, b);
        if (u < 0) return;
        const Mapped m = r_.map(u, 0);
        if (movedTo(u, m)) mark({m.x, m.y});
        a = u + 1;
    }
}

// The first drawn sample of a..b inside the device range and away from the
// last mark, or -1. Every sample before the first whose point leaves the
// square, or is beyond a device limit, is drawn and near; that one is the
// answer when it is drawn.
int MarkSpaced::firstAway(int a, int b)
{
    while (a <= b) {
        const int u = r_.firstOutside(a, b, Rect{last_.x - D_, last_.y - D_, last_.x + D_, last_.y + D_});
        if (u < 0) return -1;
        if (r_.map(u, 0).ok) return u;
        a = u + 1;
    }
    return -1;
}

// Whether drawn sample u (inside the device range) differs from what the
// walk held for the sample before it. Had that one been drawn and away, it
// would have come first; drawn and near, it differs from u. Not drawn, its
// coordinates were cut at a device limit, so only a point on a limit can
// equal them, and only then is the walk's y register looked up.
bool MarkSpaced::movedTo(int u, const Mapped& m) const
{
    if (u == 0) return true;
    if (std::abs(m.x) != kLimit && std::abs(m.y) != kLimit) return true;
    bool xIn = false;
    const int32_t x = r_.xAt(u - 1, &xIn);
    int32_t y = 0;
    for (int j = u - 1; j >= 0; --j) {
        bool in = false;
        r_.xAt(j, &in);
        if (in) {
            y = r_.yAt(j);
            break;
        }
    }
    return x != m.x || y != m.y;
}

}  // namespace zan::render
