// The straightforward walk over the samples of one line of one file: every
// drawn sample is mapped through the library and drawn as the marks mode
// says. It is the reference picture for any faster way of drawing curves.
#ifndef ZAN_RENDER_SAMPLE_WALK_H
#define ZAN_RENDER_SAMPLE_WALK_H

#include "render/draw_target.h"
#include "render/mark_shapes.h"

namespace zan::render {

// Marks modes of the "Marks..." menu.
enum MarksMode { kMarksOff = 0, kMarksOn = 1, kMarksAll = 2, kMarksOnly = 3, kMarksDots = 4, kMarksPins = 5 };

// Colour of the pin dots of marks mode "Pins".
inline constexpr Rgb kPinColour = MakeRgb(6, 0, 0);

struct WalkStyle {
    int iMark = kMarksOff;
    int iStep = 1;       // every iStep-th sample is drawn, and the last one
    int kp = 0;          // half size of square dots
    int D = 0;           // least distance between marks in mode "On"
    int markKind = 0;
    MarkDims dims;
    Rgb colour = kBlack; // the line's pen colour, for its square dots
};

// Walks samples 1..n of library file `file` with the X and Y variables that
// sdata selected and the mapping that dtran set. The line's pen is selected
// on the target already.
void WalkSamples(DrawTarget& target, int file, int n, const WalkStyle& style);

}  // namespace zan::render

#endif
