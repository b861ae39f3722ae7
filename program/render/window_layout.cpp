#include "render/window_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace zan {

namespace {

// Conversion of a real to a 32-bit integer: nearest, halves to even.
int32_t CLng(double v)
{
    return static_cast<int32_t>(std::nearbyint(v));
}

// Integer remainder as the window toolkit computes it: both sides rounded
// first, the sign of the dividend kept.
double ModRounded(double a, double b)
{
    const int32_t divisor = CLng(b);
    if (divisor == 0)
        return 0;
    return CLng(a) % divisor;
}

// A number as text with a blank in front when it is not negative.
std::string NumberForm(double v)
{
    char buf[64];
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        std::snprintf(buf, sizeof buf, "%.0f", v);
    else
        std::snprintf(buf, sizeof buf, "%.7g", v);
    std::string text = buf;
    return v < 0 ? text : " " + text;
}

double StepDown(double extent, double step)
{
    // The extent shrinks to a whole number of steps; the lower limit of two
    // twips is kept after the cut as well, so the picture never vanishes.
    return std::max(extent - ModRounded(extent, step), 2.0);
}

} // namespace

ResizeLayout FormResize(const ResizeInput& in)
{
    ResizeLayout out;
    out.pictureTop = 5 * in.ty;
    out.pictureLeft = 5 * in.tx;
    const double height = std::max<double>(CLng(in.innerHeight - 5.0 / 3.0 * in.buttonHeight - in.barExtraHeight), 2);
    const double width = std::max<double>(CLng(in.innerWidth - 10 * in.tx), 2);
    out.pictureHeight = StepDown(height, 5 * in.ty);
    out.pictureWidth = StepDown(width, 5 * in.tx);
    out.sizeCaption = NumberForm(out.pictureWidth / in.tx) + " x" + NumberForm(out.pictureHeight / in.ty);
    out.barTop = out.pictureTop + out.pictureHeight;
    out.barLeft = (in.innerWidth - in.barWidth) / 2;
    out.labelsTop = out.barTop + 105;
    return out;
}

int TwipsToPixels(double twips, double twipsPerPixel)
{
    if (twipsPerPixel <= 0)
        return 1;
    return std::max(1, static_cast<int>(std::lround(twips / twipsPerPixel)));
}

} // namespace zan
