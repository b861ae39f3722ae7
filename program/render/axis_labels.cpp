#include "render/cell_drawing.h"

#include "render/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zan::render {

namespace {

std::vector<std::string> Labels(const zan::AxisState& a, const AxisFormat& f)
{
    std::vector<std::string> labels;
    for (int i = 0; i <= a.Anum; ++i) labels.push_back(TickLabel(a.Alo + i * a.Astp, f.fmtTick, f.expo));
    return labels;
}

}  // namespace

std::string Trimmed(const std::string& text)
{
    const auto b = text.find_first_not_of(' ');
    if (b == std::string::npos) return std::string();
    const auto e = text.find_last_not_of(' ');
    return text.substr(b, e - b + 1);
}

int CellTextHeight(const CellContext& c)
{
    return CLng(c.g.T * c.g.Hd * 0.046 / c.g.rows);
}

int ZeroTick(const zan::AxisState& a)
{
    if (a.Alo * a.Ahi < 0 && a.Astp != 0) return Int(-a.Alo / a.Astp + 0.5);
    return 0;
}

std::vector<int> XLabelTicks(const zan::AxisState& x, int widest, int plotW)
{
    std::vector<int> ticks;
    if (x.Anum < 1) return ticks;
    int i0 = 0;
    if (x.Astp != 0) {
        for (int i = 0; i <= x.Anum; ++i) {
            if (std::floor((x.Alo + i * x.Astp) / x.Astp + 0.5) == 0.0) i0 = i;
        }
    }
    const double spacing = static_cast<double>(plotW) / x.Anum;
    const double w = std::abs(widest);
    const int every = w < 0.9 * spacing ? 1 : (w < 1.8 * spacing ? 2 : 3);
    for (int i = i0 % every; i <= x.Anum; i += every) ticks.push_back(i);
    return ticks;
}

LabelRoom DrawTickLabels(DrawTarget& t, zan::Session& s, const CellContext& c)
{
    const zan::CellRecord& cell = c.cell;
    LabelRoom room;
    t.selectFont(FontSpec{c.face, CellTextHeight(c), 0});
    t.setTextColor(kBlack);

    // Y labels, right-aligned two pixels left of the frame, baseline on the tick.
    const std::vector<std::string> ylabels = Labels(c.Y, c.fmtY);
    t.setTextAlign(kAlignRight + kAlignBaseline);
    int x = CLng(cell.PlotL - 2 * c.g.sx);
    if (s.iTitYAxis == 1 && s.GrphTab.contains(c.slot.iGrph)) {
        std::string& title = s.GrphTab[c.slot.iGrph].Title;
        title = Trimmed(title);
        room.th = t.measureText(title).height;
    }
    int lw = 0;
    for (const std::string& label : ylabels) lw = std::max(lw, std::abs(t.measureText(label).width));
    // Labels and the rotated title are pushed right until they fit on the target.
    if (x - lw - room.th < 0) x = lw + room.th;
    const int ny = std::max(c.Y.Anum, 1);
    for (int i = 0; i <= c.Y.Anum; ++i)
        t.textOut(x, cell.PlotB + CLng(static_cast<double>(i) * cell.PlotH / ny - 0.00001),
                  ylabels[static_cast<size_t>(i)]);
    room.lw = CLng(lw + t.measureText("0000").width / 4.0);

    // X labels, centred two pixels below the frame, thinned to fit.
    const std::vector<std::string> xlabels = Labels(c.X, c.fmtX);
    int wx = 0;
    for (const std::string& label : xlabels) wx = std::max(wx, std::abs(t.measureText(label).width));
    t.setTextAlign(kAlignCenter + kAlignTop);
    const int nx = std::max(c.X.Anum, 1);
    const int y = CLng(cell.PlotB - 2 * c.g.sy);
    for (int i : XLabelTicks(c.X, wx, cell.PlotW))
        t.textOut(cell.PlotL + CLng(static_cast<double>(i) * cell.PlotW / nx - 0.00001), y,
                  xlabels[static_cast<size_t>(i)]);
    t.releaseFont();
    return room;
}

}  // namespace zan::render
