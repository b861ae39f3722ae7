// The steps that draw one graph cell, in the order the page drawing calls
// them: tick labels, grid, titles, frame, curves, time markers, line legend.
#ifndef ZAN_RENDER_CELL_DRAWING_H
#define ZAN_RENDER_CELL_DRAWING_H

#include "render/axis_ranges.h"
#include "render/draw_target.h"
#include "render/mark_shapes.h"
#include "render/page_layout.h"
#include "render/tick_format.h"
#include "session/session_state.h"

#include <string>
#include <vector>

namespace zan::render {

// What every step of one cell needs to know.
struct CellContext {
    PageGeometry g;
    CellSlot slot;
    zan::CellRecord cell;
    GraphVars vars;
    zan::AxisState X;
    zan::AxisState Y;
    AxisFormat fmtX;
    AxisFormat fmtY;
    std::string face;  // face name of the font menu
    MarkDims dims;
};

// Character height of the cell's texts (negative: a character height).
int CellTextHeight(const CellContext& c);

// Tick labels of both axes. Returns the room the Y labels take left of the
// frame, for the rotated Y title: lw (label width plus a quarter of "0000")
// and th (height of the title text, 0 without a Y title).
struct LabelRoom {
    int lw = 0;
    int th = 0;
};
LabelRoom DrawTickLabels(DrawTarget& t, zan::Session& s, const CellContext& c);

// Indices of the X ticks that get a label: all, every second or every third
// depending on how the widest label compares with the tick spacing, always
// including the tick at zero.
std::vector<int> XLabelTicks(const zan::AxisState& x, int widest, int plotW);

// Index of the tick at zero, 0 when the axis does not cross zero.
int ZeroTick(const zan::AxisState& a);

void DrawGrid(DrawTarget& t, const CellContext& c);
void DrawCellTitles(DrawTarget& t, zan::Session& s, const CellContext& c, const LabelRoom& room);
void DrawFrame(DrawTarget& t, const zan::Session& s, const CellContext& c);
// Sets the library's mapping for the cell and draws every line of every
// file, clipped to the cell. Touches nothing of the session, so cells may
// be drawn on several threads, each with the library's mapping of its own.
void DrawCurves(DrawTarget& t, const zan::Session& s, const CellContext& c);
// What drawing the curves leaves behind besides pixels: MarkKind, and the
// library's mapping and variables on this thread, as of the last curve.
void LeaveCurvesState(zan::Session& s, const CellContext& c);
// Whether the curves are drawn with one-pixel pens.
bool CurvesOnePixelWide(const CellContext& c);
// Makes the library's summaries of the cell's variables at the draw rate,
// before cells are drawn on other threads.
void PrepareCurves(const zan::Session& s, const CellContext& c);
void DrawTimeMarkers(DrawTarget& t, const zan::Session& s, const CellContext& c);
bool LineLegendShown(const zan::Session& s, int nLine);
void DrawLineLegend(DrawTarget& t, zan::Session& s, const CellContext& c);

// Trims blanks at both ends.
std::string Trimmed(const std::string& text);

}  // namespace zan::render

#endif
