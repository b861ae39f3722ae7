#include "render/cell_drawing.h"

#include "render/colours.h"
#include "render/fast_walk.h"
#include "render/rounding.h"
#include "render/sample_walk.h"

#include <zan.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zan::render {

void DrawFrame(DrawTarget& t, const zan::Session& s, const CellContext& c)
{
    const zan::CellRecord& cell = c.cell;
    t.selectPen(PenSpec{PenStyle::Solid, c.g.k, kBlack});
    t.rectangle(cell.PlotL, cell.PlotT, cell.PlotR + 1, cell.PlotB + 1);
    if (c.slot.iGrph == s.bGrph) {
        t.selectPen(PenSpec{PenStyle::Solid, c.g.k, kLightBlue});
        t.rectangle(cell.PlotL, cell.PlotT, cell.PlotR + 1, cell.PlotB + 1);
    }
    t.selectOwnPen();
}

namespace {

// An empty or undefined axis has no mapping; the frame stays empty.
bool Mappable(const CellContext& c)
{
    return std::isfinite(c.X.Ahi - c.X.Alo) && std::isfinite(c.Y.Ahi - c.Y.Alo) && c.X.Ahi != c.X.Alo &&
           c.Y.Ahi != c.Y.Alo;
}

void MapCell(const CellContext& c)
{
    const zan::CellRecord& cell = c.cell;
    double xmin = c.X.Alo, xmax = c.X.Ahi, ymin = c.Y.Alo, ymax = c.Y.Ahi;
    int32_t xspan = cell.PlotW, yspan = cell.PlotH, xoff = cell.PlotL, yoff = cell.PlotB;
    dtran(&xmin, &xmax, &ymin, &ymax, &xspan, &yspan, &xoff, &yoff);
}

// Calls f(j, file, ix, iy) for line j (from 1) of every file that holds both
// its variable and the graph's X variable, in drawing order; starts(j) before
// the files of line j.
template <class Starts, class Curve>
void EachCurve(const zan::Session& s, const CellContext& c, Starts starts, Curve f)
{
    const int nFile = std::min(s.nFile, s.FileTab.size());
    for (size_t jj = 0; jj < c.vars.lines.size(); ++jj) {
        const int j = static_cast<int>(jj) + 1;
        starts(j);
        for (int file = 1; file <= nFile; ++file) {
            const int ver = s.version(file);
            if (ver < 1 || ver > zan::kMaxVersions) continue;
            const int32_t ix = s.VarMap(c.vars.xVar, ver);
            const int32_t iy = s.VarMap(c.vars.lines[jj], ver);
            if (ix == 0 || iy == 0) continue;
            f(j, file, ix, iy);
        }
    }
}

}  // namespace

void DrawCurves(DrawTarget& t, const zan::Session& s, const CellContext& c)
{
    if (!Mappable(c)) return;
    MapCell(c);
    const zan::CellRecord& cell = c.cell;
    WalkStyle w;
    w.iMark = s.iMark;
    w.iStep = std::clamp(s.iStep, 1, zan::kMaxStep);
    w.kp = c.g.kp;
    w.D = c.g.D;
    w.dims = c.dims;
    // The cell's clip, as the page drawing sets it, in columns of the page;
    // the page puts logical x 0 on its left column.
    const VisibleColumns visible{std::max(cell.Left - c.g.kp, 0),
                                 std::min(cell.Right + c.g.kp + 1, static_cast<int>(c.g.SW))};
    ColourGenerator generator;
    EachCurve(s, c, [&](int j) {
        w.markKind = MarkKindOf(c.slot.iWind, j);
        generator.reset();
    }, [&](int j, int f, int32_t ix, int32_t iy) {
        int32_t file = f;
        int32_t n = 0;
        sdata(&file, &ix, &iy, &n);
        Rgb colour = FileColor(f);
        if (s.iFclr == 0) {
            colour = LineColor(j, s.iFclr);
            if (f > 1) colour = VaryColor(colour, generator);
        }
        w.colour = colour;
        const PenSpec pen{PenStyle::Solid, c.g.k, colour};
        t.selectPen(pen);
        DrawLineSamples(t, f, n, w, pen, visible);
        t.selectOwnPen();
    });
}

void LeaveCurvesState(zan::Session& s, const CellContext& c)
{
    if (!Mappable(c)) return;
    MapCell(c);
    EachCurve(s, c, [&](int j) { s.MarkKind = MarkKindOf(c.slot.iWind, j); }, [](int, int f, int32_t ix, int32_t iy) {
        int32_t file = f, n = 0;
        sdata(&file, &ix, &iy, &n);
    });
}

bool CurvesOnePixelWide(const CellContext& c)
{
    return c.g.k <= 1;
}

void PrepareCurves(const zan::Session& s, const CellContext& c)
{
    int32_t step = std::clamp(s.iStep, 1, zan::kMaxStep);
    // The marks modes that set a mark or dot on every point, and "Pins",
    // ask whether neighbouring samples lie a pixel apart.
    int32_t differences = s.iMark == kMarksAll || s.iMark == kMarksOnly || s.iMark == kMarksDots ||
                          s.iMark == kMarksPins;
    EachCurve(s, c, [](int) {}, [&](int, int f, int32_t ix, int32_t iy) {
        int32_t file = f;
        mprep(&file, &ix, &step, &differences);
        mprep(&file, &iy, &step, &differences);
    });
}

void DrawTimeMarkers(DrawTarget& t, const zan::Session& s, const CellContext& c)
{
    if (c.vars.xVar != 1) return;
    const zan::CellRecord& cell = c.cell;
    const int n = std::clamp(s.nPins, 0, zan::kMaxPins);
    for (int m = 1; m <= n; ++m) {
        t.setForeColor(m == n ? kLightBlue : kBlack);
        const double v = s.Pins[static_cast<size_t>(m)];
        if (c.X.Alo < v && v < c.X.Ahi) {
            const int x = cell.Left + CLng((v - c.X.Alo) / (c.X.Ahi - c.X.Alo) * cell.Width - 0.00001);
            t.moveTo(x, cell.PlotB);
            t.lineTo(x, cell.PlotT);
        }
    }
}

bool LineLegendShown(const zan::Session& s, int nLine)
{
    const bool marked = s.iMark == kMarksOn || s.iMark == kMarksAll || s.iMark == kMarksOnly;
    return s.iTitLine == 1 || (nLine > 1 && marked);
}

// Entries run down columns of N names inside the frame's top left corner; in
// the marks modes that draw shapes each name has its line's mark before it.
void DrawLineLegend(DrawTarget& t, zan::Session& s, const CellContext& c)
{
    const zan::CellRecord& cell = c.cell;
    const int hf = CellTextHeight(c);
    const double T = c.g.T;
    const bool marked = s.iMark == kMarksOn || s.iMark == kMarksAll || s.iMark == kMarksOnly;
    t.selectFont(FontSpec{c.face, hf, 0});
    t.setTextAlign(kAlignLeft + kAlignBottom);
    for (size_t jj = 0; jj < c.vars.lines.size(); ++jj) {
        const int j = static_cast<int>(jj) + 1;
        const int lc = (j - 1) / c.g.N;
        const int lr = (j - 1) % c.g.N;
        std::string text;
        if (s.VarTab.contains(c.vars.lines[jj])) {
            std::string& name = s.VarTab[c.vars.lines[jj]].Name;
            name = Trimmed(name);
            text = name;
        }
        const Rgb colour = LineColor(j, s.iFclr);
        const int y = CLng(cell.PlotT - 0.12 * T * cell.PlotH - 1.5 * hf * lr);
        int x = 0;
        if (marked) {
            x = CLng(cell.PlotL - (9.0 * lc + 1.7) * hf);
            t.selectPen(PenSpec{PenStyle::Solid, c.g.k, colour});
            t.moveTo(CLng(x + 0.5 * hf), CLng(y + 0.6 * hf));
            DrawMark(t, MarkKindOf(c.slot.iWind, j), c.dims);
            t.selectOwnPen();
        } else {
            x = CLng(cell.PlotL - (9.0 * lc + 1.2) * hf);
        }
        t.setTextColor(colour);
        t.textOut(x, y, text);
    }
    t.setTextColor(kBlack);
    t.releaseFont();
}

}  // namespace zan::render
