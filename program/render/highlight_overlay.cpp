#include "render/highlight_overlay.h"

#include "render/axis_ranges.h"
#include "render/cell_drawing.h"
#include "render/page_layout.h"

namespace zan {

void ObjtRect(Session& s, render::DrawTarget& obj, render::DrawHost* host)
{
    s.drErr = 2;
    const int SH = obj.scaleHeight();
    obj.setViewportOrigin(0, SH - 1);
    // Pens grow only on targets taller than 2047 pixels, as in the drawing.
    const int k = SH / 2048;
    for (const render::CellSlot& slot : render::PageCells(s)) {
        if (slot.iWind < 1 || slot.iWind > kMaxCells || !s.GrphTab.contains(slot.iGrph))
            continue;
        const CellRecord& cell = s.CellTab[static_cast<size_t>(slot.iWind)];
        const GraphRecord& graph = s.GrphTab[slot.iGrph];
        const render::Rgb ring = slot.iGrph == s.bGrph ? render::kLightBlue : render::kWhite;
        obj.selectPen(render::PenSpec{render::PenStyle::Solid, k, ring});
        obj.rectangle(cell.PlotL - 1, cell.PlotT - 1, cell.PlotR + 2, cell.PlotB + 2);
        obj.selectOwnPen();

        render::CellContext c;
        c.cell = cell;
        // An X variable the drawing replaced by the time is the time here too.
        c.vars.xVar = render::EffectiveVars(s, graph).xVar;
        c.X = graph.Xaxis;
        render::DrawTimeMarkers(obj, s, c);
    }
    obj.setForeColor(render::kBlack);
    obj.setViewportOrigin(0, 0);
    if (host) {
        host->targetDone();
        host->processEvents();
    }
    s.drErr = 0;
}

} // namespace zan
