#include "render/mark_shapes.h"

#include "render/rounding.h"

#include <algorithm>

namespace zan::render {

namespace {

// The pen position of a mark: MoveRel and LineRel add to it, starting from
// the target's current position.
class Pen {
public:
    explicit Pen(DrawTarget& t) : t_(t), p_(t.currentPosition()) {}
    void M(int dx, int dy) { p_ = {p_.x + dx, p_.y + dy}; t_.moveTo(p_.x, p_.y); }
    void L(int dx, int dy) { p_ = {p_.x + dx, p_.y + dy}; t_.lineTo(p_.x, p_.y); }

private:
    DrawTarget& t_;
    Point p_;
};

}  // namespace

MarkDims ComputeMarkDims(double u)
{
    MarkDims d;
    d.mx1 = std::max(CLng(u), 1);
    d.mx2 = 2 * d.mx1;
    d.mxr = CLng(1.4 * d.mx2);
    d.mx4 = 2 * d.mx2;
    d.mxr2 = 2 * d.mxr;
    d.my1 = CLng(u);
    d.my2 = 2 * d.my1;
    d.myr = CLng(1.4 * d.mx2);
    d.my4 = 2 * d.my2;
    d.myr2 = 2 * d.myr;
    return d;
}

int MarkKindOf(int iWind, int j)
{
    return (((iWind + j - 2) % 16) + 16) % 16;
}

void DrawMark(DrawTarget& target, int kind, const MarkDims& d)
{
    const int mx1 = d.mx1, mx2 = d.mx2, mx4 = d.mx4, mxr = d.mxr, mxr2 = d.mxr2;
    const int my1 = d.my1, my2 = d.my2, my4 = d.my4, myr = d.myr, myr2 = d.myr2;
    Pen p(target);
    switch (((kind % 16) + 16) % 16) {
    case 0:  // square
        p.M(-mx2, -my2); p.L(mx4, 0); p.L(0, my4); p.L(-mx4, 0); p.L(0, -my4); p.M(mx2, my2);
        break;
    case 1:  // triangle, apex down
        p.M(0, my2); p.L(-mx2, -my4); p.L(mx4, 0); p.L(-mx2, my4); p.M(0, -my2);
        break;
    case 2:  // triangle, apex up
        p.M(0, -my2); p.L(-mx2, my4); p.L(mx4, 0); p.L(-mx2, -my4); p.M(0, my2);
        break;
    case 3:  // hexagon
        p.M(-mx1, my2); p.L(mx2, 0); p.L(mx1, -my2); p.L(-mx1, -my2); p.L(-mx2, 0); p.L(-mx1, my2);
        p.L(mx1, my2); p.M(mx1, -my2);
        break;
    case 4:  // diamond
        p.M(0, myr); p.L(-mxr, -myr); p.L(mxr, -myr); p.L(mxr, myr); p.L(-mxr, myr); p.M(0, -myr);
        break;
    case 5:  // hourglass
        p.M(-mx2, my2); p.L(mx4, 0); p.L(-mx4, -my4); p.L(mx4, 0); p.L(-mx4, my4); p.M(mx2, -my2);
        break;
    case 6:  // plus
        p.M(0, myr); p.L(0, -myr2); p.L(0, myr); p.M(-mxr, 0); p.L(mxr2, 0); p.L(-mxr, 0);
        break;
    case 7:  // cross
        p.M(-mx2, -my2); p.L(mx4, my4); p.L(-mx2, -my2); p.M(mx2, -my2); p.L(-mx4, my4); p.L(mx2, -my2);
        break;
    case 8:  // right triangle, right angle top left
        p.M(-mx2, my2); p.L(mx4, -my4); p.L(-mx4, 0); p.L(0, my4); p.M(mx2, -my2);
        break;
    case 9:  // right triangle, right angle bottom right
        p.M(-mx2, my2); p.L(mx4, 0); p.L(0, -my4); p.L(-mx4, my4); p.M(mx2, -my2);
        break;
    case 10:  // right triangle, right angle bottom left
        p.M(mx2, my2); p.L(-mx4, 0); p.L(0, -my4); p.L(mx4, my4); p.M(-mx2, -my2);
        break;
    case 11:  // right triangle, right angle top right
        p.M(mx2, my2); p.L(0, -my4); p.L(-mx4, 0); p.L(mx4, my4); p.M(-mx2, -my2);
        break;
    case 12:  // open wedge pointing up
        p.M(-mx1, my2); p.L(mx1, -my4); p.L(mx1, my4); p.M(-mx1, -my2);
        break;
    case 13:  // open wedge pointing down
        p.M(-mx1, -my2); p.L(mx1, my4); p.L(mx1, -my4); p.M(-mx1, my2);
        break;
    case 14:  // chevron pointing left
        p.M(mx2, -my1); p.L(-mx4, my1); p.L(mx4, my1); p.M(-mx2, -my1);
        break;
    default:  // 15: chevron pointing right
        p.M(-mx2, -my1); p.L(mx4, my1); p.L(-mx4, my1); p.M(mx2, -my1);
        break;
    }
}

void DrawSquareDot(DrawTarget& target, int x, int y, int kp, Rgb colour)
{
    for (int dy = -kp; dy <= kp; ++dy) {
        for (int dx = -kp; dx <= kp; ++dx) target.setPixel(x + dx, y + dy, colour);
    }
}

}  // namespace zan::render
