// Colours of lines and files.
#ifndef ZAN_RENDER_COLOURS_H
#define ZAN_RENDER_COLOURS_H

#include "render/draw_target.h"

#include <random>

namespace zan::render {

// Colour of table entry n mod 7 (n from 1): red, green, blue, purple, sky
// blue, brown, black, then red again.
Rgb TableColor(int n);

// Colour of line j of a graph: the table colour, or black when colouring by
// file (iFclr = 1).
Rgb LineColor(int j, int iFclr);

// Colour of file f: always the table colour.
Rgb FileColor(int f);

// Numbers in [0, 1) for VaryColor, restarting from the same start value at
// every reset, so that every line and every redraw sees the same sequence.
class ColourGenerator {
public:
    ColourGenerator() { reset(); }
    void reset() { engine_ = std::knuth_b(kStart); }
    double next();

private:
    static constexpr unsigned kStart = 1000;
    // Its first numbers from this start give the second file of a line a
    // clearly different yet related colour (red becomes orange-red).
    std::knuth_b engine_;
};

// A related but distinguishable colour: each component moved by a random
// amount in [-192, 192) and clamped to 0..255, red first.
Rgb VaryColor(Rgb colour, ColourGenerator& generator);

}  // namespace zan::render

#endif
