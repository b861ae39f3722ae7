// Face names of the drawing mapped to installed fonts.
#ifndef ZAN_RENDER_FONT_FACES_H
#define ZAN_RENDER_FONT_FACES_H

#include "render/draw_target.h"

#include <QFont>

namespace zan::render {

// Registers, once per process, the installed fonts that stand in for the
// face names the drawing asks for (metric twins where they exist).
void InstallFaceSubstitutions();

// The font of a logical font record at its pixel height. A face name ending
// in " bold" asks for the bold weight of the face before it.
QFont MakeQFont(const FontSpec& wanted);

}  // namespace zan::render

#endif
