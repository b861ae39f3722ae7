// Drawing pages without a window: the normal start-up with the settings of
// the data folder, then one page, or every page, drawn into PNG, BMP or PDF
// files. The settings file is not written.
#pragma once

#include "render/draw_target.h"
#include "session/command_line.h"
#include "session/session_state.h"

#include <QImage>

#include <ostream>
#include <string>

namespace zan {

// Number of pages of the session's graphs; iPage is clamped into 1..pages
// (1 when there are no graphs).
int ClampPage(Session& s);

// The caption of the page indicator, "Page 2/5".
std::string PageCaption(const Session& s, int pages);

// Draws the current page of a loaded session on a white image of the size.
QImage DrawPageImage(Session& s, int width, int height);

// Runs the export the arguments ask for: the page asked for, or with
// --page all every page in page order, into one PDF of one sheet per page or
// into one file per page when the name holds a page number field. Tells on
// out where each page went, on err why it could not (naming the file);
// returns the program's exit status.
int ExportPage(const ProgramArgs& args, std::ostream& out, std::ostream& err);

} // namespace zan
