// Division of the page into the title band, the grid of graph cells and the
// files-legend band, and the lengths derived from the target size.
#ifndef ZAN_RENDER_PAGE_LAYOUT_H
#define ZAN_RENDER_PAGE_LAYOUT_H

#include "session/session_state.h"

#include <string>
#include <vector>

namespace zan::render {

// Text factor T of the text size index (menu "Text": Huge .. Tiny).
double TextFactor(int iFsiz);
// Line-legend entries per legend column N of the text size index.
int LegendColumnLength(int iFsiz);
// Face name of the font index (menu "Font...").
std::string FaceName(int iFont);
// Length W of the "Last" window in seconds, 0 for none.
int LastWindowSeconds(int iLast);
// Caption under the plot: " " without a window, else "Last " + W + " sec"
// with a blank before the number.
std::string LastWindowCaption(int iLast);

// Everything of one drawing that follows from the settings and the target
// size alone.
struct PageGeometry {
    double SW = 0, SH = 0;  // target size in pixels
    double sx = 1, sy = -1; // logical units per pixel; y runs downward
    double Wd = 0, Hd = 0;  // target size in logical units (Hd negative)
    int rows = 1;           // graph rows and columns, at least 1
    int cols = 1;
    double T = 1;           // text factor
    int N = 10;             // line-legend column length
    double hT = 0;          // title band, fraction of the height
    double hF = 0;          // files-legend band, fraction of the height
    double P = 1;           // fraction left to the graph cells
    int legendRows = 0;     // rows of the files legend (4 files a row, 16 at most)
    int k = 0;              // width of frame and curve pens
    int kp = 0;             // half size of square dots, half thickness of grid lines
    double u = 0;           // size unit of marks and spacings
    int D = 0;              // least distance between marks in marks mode "On"
};

PageGeometry ComputePageGeometry(const zan::Session& s, int SW, int SH);

// Frame of the cell in row, col (from 0), in pixels from the top-left corner,
// with its plot rectangle in logical units.
zan::CellRecord CellGeometry(const zan::Session& s, const PageGeometry& g, int row, int col);

// A cell of the current page that shows a graph.
struct CellSlot {
    int row = 0;
    int col = 0;
    int iWind = 0;  // cell number on the page
    int iGrph = 0;  // absolute graph number
};

// The cells of page iPage in drawing order (row by row), numbered along the
// rows or, transposed, down the columns; the rest of a row is skipped once
// its graph number passes nGrph.
std::vector<CellSlot> PageCells(const zan::Session& s);

// Number of pages of the graphs (0 without graphs).
int PageCount(const zan::Session& s);

}  // namespace zan::render

#endif
