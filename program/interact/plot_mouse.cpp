#include "interact/plot_mouse.h"

#include "interact/cursor_readout.h"
#include "interact/zoom_history.h"
#include "render/axis_ranges.h"
#include "render/rounding.h"

#include <algorithm>
#include <cmath>

namespace zan {

namespace {

double ClampX(const CellRecord& c, double x) { return std::clamp(x, double(c.Left), double(std::max(c.Left, c.Right))); }
double ClampY(const CellRecord& c, double y) { return std::clamp(y, double(c.Top), double(std::max(c.Top, c.Bottom))); }

// Makes the graph under the point and its cell current; false on an empty
// cell or outside the band of cells.
bool TakeGraphAt(Session& s, MouseHost& host, double x, double y, CellHit& hit)
{
    hit = HitCell(s, host.PictureWidth(), x, y);
    if (!hit.inCells || hit.iGrph > s.nGrph || !s.GrphTab.contains(hit.iGrph) || hit.iWind > kMaxCells)
        return false;
    s.CurCell = s.CellTab[static_cast<size_t>(hit.iWind)];
    s.CurGrph = s.GrphTab[hit.iGrph];
    return true;
}

// Pixel column of a time value on the current graph, as the markers are drawn.
int MarkerColumn(const Session& s, double t)
{
    return render::CLng(ToPixel(s, t, 0).x - 0.00001);
}

// The band's graph current again, whatever was drawn since the press.
void TakeBandGraph(Session& s, const MouseState& m)
{
    s.CurCell = m.bandCell;
    s.CurGrph = m.bandGrph;
}

}  // namespace

void MouseDown(Session& s, MouseState& m, MouseHost& host, int button, int shift, double x, double y)
{
    if (s.drErr != 0 || m.bBand) return;
    m.xCur = x;
    m.yCur = y;
    m.bLegend = false;
    host.StopHover();
    const CellHit hit = HitCell(s, host.PictureWidth(), x, y);
    m.bResc = button == kRightButton || shift != 0;
    if (!hit.inCells) {
        // The title band and the files legend pick no graph; a right click
        // on the legend opens its window when released there.
        m.bLegend = y >= s.Yfoot && s.Yfoot > 0;
        return;
    }
    if (hit.iGrph > s.nGrph || hit.iWind > kMaxCells) return;  // an empty cell
    m.bBand = true;
    s.iWind = hit.iWind;
    s.iGrph = hit.iGrph;
    s.cWind = hit.iWind;
    SetGrph(s);
    s.bGrph = s.bGrph == s.cGrph ? 0 : s.cGrph;
    host.ObjtRect(false);
    s.CurCell = s.CellTab[static_cast<size_t>(hit.iWind)];
    s.CurGrph = s.GrphTab[hit.iGrph];
    m.bandCell = s.CurCell;
    m.bandGrph = s.CurGrph;
    m.xBeg = m.xEnd = ClampX(s.CurCell, x);
    m.yBeg = m.yEnd = ClampY(s.CurCell, y);
}

void MouseMove(Session& s, MouseState& m, MouseHost& host, double x, double y)
{
    if (s.drErr != 0) return;
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    if (std::fabs(fx - m.lastX) < 1 && std::fabs(fy - m.lastY) < 1) return;
    m.lastX = fx;
    m.lastY = fy;
    m.xCur = x;
    m.yCur = y;
    if (m.bBand) {
        host.StopHover();
        TakeBandGraph(s, m);
        m.xEnd = ClampX(s.CurCell, x);
        m.yEnd = ClampY(s.CurCell, y);
        host.ShowBand(m.xBeg, m.yBeg, m.xEnd, m.yEnd);
        host.ProcessEvents();
    }
    if (!m.bHold) host.RestartHover();
    UpdateLive(s, m, host);
}

void UpdateLive(Session& s, MouseState& m, MouseHost& host)
{
    std::string caption;
    if (m.bBand) {
        // The band belongs to the pressed graph, wherever the pointer is.
        TakeBandGraph(s, m);
        const double x = ClampX(s.CurCell, m.xCur);
        const double y = ClampY(s.CurCell, m.yCur);
        const PlotPoint v = ToValue(s, x, y);
        m.xWrd = v.x;
        m.yWrd = v.y;
        caption = LiveCaption(s, v.x, v.y);
    } else if (!LiveReadout(s, host.PictureWidth(), m.xCur, m.yCur, m.xWrd, m.yWrd, caption)) {
        return;
    }
    host.SetLiveLabel(caption);
}

void MouseUp(Session& s, MouseState& m, MouseHost& host, double x, double y)
{
    if (s.drErr != 0) {
        if (m.bBand) host.HideBand();
        m.bBand = false;
        return;
    }
    m.xCur = x;
    m.yCur = y;
    if (m.bLegend) {
        m.bLegend = false;
        if (m.bResc && y >= s.Yfoot) host.ShowLegend(x, y);
        return;
    }
    if (!m.bBand) return;
    host.HideBand();
    host.ProcessEvents();
    m.bBand = false;
    TakeBandGraph(s, m);
    if (m.xBeg != m.xEnd) {
        s.drErr = 3;  // the mouse rests until the zoomed page is drawn
        const PlotPoint lo = ToValue(s, std::min(m.xBeg, m.xEnd), std::max(m.yBeg, m.yEnd));
        const PlotPoint hi = ToValue(s, std::max(m.xBeg, m.xEnd), std::min(m.yBeg, m.yEnd));
        if (m.bResc)
            SetRang(s, lo.x, hi.x);
        else
            SetZoom(s, lo.x, hi.x, lo.y, hi.y);
        host.ButnStat();
        host.DrawDelayed(110);
        return;
    }
    if (m.bResc) {
        if (y > s.Ytitl && y < s.Yfoot)
            host.ShowFixedScale(x, y);
        else if (y >= s.Yfoot)
            host.ShowLegend(x, y);
    }
}

void DblClick(Session& s, MouseState& m, MouseHost& host)
{
    if (s.drErr != 0) return;
    CellHit hit;
    if (!TakeGraphAt(s, host, m.xCur, m.yCur, hit)) return;
    const PlotPoint v = ToValue(s, m.xCur, m.yCur);
    m.xWrd = v.x;
    m.yWrd = v.y;
    s.bGrph = s.cGrph;
    if (render::EffectiveVars(s, s.CurGrph).xVar == 1) {
        const int p = MarkerColumn(s, m.xWrd);
        const int n = std::clamp(s.nPins, 0, kMaxPins);
        for (int k = 1; k <= n; ++k) {
            if (std::abs(MarkerColumn(s, s.Pins[static_cast<size_t>(k)]) - p) < 2) {
                for (int j = k; j < n; ++j) s.Pins[static_cast<size_t>(j)] = s.Pins[static_cast<size_t>(j + 1)];
                s.nPins = n - 1;
                host.PictDraw();
                host.ButnStat();
                return;
            }
        }
        if (n < kMaxPins) {
            s.nPins = n + 1;
            s.Pins[static_cast<size_t>(s.nPins)] = m.xWrd;
        }
    }
    host.ObjtRect(true);
}

bool RepeatPan(Session& s, int direction)
{
    if (!s.bRept) return false;
    return direction < 0 ? LftZoom(s) : RgtZoom(s);
}

}  // namespace zan
