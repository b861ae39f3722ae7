#include "render/axis_ranges.h"

#include "render/page_layout.h"

#include <zan.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zan::render {

namespace {

constexpr double kEmptyHigh = -1.0e99;
constexpr double kEmptyLow = 1.0e99;

zan::AxisState LevelAxis(const zan::VarRecord& v, int level)
{
    zan::AxisState a;
    a.Vlo = v.Vlo[level];
    a.Vhi = v.Vhi[level];
    a.Alo = v.Alo[level];
    a.Ahi = v.Ahi[level];
    a.Astp = v.Astp[level];
    a.Anum = v.Anum[level];
    return a;
}

int Level(const zan::Session& s)
{
    return std::clamp(s.iZlvl, 1, zan::kZoomLevels);
}

int EffectiveVar(const zan::Session& s, int v)
{
    return v >= 1 && v <= s.nVar && v <= s.VarTab.size() ? v : 1;
}

// Range of variable v inside the X window over every file that holds both
// it and the X variable. False when no sample lies inside.
bool WindowRange(const zan::Session& s, int v, int xVar, double xlo, double xhi, double& lo, double& hi)
{
    double upper = kEmptyHigh;
    double lower = kEmptyLow;
    for (int f = 1; f <= s.nFile && f <= s.FileTab.size(); ++f) {
        const int c = s.version(f);
        if (c < 1 || c > zan::kMaxVersions) continue;
        int32_t file = f;
        int32_t yv = s.VarMap(v, c);
        int32_t xv = s.VarMap(xVar, c);
        if (yv <= 0 || xv <= 0) continue;
        double magnitude = 0;
        rrang(&file, &yv, &xv, &xlo, &xhi, &upper, &lower, &magnitude);
    }
    if (!(upper >= lower)) return false;
    lo = lower;
    hi = upper;
    return true;
}

}  // namespace

GraphVars EffectiveVars(const zan::Session& s, const zan::GraphRecord& g)
{
    GraphVars vars;
    vars.xVar = EffectiveVar(s, g.xVar);
    const int n = std::clamp(g.nLine, 0, zan::kMaxLines);
    for (int j = 1; j <= n; ++j) vars.lines.push_back(EffectiveVar(s, g.Lines[static_cast<size_t>(j)]));
    return vars;
}

bool LastWindowApplies(const zan::Session& s, int xVar)
{
    return s.iLast > 0 && LastWindowSeconds(s.iLast) > 0 && xVar == 1 && s.iZlvl == 1;
}

void DivideAxis(zan::AxisState& axis)
{
    double lo = axis.Vlo;
    double hi = axis.Vhi;
    int32_t num = 0;
    dscls(&lo, &hi, &axis.Alo, &axis.Ahi, &axis.Astp, &num);
    axis.Anum = num;
}

zan::AxisState HorizontalAxis(const zan::Session& s, int xVar)
{
    if (!s.VarTab.contains(xVar)) return zan::AxisState{};
    zan::AxisState x = LevelAxis(s.VarTab[xVar], Level(s));
    const double W = LastWindowSeconds(s.iLast);
    if (LastWindowApplies(s, xVar) && x.Vhi > W) {
        const double n = std::nearbyint(2.0 * x.Vhi / W + 0.5);
        x.Vlo = n * W / 2.0 - W + 0.2;
        x.Vhi = x.Vlo + W - 0.2;
        DivideAxis(x);
    }
    return x;
}

zan::AxisState VerticalAxis(const zan::Session& s, const GraphVars& vars, const zan::AxisState& xaxis)
{
    if (vars.lines.empty() || !s.VarTab.contains(vars.lines[0])) return zan::AxisState{};
    const int level = Level(s);
    zan::AxisState y = LevelAxis(s.VarTab[vars.lines[0]], level);

    if (LastWindowApplies(s, vars.xVar)) {
        bool any = false;
        for (int v : vars.lines) {
            const zan::VarRecord& rec = s.VarTab[v];
            double lo = 0;
            double hi = 0;
            if (rec.Lfix[1] != 0) {
                lo = rec.Vlo[1];
                hi = rec.Vhi[1];
            } else if (!WindowRange(s, v, vars.xVar, xaxis.Vlo, xaxis.Vhi, lo, hi)) {
                continue;  // no sample of this line inside the window
            }
            if (!any) {
                y.Vlo = lo;
                y.Vhi = hi;
                any = true;
            } else {
                y.Vhi = std::max(y.Vhi, hi);
                y.Vlo = std::min(y.Vlo, lo);
            }
        }
        // With no line inside the window the first line's level stays.
        DivideAxis(y);
        return y;
    }

    if (vars.lines.size() > 1) {
        for (size_t j = 1; j < vars.lines.size(); ++j) {
            const zan::VarRecord& rec = s.VarTab[vars.lines[j]];
            y.Vhi = std::max(y.Vhi, rec.Vhi[level]);
            y.Vlo = std::min(y.Vlo, rec.Vlo[level]);
        }
        DivideAxis(y);
    }
    return y;
}

}  // namespace zan::render
