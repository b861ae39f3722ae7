// Reduces a polyline of one-pixel lines to the few vertices per pixel column
// that give the same pixels: the first, the lowest, the highest and the last
// vertex of each run of consecutive vertices sharing an x.
//
// Why that is exact: a line drawn from a to b sets a and the pixels between
// but not b. Inside one column the lines of a run set every y between the
// run's lowest and highest vertex, except perhaps the last vertex's own y;
// the line to the next column starts at that last vertex and sets it. So
// only the final run of the polyline needs to know whether the lines inside
// it set its last vertex, and the reducer keeps track of that while it can.
#ifndef ZAN_RENDER_COLUMN_REDUCER_H
#define ZAN_RENDER_COLUMN_REDUCER_H

#include "render/draw_target.h"

namespace zan::render {

class ColumnReducer {
public:
    // Draws on target; without a target it only follows the runs.
    explicit ColumnReducer(DrawTarget* target) : target_(target) {}

    // The first vertex, where the pen is put down.
    void start(Point p);
    // Ends the current run as if a line left it, and puts the pen down on p
    // without drawing: the lines in between set only pixels set already.
    void jump(Point p);
    // The next vertex, reached by a line.
    void vertex(Point p);
    // Vertices not seen one by one, all in the current run's column, their
    // y from lo to hi; a vertex follows before the line ends.
    void span(int lo, int hi);

    bool started() const { return started_; }
    int runX() const { return x_; }
    Point lastVertex() const { return {x_, last_}; }
    // True when the pen is known to stand at p.
    bool at(Point p) const { return started_ && lastKnown_ && p.x == x_ && p.y == last_; }

    enum class Cover { No, Yes, Unknown };
    // Whether the lines so far set the pixel of the last vertex.
    Cover lastCovered() const { return covered_; }

    // Draws what is left of the final run; `covered` stands in for an
    // unknown coverage of its last vertex.
    void finish(bool covered = true);

private:
    void emit(int y);
    void flush(bool final, bool covered);

    DrawTarget* target_;
    bool started_ = false;
    int x_ = 0;
    int lo_ = 0;
    int hi_ = 0;
    int last_ = 0;
    bool lastKnown_ = true;
    Cover covered_ = Cover::No;
    int drawnY_ = 0;  // y of the last point handed to the target, in column x_
};

}  // namespace zan::render

#endif
