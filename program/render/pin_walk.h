// The fast walk of marks mode "Pins" on the screen image. Each move to a new
// pixel draws a line and then a pin-coloured dot on the point before it, so
// a pixel shows whichever came last: runs of samples in one pixel column are
// settled from their end backwards, row by row, and only as far back as a
// row can still change.
#ifndef ZAN_RENDER_PIN_WALK_H
#define ZAN_RENDER_PIN_WALK_H

#include "render/point_sinks.h"
#include "render/sample_walk.h"

namespace zan::render {

class ImageTarget;

// Walks samples 1..n of library file `file` like WalkSamples in mode "Pins",
// with a one-pixel pen (dots of one pixel) selected already.
void PinWalkSamples(ImageTarget& target, int file, int n, const WalkStyle& style, Area area);

}  // namespace zan::render

#endif
