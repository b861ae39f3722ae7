// The light overlay of a mouse press: the highlight rings around the plot
// frames of the page and the time markers, drawn over the picture without
// drawing the curves again.
#pragma once

#include "render/draw_target.h"
#include "render/objt_draw.h"
#include "session/session_state.h"

namespace zan {

// ObjtRect: for every cell of the current page a ring one pixel outside the
// black plot frame, light blue around the picked graph bGrph and white
// (erasing an older highlight) around the others, and the time markers of
// graphs over the time, as the last drawing placed them. The mouse is
// ignored (drErr 2) while it runs.
void ObjtRect(Session& s, render::DrawTarget& obj, render::DrawHost* host = nullptr);

} // namespace zan
