#include "interact/wheel_zoom.h"

#include "interact/cursor_readout.h"
#include "interact/zoom_history.h"

#include <zan.h>

#include <algorithm>
#include <cmath>

namespace zan {

namespace {

// A zoom in whose pleasant axis would come out no narrower than the axis
// shown takes a further notch, up to this many.
constexpr int kMaxExtraNotches = 8;

struct Window {
    double lo = 0;
    double hi = 0;
};

// The axis the library divides lo..hi into.
Window Divided(double lo, double hi)
{
    Window w;
    double step = 0;
    int32_t n = 0;
    dscls(&lo, &hi, &w.lo, &w.hi, &step, &n);
    return w;
}

// x1..x2 scaled by f around p.
Window Around(double p, double x1, double x2, double f)
{
    return {p - (p - x1) * f, p + (x2 - p) * f};
}

}  // namespace

WheelZoom::WheelZoom(Session& s, MouseState& m, MouseHost& host, Timer& settle)
    : s_(s), m_(m), host_(host), settle_(settle)
{
    settle_.setInterval(kWheelSettleMs);
    settle_.onTick([this] { Settle(); });
}

void WheelZoom::Wheel(double x, double y, int dx, int dy, bool shift)
{
    if (s_.lderr != 0 || m_.bBand) return;
    const int delta = dy != 0 ? dy : dx;
    if (delta == 0) return;
    const bool pan = shift || dy == 0;
    // Zooming and panning are gestures of their own.
    if (sum_ != 0 && pan != pan_) Settle();
    pan_ = pan;
    sum_ += delta;
    x_ = x;
    y_ = y;
    settle_.setEnabled(true);
}

void WheelZoom::Settle()
{
    settle_.setEnabled(false);
    if (sum_ == 0) return;
    if (s_.lderr != 0 || m_.bBand) {
        sum_ = 0;
        return;
    }
    if (s_.drErr != 0) {
        settle_.setEnabled(true);
        return;
    }
    const double notches = static_cast<double>(sum_) / kWheelNotch;
    sum_ = 0;
    if (pan_)
        Pan(notches);
    else
        Zoom(notches);
}

void WheelZoom::Pan(double notches)
{
    // A gesture of less than a notch still pans once.
    const long steps = std::max(std::lround(std::fabs(notches)), 1L);
    bool moved = false;
    for (long i = 0; i < steps; ++i) moved = (notches > 0 ? LftZoom(s_) : RgtZoom(s_)) || moved;
    if (!moved) return;
    host_.PictDraw();
    host_.ButnStat();
}

void WheelZoom::Zoom(double notches)
{
    const CellHit hit = HitCell(s_, host_.PictureWidth(), x_, y_);
    if (!hit.inCells || hit.iGrph > s_.nGrph || !s_.GrphTab.contains(hit.iGrph) || hit.iWind > kMaxCells) return;
    if (s_.iZlvl >= kZoomLevels) return;
    s_.CurCell = s_.CellTab[static_cast<size_t>(hit.iWind)];
    s_.CurGrph = s_.GrphTab[hit.iGrph];
    const CellRecord& c = s_.CurCell;
    const AxisState& X = s_.CurGrph.Xaxis;
    if (!(X.Ahi > X.Alo)) return;
    const double p = ToValue(s_, std::clamp(x_, double(c.Left), double(std::max(c.Left, c.Right))), y_).x;

    Window w;
    if (notches > 0) {
        // Towards the user: at least one notch, and as many more as it takes
        // for the pleasant axis to come out narrower than the one shown.
        double f = std::pow(kWheelZoomIn, std::max(notches, 1.0));
        w = Around(p, X.Alo, X.Ahi, f);
        for (int k = 0; k < kMaxExtraNotches; ++k) {
            const Window d = Divided(w.lo, w.hi);
            if (d.hi - d.lo < X.Ahi - X.Alo) break;
            f *= kWheelZoomIn;
            w = Around(p, X.Alo, X.Ahi, f);
        }
    } else {
        // Away from the user: wider, but never beyond the axis of all data.
        const int xVar = s_.CurGrph.xVar;
        if (!s_.VarTab.contains(xVar)) return;
        const Window all{s_.VarTab[xVar].Alo[1], s_.VarTab[xVar].Ahi[1]};
        if (X.Alo <= all.lo && X.Ahi >= all.hi) return;
        w = Around(p, X.Alo, X.Ahi, std::pow(kWheelZoomIn, std::min(notches, -1.0)));
        if (all.hi > all.lo) {
            if (w.hi - w.lo >= all.hi - all.lo) {
                w = all;
            } else if (w.lo < all.lo) {
                w = {all.lo, all.lo + (w.hi - w.lo)};
            } else if (w.hi > all.hi) {
                w = {all.hi - (w.hi - w.lo), all.hi};
            }
        }
    }
    host_.StopHover();
    s_.drErr = 3;  // the mouse rests until the zoomed page is drawn
    SetZoomX(s_, w.lo, w.hi);
    host_.ButnStat();
    host_.DrawDelayed(110);
}

}  // namespace zan
