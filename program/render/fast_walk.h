// A faster way to draw a line of many samples on the screen image that sets
// exactly the pixels the sample walk sets, in every marks mode and at every
// draw rate: its cost follows the pixels drawn, not the samples in view.
#ifndef ZAN_RENDER_FAST_WALK_H
#define ZAN_RENDER_FAST_WALK_H

#include "render/draw_target.h"
#include "render/sample_walk.h"

namespace zan::render {

// Logical x range [left, right) outside which nothing drawn on the target
// can be seen.
struct VisibleColumns {
    int left = 0;
    int right = 0;
};

// True when the fast walk gives the sample walk's very pixels: a solid
// one-pixel pen on the screen image, with its own line drawing.
bool FastWalkApplies(const DrawTarget& target, const WalkStyle& style, const PenSpec& pen);

// Walks samples 1..n like WalkSamples, in the style's marks mode.
void FastWalkSamples(DrawTarget& target, int file, int n, const WalkStyle& style, VisibleColumns visible);

// Draws samples 1..n of one line with the line's pen selected already: the
// fast walk where it applies, the sample walk elsewhere.
void DrawLineSamples(DrawTarget& target, int file, int n, const WalkStyle& style, const PenSpec& pen,
                     VisibleColumns visible);

}  // namespace zan::render

#endif
