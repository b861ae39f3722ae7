// The sixteen mark shapes drawn at data points.
#ifndef ZAN_RENDER_MARK_SHAPES_H
#define ZAN_RENDER_MARK_SHAPES_H

#include "render/draw_target.h"

namespace zan::render {

// Mark lengths in logical units. Horizontal lengths are never 0; the
// vertical my1, my2, my4 are 0 on very small cells, which flattens the marks,
// while myr and myr2 follow the horizontal unit.
struct MarkDims {
    int mx1 = 1, mx2 = 2, mxr = 3, mx4 = 4, mxr2 = 6;
    int my1 = 1, my2 = 2, myr = 3, my4 = 4, myr2 = 6;
};

// Lengths derived from the size unit u.
MarkDims ComputeMarkDims(double u);

// Shape of line j (from 1) in cell iWind (from 1): neighbouring lines and
// neighbouring cells start at different shapes.
int MarkKindOf(int iWind, int j);

// Draws shape kind (0..15, taken mod 16) around the current position with the
// current pen, as relative moves and lines, ending back at that position.
void DrawMark(DrawTarget& target, int kind, const MarkDims& d);

// The (2 kp + 1) x (2 kp + 1) block of pixels centred on (x, y), each set
// with a single-pixel write.
void DrawSquareDot(DrawTarget& target, int x, int y, int kp, Rgb colour);

}  // namespace zan::render

#endif
