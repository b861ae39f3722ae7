#include "render/tick_format.h"

#include "platform/number_format.h"

#include <algorithm>
#include <cmath>

namespace zan::render {

namespace {

std::string Pattern(int decimals)
{
    if (decimals < 1) return "#######0";
    return "#######0." + std::string(static_cast<size_t>(decimals), '0');
}

}  // namespace

int Expo10(double x)
{
    const double a = std::fabs(x);
    if (!(a > 0.0) || std::isinf(a)) return 0;
    const double e = std::floor(std::log10(a) + 0.000000001);
    if (e < -32768.0 || e > 32767.0) return 0;
    return static_cast<int>(e);
}

AxisFormat NumFmt(double lo, double hi, double step)
{
    const double M = std::max(std::fabs(lo), std::fabs(hi));
    int n = 1;
    bool showExpo = false;
    int m = 0;
    if (M != 0.0) {
        m = Expo10(M);
        const int s = std::max(Expo10(step), m - 6);
        showExpo = true;
        n = m - s;
        if (m >= -6 && m <= 0) {
            if (s <= 0 && s >= -6) {
                showExpo = false;
                n = -s;
            }
        } else if (m >= 1 && m <= 6) {
            if (s >= 0) {
                showExpo = false;
                n = 0;
            } else if (s >= -5) {
                showExpo = false;
                n = -s;
            }
        }
    }
    AxisFormat f;
    f.expo = showExpo ? m : 0;
    f.fmtTick = Pattern(n);
    f.fmtRead = "#######0." + std::string(static_cast<size_t>(std::max(n + 1, 0)), '0');
    return f;
}

void NumFmt(double lo, double hi, double step, std::string& fmtTick, std::string& fmtRead, int& expo)
{
    const AxisFormat f = NumFmt(lo, hi, step);
    fmtTick = f.fmtTick;
    fmtRead = f.fmtRead;
    expo = f.expo;
}

std::string TickLabel(double value, const std::string& fmtTick, int expo)
{
    if (expo == 0) return zan::formatNumber(value, fmtTick);
    return zan::formatNumber(value * std::pow(10.0, -expo), fmtTick) + "E" + zan::formatNumber(expo, "###0");
}

}  // namespace zan::render
