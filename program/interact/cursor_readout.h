// What lies under the mouse on the plot picture: the cell and graph there,
// the live position label and the nearest drawn sample for the hover label.
#pragma once

#include "session/session_state.h"

#include <string>

namespace zan {

// Cell and graph under a point of the picture. Points above or below the
// band of graph cells (title band, files legend) hit no cell.
struct CellHit {
    bool inCells = false;  // between the title band and the files legend
    int iWind = 0;         // cell number on the page
    int iGrph = 0;         // absolute graph number, may exceed nGrph
};
CellHit HitCell(const Session& s, double pictureWidth, double x, double y);

// Live label: when the point lies on a graph of the page, makes that graph
// and its cell current, gives the point in the graph's units and the
// caption "X= ...   D=...\r\nY= ..." (one digit more than the graph's
// readout formats; D is the distance from the last time marker). False, with
// nothing changed, elsewhere.
bool LiveReadout(Session& s, double pictureWidth, double x, double y, double& xWrd, double& yWrd,
                 std::string& caption);

// The caption of the live label for a position in CurGrph's units.
std::string LiveCaption(const Session& s, double xWrd, double yWrd);

// The sample that the hover label names.
struct HoverPick {
    bool found = false;   // a drawn sample within reach and inside the axes
    int file = 0;
    int line = 0;
    int sample = 0;
    double X = 0;
    double Y = 0;
    std::string caption;  // " File: name \r\n  x: 1.5 \r\n  y: 2 "
};

// WhatFile: the drawn sample of CurGrph in CurCell nearest to the point
// (x, y) of a picture pictureHeight pixels high, within 9 pixels both ways;
// among equally near samples the earlier file, then line, then sample. Only
// the samples the drawing draws at the current rate count. Sets the
// library's mapping to the cell.
HoverPick WhatFile(const Session& s, double x, double y, int pictureHeight);

// Left edge of the hover label: right of the pointer, or left of it when it
// would reach beyond the picture, never left of the picture.
int HoverLeft(double x, int labelWidth, int pictureWidth);
// Top edge: above the pointer, kept inside the picture where it fits.
int HoverTop(double y, int labelHeight, int pictureHeight);

// A value as single precision in its shortest text of up to 7 digits.
std::string SingleText(double value);

}  // namespace zan
