// The pixels one mark shape or square dot sets, found once by drawing it on
// a scratch image, then set around many points of the screen image: at a
// point, or at every hit row of a pixel column at once. Marks and dots are
// drawn in the line's one colour, so only which pixels they set matters.
#ifndef ZAN_RENDER_MARK_STAMP_H
#define ZAN_RENDER_MARK_STAMP_H

#include "render/draw_target.h"
#include "render/drawn_extent.h"
#include "render/mark_shapes.h"

#include <vector>

namespace zan::render {

class ImageTarget;

class MarkStamp {
public:
    // The mark of the given kind, or with dot set the square dot of half
    // size kp, in colour.
    static MarkStamp Mark(ImageTarget& target, int kind, const MarkDims& dims, Rgb colour);
    static MarkStamp Dot(ImageTarget& target, int kp, Rgb colour);

    // Sets the pixels of the stamp placed at logical point p.
    void at(Point p);
    // The same for every row of the set in column x.
    void column(int x, const RowSet& rows);

    // How far the set pixels reach from the point: columns left and right,
    // rows up (towards lower y) and down.
    int left() const { return left_; }
    int right() const { return right_; }
    int up() const { return up_; }
    int down() const { return down_; }

private:
    MarkStamp(ImageTarget& target, Rgb colour) : target_(&target), colour_(colour) {}
    template <class Draw>
    void learn(int reach, Draw draw);

    ImageTarget* target_;
    Rgb colour_;
    int left_ = 0, right_ = 0, up_ = 0, down_ = 0;
    // Per column dx = -left_ .. right_: the rows dy of the set pixels, rising.
    std::vector<std::vector<int>> rows_;
};

}  // namespace zan::render

#endif
