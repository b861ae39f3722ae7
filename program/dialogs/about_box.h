// The about box that "Help" shows beside the main window, without waiting.
#pragma once

#include "session/data_library.h"
#include "session/session_state.h"

class QWidget;

namespace zan {

// Shows the about box over `parent`, or brings up the one already open.
void ShowAboutBox(QWidget* parent, const Session& s, DataLibrary& library);

}  // namespace zan
