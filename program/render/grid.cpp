#include "render/cell_drawing.h"

#include "render/rounding.h"

#include <cmath>

namespace zan::render {

namespace {

// Dots per tick interval of a dotted grid line: more on wider intervals.
int DotsPerInterval(double spacing)
{
    const double a = std::fabs(spacing);
    if (a > 100) return 20;
    if (a > 50) return 10;
    if (a > 10) return 5;
    return 2;
}

}  // namespace

// Interior ticks get a dotted line, the tick at zero a dashed line of
// 2 kp + 1 pixels thickness drawn with the target's own pen.
void DrawGrid(DrawTarget& t, const CellContext& c)
{
    const zan::CellRecord& cell = c.cell;
    const int kp = c.g.kp;
    if (c.X.Anum < 1 || c.Y.Anum < 1) return;
    const double dx = static_cast<double>(cell.PlotW) / c.X.Anum;
    const double dy = static_cast<double>(cell.PlotH) / c.Y.Anum;
    t.setForeColor(kDarkGrey);

    const int izy = ZeroTick(c.Y);
    for (int i = 1; i < c.Y.Anum; ++i) {
        const int y = cell.PlotB + CLng(i * dy - 0.00001);
        if (i == izy) {
            t.setDrawStyle(PenStyle::Dashed);
            for (int yy = y - kp; yy <= y + kp; ++yy) {
                t.moveTo(cell.PlotL, yy);
                t.lineTo(cell.PlotR, yy);
            }
            t.setDrawStyle(PenStyle::Solid);
        } else {
            const int m = DotsPerInterval(dx);
            const double ds = dx / m;
            for (int n = 1; n <= c.X.Anum * m - 1; ++n)
                DrawSquareDot(t, cell.PlotL + CLng(n * ds - 0.00001), y, kp, kDarkGrey);
        }
    }

    const int izx = ZeroTick(c.X);
    for (int i = 1; i < c.X.Anum; ++i) {
        const int x = cell.PlotL + CLng(i * dx - 0.00001);
        if (i == izx) {
            t.setDrawStyle(PenStyle::Dashed);
            for (int xx = x - kp; xx <= x + kp; ++xx) {
                t.moveTo(xx, cell.PlotB);
                t.lineTo(xx, cell.PlotT);
            }
            t.setDrawStyle(PenStyle::Solid);
        } else {
            const int m = DotsPerInterval(dy);
            const double ds = dy / m;
            for (int n = 1; n <= c.Y.Anum * m - 1; ++n)
                DrawSquareDot(t, x, cell.PlotB + CLng(n * ds - 0.00001), kp, kDarkGrey);
        }
    }
    t.setForeColor(kBlack);
}

}  // namespace zan::render
