#include "interact/fixed_scale.h"

#include "interact/zoom_history.h"
#include "platform/number_format.h"

#include <algorithm>
#include <cmath>

namespace zan {

namespace {

std::string Trim(const std::string& text)
{
    const size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

}  // namespace

FixedScale LoadFixedScale(const Session& s)
{
    FixedScale f;
    f.jGrph = s.iGrph;
    f.Xlo = s.CurGrph.Xaxis.Alo;
    f.Xhi = s.CurGrph.Xaxis.Ahi;
    f.Ylo = s.CurGrph.Yaxis.Alo;
    f.Yhi = s.CurGrph.Yaxis.Ahi;
    f.SymLo = f.Ylo;
    f.SymHi = f.Yhi;
    return f;
}

std::array<std::string, 4> FixedScaleTexts(const Session& s, const FixedScale& f)
{
    return {Trim(formatNumber(f.Yhi, s.CurGrph.Yfmt)), Trim(formatNumber(f.Ylo, s.CurGrph.Yfmt)),
            Trim(formatNumber(f.Xlo, s.CurGrph.Xfmt)), Trim(formatNumber(f.Xhi, s.CurGrph.Xfmt))};
}

void StoreBound(FixedScale& f, int box, const std::string& text, bool typed)
{
    if (text.empty() || !typed) return;
    const double v = leadingNumber(text);
    switch (box) {
    case kBoxYhi:
        f.Yhi = v;
        f.SymHi = v;
        f.SymLo = -v;
        break;
    case kBoxYlo:
        f.Ylo = v;
        f.SymLo = v;
        f.SymHi = -v;
        break;
    case kBoxXlo:
        f.Xlo = v;
        break;
    case kBoxXhi:
        f.Xhi = v;
        break;
    default:
        break;
    }
}

void Symmetrise(FixedScale& f)
{
    const double m = std::max(std::fabs(f.SymLo), std::fabs(f.SymHi));
    f.Yhi = m;
    f.Ylo = -m;
    f.SymLo = -m;
    f.SymHi = m;
}

void ApplyFixedScale(Session& s, const FixedScale& f)
{
    RestoreFixedScaleGraph(s, f);
    SetZoom0(s, f.Xlo, f.Xhi, f.Ylo, f.Yhi);
}

void RestoreFixedScaleGraph(Session& s, const FixedScale& f)
{
    s.iGrph = f.jGrph;
    if (s.GrphTab.contains(f.jGrph)) s.CurGrph = s.GrphTab[f.jGrph];
}

}  // namespace zan
