// The zoom history: up to 40 levels of visible ranges per variable, so that
// the time axis and the axes of every graph zoom together and a page change
// keeps the zoom. The operations act on the graph and cell of the last mouse
// press (CurGrph, CurCell) and never draw; callers redraw afterwards.
#pragma once

#include "session/session_state.h"

namespace zan {

// Sets the range of the current level of CurGrph's variables by hand (the
// fixed scale window): the x variable to xmin..xmax, the lines to ymin..ymax,
// each narrowed by a ten-thousandth of its width at both ends; the lines'
// ranges are marked as set by hand. The level does not change.
void SetZoom0(Session& s, double xmin, double xmax, double ymin, double ymax);

// Opens a new level in which CurGrph's x variable shows x1..x2 and its lines
// y1..y2; the other variables keep the visible range of the level below.
// Levels above the current one are discarded. Nothing at level 40.
void SetZoom(Session& s, double x1, double x2, double y1, double y2);

// Opens a new level in which CurGrph's x variable shows x1..x2 and every
// other variable shows what it showed at the level below, its panned time
// axis and hand-set ranges included. Levels above the current one are
// discarded. Nothing at level 40.
void SetZoomX(Session& s, double x1, double x2);

// Opens a new level in which the x window is x1..x2 (values of CurGrph's x
// variable) and every variable is rescaled to its data inside that window.
// Nothing when the window holds no data or the level is 40. Returns true when
// a level was made.
bool SetRang(Session& s, double x1, double x2);

// Pans the time axis two ticks left or right at the current level, within
// the panning limits and only while data lie beyond the edge. True when the
// axis moved.
bool LftZoom(Session& s);
bool RgtZoom(Session& s);
// Whether LftZoom and RgtZoom would move the axis now.
bool CanPanLeft(const Session& s);
bool CanPanRight(const Session& s);

// Steps through the history without changing it.
void MinZoom(Session& s);
void MaxZoom(Session& s);
void PrvZoom(Session& s);
void NxtZoom(Session& s);

// Values of CurGrph's axes as last drawn to pixels of the picture in CurCell
// and back. An axis of no width maps every value to the cell's left or top.
struct PlotPoint {  // pixels or values, by the function
    double x = 0;
    double y = 0;
};
PlotPoint ToPixel(const Session& s, double x, double y);
PlotPoint ToValue(const Session& s, double px, double py);

}  // namespace zan
