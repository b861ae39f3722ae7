// The display options of the View menu and "Clear" of the Edit menu: what
// an entry does to the session. Each returns true when the page must be drawn
// again (and the check marks brought in line).
#pragma once

#include "session/file_commands.h"
#include "session/session_state.h"

namespace zan {

// Entry i of "Marks...", "Text", "Font..." or "Color": field = i, unless it
// is already i.
bool ChooseOption(int& field, int i);

// A "Titles" entry: the flag goes from 1 to 0 and from anything else to 1.
bool ToggleTitle(int& flag);

// "Transpose": cells numbered down the columns (-1) or along the rows (0).
bool ToggleTranspose(Session& s);

// Entry i of "Last": iLast = i, unless it is already i.
bool ChooseLast(Session& s, int i);

// "Clear": all time markers removed; a drawing follows when data are loaded.
bool ClearMarkers(Session& s);

} // namespace zan
