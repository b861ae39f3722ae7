// The mouse wheel over the plot. Turning it over a graph zooms the graph's
// horizontal axis (the time, on a time graph) around the pointer into a new
// zoom level, as a rubber band does, so "Zoom Out" steps back; the vertical
// axes stay as they are. With Shift, or a sideways wheel, it pans the time
// axis by the step of "<" and ">". Wheel steps are summed until they pause, so a
// trackpad's stream of small steps makes one level per gesture.
#pragma once

#include "interact/plot_mouse.h"
#include "platform/timer.h"
#include "session/session_state.h"

namespace zan {

// One notch of a mouse wheel, in the eighths of a degree wheel events count.
inline constexpr int kWheelNotch = 120;
// The pause that ends a gesture.
inline constexpr int kWheelSettleMs = 150;
// Share of the axis width one notch towards the user keeps; a notch away
// from the user widens by its inverse.
inline constexpr double kWheelZoomIn = 0.7;

class WheelZoom {
public:
    // The settle timer is the gesture's own; its ticks run Settle.
    WheelZoom(Session& s, MouseState& m, MouseHost& host, Timer& settle);

    // One wheel event at the picture point (x, y), with the turn of the
    // vertical (dy) and horizontal (dx) wheel: positive away from the user
    // and to the left. Nothing happens before the gesture settles.
    void Wheel(double x, double y, int dx, int dy, bool shift);
    // Ends the gesture: one zoom level, or the pans, for all its steps. A
    // gesture that ends while a page is drawn, or before a zoomed page is,
    // waits for the drawing, as the mouse does.
    void Settle();

private:
    void Zoom(double notches);
    void Pan(double notches);

    Session& s_;
    MouseState& m_;
    MouseHost& host_;
    Timer& settle_;
    int sum_ = 0;  // eighths of a degree of the gesture so far
    bool pan_ = false;
    double x_ = 0;  // the pointer at the gesture's last step
    double y_ = 0;
};

}  // namespace zan
