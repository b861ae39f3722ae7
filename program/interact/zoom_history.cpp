#include "interact/zoom_history.h"

#include "render/tick_format.h"

#include <zan.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zan {

namespace {

constexpr double kEmptyHigh = -1.0e99;
constexpr double kEmptyLow = 1.0e99;
constexpr double kHandMargin = 0.0001;

size_t Level(int level) { return static_cast<size_t>(std::clamp(level, 1, kZoomLevels)); }

int VarCount(const Session& s) { return std::min(s.nVar, s.VarTab.size()); }

bool IsLine(const GraphRecord& g, int v)
{
    const int n = std::clamp(g.nLine, 0, kMaxLines);
    for (int j = 1; j <= n; ++j)
        if (g.Lines[static_cast<size_t>(j)] == v) return true;
    return false;
}

// The axis of level L from its visible range.
void DivideLevel(VarRecord& r, size_t L)
{
    double lo = r.Vlo[L];
    double hi = r.Vhi[L];
    int32_t num = 0;
    dscls(&lo, &hi, &r.Alo[L], &r.Ahi[L], &r.Astp[L], &num);
    r.Anum[L] = num;
}

void SetByHand(VarRecord& r, size_t L, double a, double b)
{
    const double e = std::fabs(b - a) * kHandMargin;
    r.Vlo[L] = std::min(a, b) + e;
    r.Vhi[L] = std::max(a, b) - e;
    // Equal ends stay equal rather than crossing by the margin's rounding.
    if (r.Vlo[L] > r.Vhi[L]) r.Vlo[L] = r.Vhi[L] = std::min(a, b);
    DivideLevel(r, L);
}

// Copies the whole of level `from` of a variable to level `to`.
void CopyLevel(VarRecord& r, size_t from, size_t to)
{
    r.Dmin[to] = r.Dmin[from];
    r.Dmax[to] = r.Dmax[from];
    r.Dabs[to] = r.Dabs[from];
    r.Rlo[to] = r.Rlo[from];
    r.Rhi[to] = r.Rhi[from];
    r.Vlo[to] = r.Vlo[from];
    r.Vhi[to] = r.Vhi[from];
    r.Alo[to] = r.Alo[from];
    r.Ahi[to] = r.Ahi[from];
    r.Astp[to] = r.Astp[from];
    r.Anum[to] = r.Anum[from];
    r.Lfix[to] = r.Lfix[from];
}

// Number of merged variable v within file f, 0 when absent.
int32_t FileVar(const Session& s, int f, int v)
{
    const int c = s.version(f);
    if (c < 1 || c > kMaxVersions || v < 1 || v > kMaxMerged) return 0;
    return s.VarMap(v, c);
}

int FileCount(const Session& s) { return std::min(s.nFile, s.FileTab.size()); }

// Range of merged variable v inside the window x1..x2 of merged x variable
// xVar over all files, accumulated as the library does it.
struct WindowExtent {
    double hi = kEmptyHigh;
    double lo = kEmptyLow;
    double abs = 0;
    bool found() const { return hi >= lo; }
};

WindowExtent RangeInWindow(const Session& s, int v, int xVar, double x1, double x2)
{
    WindowExtent e;
    for (int f = 1; f <= FileCount(s); ++f) {
        int32_t yv = FileVar(s, f, v);
        int32_t xv = FileVar(s, f, xVar);
        if (yv < 1 || xv < 1) continue;
        int32_t file = f;
        double hi = e.hi;
        double lo = e.lo;
        double mag = 0;
        rrang(&file, &yv, &xv, &x1, &x2, &hi, &lo, &mag);
        // The library starts afresh on file 1; keep what earlier files gave.
        e.hi = std::max(e.hi, hi);
        e.lo = std::min(e.lo, lo);
        if (e.found()) e.abs = std::max(std::fabs(e.hi), std::fabs(e.lo));
    }
    if (e.found() && e.abs == 0) e.abs = 1;
    return e;
}

}  // namespace

void SetZoom0(Session& s, double xmin, double xmax, double ymin, double ymax)
{
    const size_t L = Level(s.iZlvl);
    const GraphRecord& g = s.CurGrph;
    for (int v = 1; v <= VarCount(s); ++v) {
        VarRecord& r = s.VarTab[v];
        if (v == g.xVar) {
            SetByHand(r, L, xmin, xmax);
            int expo = 0;
            render::NumFmt(r.Alo[L], r.Ahi[L], r.Astp[L], s.LblFmtX, s.CurGrph.Xfmt, expo);
        } else if (IsLine(g, v)) {
            SetByHand(r, L, ymin, ymax);
            r.Lfix[L] = 1;
            int expo = 0;
            render::NumFmt(r.Alo[L], r.Ahi[L], r.Astp[L], s.LblFmtY, s.CurGrph.Yfmt, expo);
        }
    }
}

void SetZoom(Session& s, double x1, double x2, double y1, double y2)
{
    if (s.iZlvl >= kZoomLevels) return;
    s.iZlvl = std::max(s.iZlvl, 0) + 1;
    s.mZlvl = s.iZlvl;
    const size_t L = Level(s.iZlvl);
    const GraphRecord& g = s.CurGrph;
    for (int v = 1; v <= VarCount(s); ++v) {
        VarRecord& r = s.VarTab[v];
        CopyLevel(r, L - 1, L);
        if (v == g.xVar) {
            r.Vlo[L] = x1;
            r.Vhi[L] = x2;
            r.Lfix[L] = 0;
        } else if (IsLine(g, v)) {
            r.Vlo[L] = y1;
            r.Vhi[L] = y2;
            r.Lfix[L] = 0;
        }
        DivideLevel(r, L);
    }
}

void SetZoomX(Session& s, double x1, double x2)
{
    if (s.iZlvl >= kZoomLevels) return;
    s.iZlvl = std::max(s.iZlvl, 0) + 1;
    s.mZlvl = s.iZlvl;
    const size_t L = Level(s.iZlvl);
    for (int v = 1; v <= VarCount(s); ++v) {
        VarRecord& r = s.VarTab[v];
        CopyLevel(r, L - 1, L);
        if (v != s.CurGrph.xVar) continue;
        r.Vlo[L] = x1;
        r.Vhi[L] = x2;
        r.Lfix[L] = 0;
        DivideLevel(r, L);
    }
}

bool SetRang(Session& s, double x1, double x2)
{
    const int xVar = s.CurGrph.xVar;
    if (xVar < 1 || xVar > VarCount(s)) return false;
    const WindowExtent window = RangeInWindow(s, xVar, xVar, x1, x2);
    if (!(window.hi > window.lo) || s.iZlvl >= kZoomLevels) return false;
    s.iZlvl = std::max(s.iZlvl, 0) + 1;
    s.mZlvl = s.iZlvl;
    const size_t L = Level(s.iZlvl);
    for (int v = 1; v <= VarCount(s); ++v) {
        VarRecord& r = s.VarTab[v];
        const WindowExtent e = RangeInWindow(s, v, xVar, x1, x2);
        if (!e.found()) {
            // No sample of this variable inside the window (absent from the
            // files, or only undefined values there): it keeps the level
            // below rather than an empty range.
            CopyLevel(r, L - 1, L);
            r.Lfix[L] = 0;
            continue;
        }
        r.Dmax[L] = e.hi;
        r.Dmin[L] = e.lo;
        r.Dabs[L] = e.abs;
        r.Vlo[L] = e.lo;
        r.Vhi[L] = e.hi;
        DivideLevel(r, L);
        r.Rlo[L] = r.Alo[L];
        r.Rhi[L] = r.Ahi[L];
        r.Lfix[L] = 0;
    }
    return true;
}

bool CanPanLeft(const Session& s)
{
    if (!s.VarTab.contains(1)) return false;
    const VarRecord& r = s.VarTab[1];
    const size_t L = Level(s.iZlvl);
    return r.Dmin[L] < r.Alo[L] && r.Alo[L] > r.Rlo[L];
}

bool CanPanRight(const Session& s)
{
    if (!s.VarTab.contains(1)) return false;
    const VarRecord& r = s.VarTab[1];
    const size_t L = Level(s.iZlvl);
    return r.Dmax[L] > r.Ahi[L] && r.Ahi[L] < r.Rhi[L];
}

bool LftZoom(Session& s)
{
    if (!CanPanLeft(s)) return false;
    VarRecord& r = s.VarTab[1];
    const size_t L = Level(s.iZlvl);
    r.Alo[L] = std::max(r.Alo[L] - 2 * r.Astp[L], r.Rlo[L]);
    r.Ahi[L] = r.Alo[L] + r.Anum[L] * r.Astp[L];
    return true;
}

bool RgtZoom(Session& s)
{
    if (!CanPanRight(s)) return false;
    VarRecord& r = s.VarTab[1];
    const size_t L = Level(s.iZlvl);
    r.Ahi[L] = std::min(r.Ahi[L] + 2 * r.Astp[L], r.Rhi[L]);
    r.Alo[L] = r.Ahi[L] - r.Anum[L] * r.Astp[L];
    return true;
}

void MinZoom(Session& s) { s.iZlvl = 1; }
void MaxZoom(Session& s) { s.iZlvl = std::clamp(s.mZlvl, 1, kZoomLevels); }
void PrvZoom(Session& s) { s.iZlvl = std::max(s.iZlvl - 1, 1); }
void NxtZoom(Session& s) { s.iZlvl = std::clamp(s.iZlvl + 1, 1, std::clamp(s.mZlvl, 1, kZoomLevels)); }

PlotPoint ToPixel(const Session& s, double x, double y)
{
    const AxisState& X = s.CurGrph.Xaxis;
    const AxisState& Y = s.CurGrph.Yaxis;
    const CellRecord& c = s.CurCell;
    PlotPoint p{static_cast<double>(c.Left), static_cast<double>(c.Top)};
    if (X.Ahi != X.Alo) p.x = (x - X.Alo) / (X.Ahi - X.Alo) * c.Width + c.Left;
    if (Y.Ahi != Y.Alo) p.y = (Y.Ahi - y) / (Y.Ahi - Y.Alo) * c.Height + c.Top;
    return p;
}

PlotPoint ToValue(const Session& s, double px, double py)
{
    const AxisState& X = s.CurGrph.Xaxis;
    const AxisState& Y = s.CurGrph.Yaxis;
    const CellRecord& c = s.CurCell;
    const int width = std::max<int>(static_cast<int16_t>(c.Width), 1);
    const int height = std::max<int>(static_cast<int16_t>(c.Height), 1);
    return {(px - c.Left) * (X.Ahi - X.Alo) / width + X.Alo, Y.Ahi - (py - c.Top) * (Y.Ahi - Y.Alo) / height};
}

}  // namespace zan
