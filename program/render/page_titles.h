// The texts of the page outside the cells: the screen title on top and the
// legend of the data files at the bottom.
#ifndef ZAN_RENDER_PAGE_TITLES_H
#define ZAN_RENDER_PAGE_TITLES_H

#include "render/draw_target.h"
#include "render/page_layout.h"
#include "session/session_state.h"

#include <string>

namespace zan::render {

void DrawScreenTitle(DrawTarget& t, zan::Session& s, const PageGeometry& g, const std::string& face);

// Up to 16 file names, four to a row, in file colours when colouring by file.
void DrawFilesLegend(DrawTarget& t, const zan::Session& s, const PageGeometry& g, const std::string& face);

// The file-name part of a path.
std::string FileNamePart(const std::string& path);

}  // namespace zan::render

#endif
