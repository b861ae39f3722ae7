// What the fast walk passes on about the drawn points of a curve besides
// its lines, and the two users of it: the marks (or dots) at every point the
// walk moves to, and the marks of mode "On", spaced by a least distance.
#ifndef ZAN_RENDER_POINT_SINKS_H
#define ZAN_RENDER_POINT_SINKS_H

#include "render/draw_target.h"
#include "render/drawn_extent.h"
#include "render/mark_stamp.h"
#include "render/sample_reader.h"

namespace zan::render {

// Logical area [left, right) x [top, bottom) outside which nothing drawn
// can be seen.
struct Area {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

class PointSink {
public:
    virtual ~PointSink() = default;
    // Drawn sample k, inside the device range, at p: the first point of the
    // curve or a move to another pixel.
    virtual void point(int k, Point p) = 0;
    // Drawn samples a..b, all inside the device range and in column x, right
    // after such a point in that column; whole: extent of their stored samples.
    virtual void column(int a, int b, int x, const MappedRange& whole) = 0;
    // Drawn samples a..b passed over by the walk: none of them is drawn, or
    // all lie beside the area widened by reach().
    virtual void hidden(int a, int b) = 0;
    // How far from its point a mark can set a pixel.
    virtual const MarkStamp& stamp() const = 0;
};

// A mark or dot at every point the walk moves to (marks "All", "Only" and
// "Dots"): the same pixels whatever the order, so a run in one column needs
// only the set of rows it hits.
class MarkEveryPoint : public PointSink {
public:
    MarkEveryPoint(const SampleReader& r, MarkStamp stamp, Area area);
    void point(int k, Point p) override;
    void column(int a, int b, int x, const MappedRange& whole) override;
    void hidden(int, int) override {}
    const MarkStamp& stamp() const override { return stamp_; }

private:
    const SampleReader& r_;
    MarkStamp stamp_;
    Area area_;
    RowSet rows_;
};

// Marks "On": a mark at the first point and then at each point that lies
// more than D pixels, across or down, from the last mark. Each next mark is
// the first drawn sample outside the square around the last one, found from
// the library's block tables.
class MarkSpaced : public PointSink {
public:
    MarkSpaced(const SampleReader& r, MarkStamp stamp, int D);
    void point(int k, Point p) override;
    void column(int a, int b, int, const MappedRange&) override { follow(a, b); }
    // Marks beside the area are not seen; they count only for the marks
    // after them, and at the end of the curve there are none.
    void hidden(int a, int b) override
    {
        if (b < r_.count() - 1) follow(a, b);
    }
    const MarkStamp& stamp() const override { return stamp_; }

private:
    bool away(Point p) const;
    void mark(Point p);
    void follow(int a, int b);
    int firstAway(int a, int b);
    bool movedTo(int u, const Mapped& m) const;

    const SampleReader& r_;
    MarkStamp stamp_;
    int D_;
    bool started_ = false;
    Point last_;
};

}  // namespace zan::render

#endif
