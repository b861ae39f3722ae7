#include "render/page_layout.h"

#include "render/rounding.h"

#include <algorithm>
#include <cmath>

namespace zan::render {

namespace {

constexpr double kTextFactor[5] = {1.4, 1.2, 1.0, 0.8, 0.6};
constexpr int kLegendLength[5] = {10, 10, 10, 12, 16};
constexpr const char* kFaces[7] = {"Arial",           "Courier New", "Georgia", "Tahoma",
                                   "Times New Roman", "Calibri",     "Verdana"};
constexpr int kLastSeconds[8] = {0, 3, 6, 12, 30, 60, 120, 600};

// Keeps every layout denominator at least 1 whatever the settings say.
int Rows(const zan::Session& s) { return std::max(s.nRows, 1); }
int Cols(const zan::Session& s) { return std::max(s.nCols, 1); }
int CellsPerPage(const zan::Session& s) { return std::max(s.nCell, 1); }

constexpr double kEps = 0.00001;

}  // namespace

double TextFactor(int iFsiz) { return kTextFactor[std::clamp(iFsiz, 0, 4)]; }
int LegendColumnLength(int iFsiz) { return kLegendLength[std::clamp(iFsiz, 0, 4)]; }
std::string FaceName(int iFont) { return kFaces[std::clamp(iFont, 0, 6)]; }
int LastWindowSeconds(int iLast) { return iLast >= 0 && iLast <= 7 ? kLastSeconds[iLast] : 0; }

std::string LastWindowCaption(int iLast)
{
    const int w = LastWindowSeconds(iLast);
    if (w == 0) return " ";
    return "Last  " + std::to_string(w) + " sec";
}

PageGeometry ComputePageGeometry(const zan::Session& s, int SW, int SH)
{
    PageGeometry g;
    g.SW = SW;
    g.SH = SH;
    g.Wd = g.SW * g.sx;
    g.Hd = g.SH * g.sy;
    g.rows = Rows(s);
    g.cols = Cols(s);
    g.T = TextFactor(s.iFsiz);
    g.N = LegendColumnLength(s.iFsiz);

    if (s.iTitScrn != 0) {
        // The larger of the two is taken in single precision.
        const float band = std::max(0.03f, static_cast<float>(0.046 * 1.2 / Rows(s)));
        g.hT = static_cast<double>(band) * g.T * (0.95 + 0.1 * s.iTitGrph);
    }
    g.legendRows = (std::min(s.nFile, 16) + 3) / 4;
    if (s.iTitFiles != 0) g.hF = 0.015 * g.T * g.legendRows;
    g.P = 1.0 - g.hT - g.hF;

    g.k = Int(g.SH / 2048.0);
    g.kp = std::max(g.k / 2, 0);
    g.u = std::max(CLng(std::fabs(g.Hd)), CLng(std::fabs(g.Wd))) * 0.0025 / std::max(Cols(s), Rows(s)) * g.T;
    g.D = CLng(20.0 * g.u);
    return g;
}

zan::CellRecord CellGeometry(const zan::Session& s, const PageGeometry& g, int row, int col)
{
    const double rows = Rows(s);
    const double cols = Cols(s);
    const double gT = s.iTitGrph == 1 ? 0.09 : 0.08;
    const double gB = s.iTitXAxis == 1 ? 0.13 : 0.10;
    // The left margin holds text whose height follows the row height, hence
    // the division by the number of rows.
    const double gL = s.iTitYAxis == 1 ? 0.12 : 0.105;

    zan::CellRecord c;
    c.Top = CLng(g.SH * g.hT + g.SH * g.P * (row + gT * g.T) / rows - kEps);
    c.Bottom = CLng(g.SH * g.hT + g.SH * g.P * (row + 1 - gB * g.T) / rows - kEps);
    c.Left = CLng(g.SW * col / cols + g.SW * gL * g.T / rows - kEps);
    c.Right = CLng(g.SW * (col + 1) / cols - g.SW * 0.06 * g.T / rows - kEps);
    c.Height = c.Bottom - c.Top;
    c.Width = c.Right - c.Left;
    c.PlotT = CLng((g.SH - c.Top - 1) * g.sy - kEps);
    c.PlotB = CLng((g.SH - c.Bottom - 1) * g.sy - kEps);
    c.PlotH = c.PlotT - c.PlotB;
    c.PlotL = CLng(c.Left * g.sx - kEps);
    c.PlotR = CLng(c.Right * g.sx - kEps);
    c.PlotW = c.PlotR - c.PlotL;
    return c;
}

std::vector<CellSlot> PageCells(const zan::Session& s)
{
    std::vector<CellSlot> cells;
    const int rows = std::min(Rows(s), zan::kMaxGridSide);
    const int cols = std::min(Cols(s), zan::kMaxGridSide);
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const int iWind = s.iTran != 0 ? col * rows + row + 1 : row * cols + col + 1;
            const int iGrph = (s.iPage - 1) * CellsPerPage(s) + iWind;
            if (iGrph > s.nGrph) break;
            if (iGrph >= 1 && iWind <= zan::kMaxCells) cells.push_back(CellSlot{row, col, iWind, iGrph});
        }
    }
    return cells;
}

int PageCount(const zan::Session& s)
{
    const int n = CellsPerPage(s);
    return (std::max(s.nGrph, 0) + n - 1) / n;
}

}  // namespace zan::render
