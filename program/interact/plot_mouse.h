// The mouse on the plot picture: a press picks the graph under it and starts
// a rubber band inside its cell, a drag zooms (left button) or rescales
// (right button or Shift), a right click opens the fixed scale window on a
// graph or the legend window on the files legend, a double click adds or
// removes a time marker, and every move updates the live readout.
#pragma once

#include "session/session_state.h"

#include <string>

namespace zan {

// The window's fields of the mouse handling, in pixels of the picture.
struct MouseState {
    bool bBand = false;   // a rubber band is being dragged
    bool bResc = false;   // the press was made with the right button or Shift
    double xBeg = 0;      // band corners, clamped into the pressed cell
    double yBeg = 0;
    double xEnd = 0;
    double yEnd = 0;
    double xCur = 0;      // last mouse position
    double yCur = 0;
    double xWrd = 0;      // last position in graph units
    double yWrd = 0;
    bool bHold = false;   // the hover readout runs: moves do not restart its delay
    float lastX = -1e9f;  // last position that counted as a move
    float lastY = -1e9f;
    bool bLegend = false; // the press was made on the files legend
    // The pressed cell and graph. A page drawn while the band is dragged (a
    // delayed redraw, a watched file that grew) leaves the last drawn cell
    // current; the band goes on with these.
    CellRecord bandCell;
    GraphRecord bandGrph;
};

// Buttons as the picture reports them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;

// What the mouse handling asks of the window.
class MouseHost {
public:
    virtual ~MouseHost() = default;
    virtual double PictureWidth() const = 0;
    // The band outline over the picture; hiding it leaves the picture as it was.
    virtual void ShowBand(double /*x1*/, double /*y1*/, double /*x2*/, double /*y2*/) {}
    virtual void HideBand() {}
    // Stops the hover delay and hides the hover label.
    virtual void StopHover() {}
    // Hides the hover label and starts the hover delay again.
    virtual void RestartHover() {}
    virtual void SetLiveLabel(const std::string& /*caption*/) {}
    // The highlight rings and time markers, drawn over the picture; on a
    // press without letting pending events (the release) run meanwhile.
    virtual void ObjtRect(bool /*letEventsRun*/) {}
    virtual void PictDraw() {}
    virtual void ButnStat() {}
    virtual void DrawDelayed(int /*ms*/) {}
    virtual void ProcessEvents() {}
    // The fixed scale and legend windows, opened beside the point.
    virtual void ShowFixedScale(double /*x*/, double /*y*/) {}
    virtual void ShowLegend(double /*x*/, double /*y*/) {}
};

void MouseDown(Session& s, MouseState& m, MouseHost& host, int button, int shift, double x, double y);
void MouseMove(Session& s, MouseState& m, MouseHost& host, double x, double y);
void MouseUp(Session& s, MouseState& m, MouseHost& host, double x, double y);
// At the last mouse position: the graph there gets the marker.
void DblClick(Session& s, MouseState& m, MouseHost& host);

// The live readout of the position (x, y): the caption of the graph under
// it, or of the band's graph while a band is dragged.
void UpdateLive(Session& s, MouseState& m, MouseHost& host);

// One step of a held pan button (-1 "<", +1 ">"): pans while the button is
// held and the axis can move. True when the step was made and the repeat
// goes on.
bool RepeatPan(Session& s, int direction);

}  // namespace zan
