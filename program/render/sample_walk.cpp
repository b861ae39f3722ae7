#include "render/sample_walk.h"

#include <zan.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace zan::render {

void WalkSamples(DrawTarget& target, int file, int n, const WalkStyle& w)
{
    const int step = std::max(w.iStep, 1);
    int32_t f = file;
    bool first = true;
    int q = 0;
    int32_t px = 0;
    int32_t py = 0;
    int px0 = 0;
    int py0 = 0;
    int mx = 0;
    int my = 0;
    for (int32_t s = 1; s <= n; ++s) {
        const bool last = s >= n;
        if (last) q = 0;
        if (q == 0) {
            int32_t inside = 1;
            idata(&f, &s, &px, &inside);
            if (inside == 1) jdata(&f, &s, &py, &inside);
            if (inside == 1) {
                const bool moved = px != px0 || py != py0;
                if (first) {
                    target.moveTo(px, py);
                    if (w.iMark == kMarksOn || w.iMark == kMarksAll || w.iMark == kMarksOnly) {
                        DrawMark(target, w.markKind, w.dims);
                        mx = px;
                        my = py;
                    } else if (w.iMark == kMarksDots) {
                        DrawSquareDot(target, px, py, w.kp, w.colour);
                    }
                    first = false;
                } else if (moved) {
                    switch (w.iMark) {
                    case kMarksOn:
                        target.lineTo(px, py);
                        if (std::abs(px - mx) > w.D || std::abs(py - my) > w.D) {
                            DrawMark(target, w.markKind, w.dims);
                            mx = px;
                            my = py;
                        }
                        break;
                    case kMarksAll:
                        target.lineTo(px, py);
                        DrawMark(target, w.markKind, w.dims);
                        break;
                    case kMarksOnly:
                        target.moveTo(px, py);
                        DrawMark(target, w.markKind, w.dims);
                        break;
                    case kMarksDots:
                        DrawSquareDot(target, px, py, w.kp, w.colour);
                        break;
                    case kMarksPins:
                        target.lineTo(px, py);
                        DrawSquareDot(target, px0, py0, w.kp, kPinColour);
                        break;
                    default:
                        target.lineTo(px, py);
                        break;
                    }
                }
                if (last) {
                    if (w.iMark == kMarksOff || w.iMark == kMarksOn || w.iMark == kMarksAll)
                        DrawSquareDot(target, px, py, w.kp, w.colour);
                    else if (w.iMark == kMarksPins)
                        DrawSquareDot(target, px, py, w.kp, kPinColour);
                }
            }
            px0 = px;
            py0 = py;
        }
        if (++q >= step) q = 0;
    }
}

}  // namespace zan::render
