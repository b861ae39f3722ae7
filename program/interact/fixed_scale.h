// The fixed scale window's logic: four bounds of one graph, typed by the user
// and applied to the current zoom level, or the y range made symmetric about
// zero.
#pragma once

#include "session/session_state.h"

#include <array>
#include <string>

namespace zan {

// Boxes of the window, by index.
enum FixedScaleBox : int { kBoxYhi = 0, kBoxYlo = 1, kBoxXlo = 2, kBoxXhi = 3 };

struct FixedScale {
    int jGrph = 0;  // the graph the window works on
    double Xlo = 0;
    double Xhi = 0;
    double Ylo = 0;
    double Yhi = 0;
    double SymLo = 0;  // candidate pair of the symmetric range
    double SymHi = 0;
    int iText = 0;     // box last entered
};

// The bounds of CurGrph's axes as last drawn, for graph iGrph.
FixedScale LoadFixedScale(const Session& s);

// The four box texts, in the graph's readout formats, without blanks.
std::array<std::string, 4> FixedScaleTexts(const Session& s, const FixedScale& f);

// Confirms a box: a non-empty text stores its number (0 when unreadable);
// a y bound also makes the symmetric candidate from it. A box the user has
// not typed in stores nothing: its text is the bound in the readout format,
// which may round it (2E-7 shows as "0.00").
void StoreBound(FixedScale& f, int box, const std::string& text, bool typed = true);

// "Sim": the larger magnitude of the candidate pair as the y range -m..m.
void Symmetrise(FixedScale& f);

// Applies the four bounds to graph jGrph at the current level; CurGrph then
// holds that graph with the formats of the new ranges, for the boxes.
void ApplyFixedScale(Session& s, const FixedScale& f);

// After the redraw: the window's graph is current again.
void RestoreFixedScaleGraph(Session& s, const FixedScale& f);

}  // namespace zan
