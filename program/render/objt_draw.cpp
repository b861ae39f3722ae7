#include "render/objt_draw.h"

#include "render/cell_drawing.h"
#include "render/cell_layers.h"
#include "render/page_titles.h"

#include <zan.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zan::render {

namespace {

bool NothingLoaded()
{
    int32_t none = 1;
    daloc(&none);
    return none != 0;
}

void StoreMarkDims(zan::Session& s, const MarkDims& d)
{
    s.mx1 = d.mx1; s.mx2 = d.mx2; s.mxr = d.mxr; s.mx4 = d.mx4; s.mxr2 = d.mxr2;
    s.my1 = d.my1; s.my2 = d.my2; s.myr = d.myr; s.my4 = d.my4; s.myr2 = d.myr2;
}

// Ranges and formats of one cell, written back into the graph record.
CellContext PrepareCell(zan::Session& s, const PageGeometry& g, const CellSlot& slot, const std::string& face,
                        const MarkDims& dims)
{
    CellContext c;
    c.g = g;
    c.slot = slot;
    c.face = face;
    c.dims = dims;
    c.cell = CellGeometry(s, g, slot.row, slot.col);
    s.CellTab[static_cast<size_t>(slot.iWind)] = c.cell;
    // The cell and the graph being drawn are current together, so that after
    // a drawing CurCell and CurGrph still belong to one cell.
    s.CurCell = c.cell;

    s.GrphTab[slot.iGrph].Title = Trimmed(s.GrphTab[slot.iGrph].Title);
    s.CurGrph = s.GrphTab[slot.iGrph];
    c.vars = EffectiveVars(s, s.CurGrph);
    c.X = HorizontalAxis(s, c.vars.xVar);
    c.fmtX = NumFmt(c.X.Alo, c.X.Ahi, c.X.Astp);
    c.Y = VerticalAxis(s, c.vars, c.X);
    c.fmtY = NumFmt(c.Y.Alo, c.Y.Ahi, c.Y.Astp);

    s.LblFmtX = c.fmtX.fmtTick;
    s.LblFmtY = c.fmtY.fmtTick;
    s.CurGrph.Xaxis = c.X;
    s.CurGrph.Yaxis = c.Y;
    s.CurGrph.Xfmt = c.fmtX.fmtRead;
    s.CurGrph.Yfmt = c.fmtY.fmtRead;
    s.GrphTab[slot.iGrph] = s.CurGrph;
    return c;
}

// layers: the cell's curves drawn already, or none.
void DrawCell(DrawTarget& t, zan::Session& s, const CellContext& c, bool loaded, const CellLayers& layers,
              size_t index)
{
    const LabelRoom room = DrawTickLabels(t, s, c);
    DrawGrid(t, c);
    DrawCellTitles(t, s, c, room);
    DrawFrame(t, s, c);

    const zan::CellRecord& cell = c.cell;
    const int kp = c.g.kp;
    t.setClip(Rect{cell.Left - kp, cell.Top - kp, cell.Right + kp + 1, cell.Bottom + kp + 1});
    if (loaded) {
        if (layers.has(index)) layers.put(t, index);
        else DrawCurves(t, s, c);
        LeaveCurvesState(s, c);
        DrawTimeMarkers(t, s, c);
        t.setForeColor(kBlack);
        if (LineLegendShown(s, static_cast<int>(c.vars.lines.size()))) DrawLineLegend(t, s, c);
    }
    t.clearClip();
}

}  // namespace

void ObjtDraw(zan::Session& s, DrawTarget& obj, DrawHost* host)
{
    DrawHost none;
    DrawHost& h = host ? *host : none;
    h.setBusyPointer(true);
    s.drErr = 2;
    h.setLastLabel(LastWindowCaption(s.iLast));

    const int SW = obj.scaleWidth();
    const int SH = obj.scaleHeight();
    // Logical (0, 0) is the bottom-left pixel; y runs downward.
    obj.setViewportOrigin(0, SH - 1);
    const PageGeometry g = ComputePageGeometry(s, SW, SH);
    s.Ytitl = g.hT * g.SH;
    s.Yarea = g.P * g.SH;
    s.Yfoot = (1.0 - g.hF) * g.SH;
    s.SizeUnit = g.u;
    const MarkDims dims = ComputeMarkDims(g.u);
    StoreMarkDims(s, dims);
    const std::string face = FaceName(s.iFont);

    if (s.iTitScrn != 0) DrawScreenTitle(obj, s, g, face);
    if (s.iTitFiles != 0 && s.nFile > 0) DrawFilesLegend(obj, s, g, face);

    const bool loaded = !NothingLoaded();
    std::vector<CellContext> cells;
    for (const CellSlot& slot : PageCells(s)) {
        if (!s.GrphTab.contains(slot.iGrph)) continue;  // nGrph ahead of the table
        cells.push_back(PrepareCell(s, g, slot, face, dims));
    }
    const CellLayers layers = loaded ? CellLayers::Draw(obj, s, cells) : CellLayers{};
    for (size_t i = 0; i < cells.size(); ++i) {
        h.setBusyPointer(true);
        obj.setForeColor(kBlack);
        obj.setDrawStyle(PenStyle::Solid);
        DrawCell(obj, s, cells[i], loaded, layers, i);
    }

    obj.setViewportOrigin(0, 0);
    h.setBusyPointer(false);
    h.targetDone();
    h.processEvents();
    s.drErr = 0;
}

}  // namespace zan::render
