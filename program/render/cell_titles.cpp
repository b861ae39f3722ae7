#include "render/cell_drawing.h"

#include "render/rounding.h"

namespace zan::render {

// The graph's one title string serves as graph title above the frame and as
// rotated Y-axis title left of the Y labels.
void DrawCellTitles(DrawTarget& t, zan::Session& s, const CellContext& c, const LabelRoom& room)
{
    const zan::CellRecord& cell = c.cell;
    const int hf = CellTextHeight(c);
    if (!s.GrphTab.contains(c.slot.iGrph)) return;
    std::string& title = s.GrphTab[c.slot.iGrph].Title;
    title = Trimmed(title);
    t.setTextColor(kBlack);

    if (s.iTitGrph == 1) {
        t.selectFont(FontSpec{c.face + " bold", hf, 0});
        t.setTextAlign(kAlignCenter + kAlignBottom);
        t.textOut(CLng(cell.PlotL + cell.PlotW / 2.0), CLng(cell.PlotT + 0.1 * hf), title);
        t.releaseFont();
    }
    if (s.iTitXAxis == 1 && s.VarTab.contains(c.vars.xVar)) {
        std::string& name = s.VarTab[c.vars.xVar].Name;
        name = Trimmed(name);
        t.selectFont(FontSpec{c.face, hf, 0});
        t.setTextAlign(kAlignCenter + kAlignTop);
        t.textOut(CLng(cell.PlotL + 0.5 * cell.PlotW), CLng(cell.PlotB - 1.1 * hf), name);
        t.releaseFont();
    }
    if (s.iTitYAxis == 1) {
        int x = cell.PlotL - room.lw;
        if (x - room.th < 0) x = room.th;
        t.selectFont(FontSpec{c.face, hf, 900});
        t.setTextAlign(kAlignCenter + kAlignBaseline);
        t.textOut(x, CLng(cell.PlotB + 0.5 * cell.PlotH), title);
        t.releaseFont();
    }
}

}  // namespace zan::render
