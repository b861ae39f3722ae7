// The horizontal and vertical range of a graph as drawn, from the zoom level
// of its variables or from the "Last" time window.
#ifndef ZAN_RENDER_AXIS_RANGES_H
#define ZAN_RENDER_AXIS_RANGES_H

#include "session/session_state.h"

#include <vector>

namespace zan::render {

// The variables a graph draws, with numbers above nVar (or below 1) replaced
// by variable 1; the graph record itself keeps its numbers.
struct GraphVars {
    int xVar = 1;
    std::vector<int> lines;  // lines[j - 1] is the variable of line j
};

GraphVars EffectiveVars(const zan::Session& s, const zan::GraphRecord& g);

// True when the "Last" window applies to a graph with this X variable: a
// window is chosen, X is the time and the zoom is at its first level.
bool LastWindowApplies(const zan::Session& s, int xVar);

// Horizontal axis: the X variable's zoom level, or in "Last" mode the last W
// seconds of the data, moving forward by half a window at a time.
zan::AxisState HorizontalAxis(const zan::Session& s, int xVar);

// Vertical axis: the first line's zoom level (one line) or all lines'
// visible ranges combined and divided anew; in "Last" mode the lines' data
// ranges inside the X window (or their fixed ranges).
zan::AxisState VerticalAxis(const zan::Session& s, const GraphVars& vars, const zan::AxisState& xaxis);

// The library's pleasant division of lo..hi.
void DivideAxis(zan::AxisState& axis);

}  // namespace zan::render

#endif
