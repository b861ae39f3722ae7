// Drawing of the current page of graphs onto a drawing target.
#ifndef ZAN_RENDER_OBJT_DRAW_H
#define ZAN_RENDER_OBJT_DRAW_H

#include "render/draw_target.h"
#include "session/session_state.h"

#include <string>

namespace zan::render {

// What the page drawing asks of the window around it; every call may do
// nothing (a test or a headless export).
class DrawHost {
public:
    virtual ~DrawHost() = default;
    // Hourglass pointer on the frame window while drawing.
    virtual void setBusyPointer(bool /*busy*/) {}
    // Caption of the label under the plot that names the "Last" window.
    virtual void setLastLabel(const std::string& /*caption*/) {}
    // The drawing is done with its target: called before pending events
    // run, since a command run meanwhile may draw again, and nothing may
    // still paint on a picture then.
    virtual void targetDone() {}
    // Lets pending window events run once, at the end of the drawing.
    virtual void processEvents() {}
};

// Draws page iPage of the session onto the target: page bands, cells, axes,
// labels, grid, titles, curves, markers and legends. Writes back CellTab,
// the drawn graphs' axis state and readout formats, the band positions
// (Ytitl, Yarea, Yfoot), SizeUnit, the mark dimensions, MarkKind and the
// label formats. drErr is 2 while drawing and 0 afterwards. Erasing the
// target first is the caller's task.
void ObjtDraw(zan::Session& s, DrawTarget& obj, DrawHost* host = nullptr);

}  // namespace zan::render

#endif
