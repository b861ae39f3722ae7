#include "render/column_reducer.h"

#include <algorithm>

namespace zan::render {

void ColumnReducer::start(Point p)
{
    if (target_) target_->moveTo(p.x, p.y);
    started_ = true;
    x_ = p.x;
    lo_ = hi_ = last_ = drawnY_ = p.y;
    lastKnown_ = true;
    covered_ = Cover::No;
}

void ColumnReducer::jump(Point p)
{
    if (started_) flush(false, true);
    start(p);
}

void ColumnReducer::vertex(Point p)
{
    if (!started_) {
        start(p);
        return;
    }
    if (p.x != x_) {
        flush(false, true);
        if (target_) target_->lineTo(p.x, p.y);
        x_ = p.x;
        lo_ = hi_ = last_ = drawnY_ = p.y;
        lastKnown_ = true;
        covered_ = Cover::No;
        return;
    }
    if (lastKnown_ && p.y == last_) return;
    // Every y from lo_ to hi_ is set already except perhaps the previous
    // vertex's own; a new extreme is only reached, never left.
    if (p.y > lo_ && p.y < hi_) {
        covered_ = Cover::Yes;
    } else if (p.y < lo_ || p.y > hi_ || lo_ == hi_) {
        covered_ = Cover::No;
    } else {
        covered_ = lastKnown_ ? Cover::Yes : Cover::Unknown;
    }
    lo_ = std::min(lo_, p.y);
    hi_ = std::max(hi_, p.y);
    last_ = p.y;
    lastKnown_ = true;
}

void ColumnReducer::span(int lo, int hi)
{
    lo_ = std::min(lo_, lo);
    hi_ = std::max(hi_, hi);
    lastKnown_ = false;
    covered_ = Cover::Unknown;
}

void ColumnReducer::emit(int y)
{
    if (y == drawnY_) return;
    drawnY_ = y;
    if (target_) target_->lineTo(x_, y);
}

// The run's first vertex is drawn already. A run that a line to another
// column follows may visit its extremes in any order; the final run has to
// leave its last vertex unset when the full polyline leaves it unset: it then
// reaches only the other extreme before the last vertex.
void ColumnReducer::flush(bool final, bool covered)
{
    if (lo_ == hi_) return;
    const bool lastIsExtreme = last_ == lo_ || last_ == hi_;
    if (final && lastIsExtreme) {
        const int other = last_ == lo_ ? hi_ : lo_;
        if (covered) emit(last_);
        emit(other);
        emit(last_);
        return;
    }
    emit(lo_);
    emit(hi_);
    emit(last_);
}

void ColumnReducer::finish(bool covered)
{
    if (!started_) return;
    flush(true, covered_ == Cover::Unknown ? covered : covered_ == Cover::Yes);
    started_ = false;
}

}  // namespace zan::render
