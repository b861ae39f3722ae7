// Divides a range of values into a pleasant axis: first tick, step, count of
// divisions and last tick, with the ticks on simple numbers and little waste.
#include "axis_division.h"

#include "zan.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace zan {

namespace {

constexpr double kTiny = 1.0e-20;

double drop_tiny(double v) { return std::fabs(v) < kTiny ? 0.0 : v; }

// Multiple of s at or below p, with its index k.
double snap_down(double p, double s, double& k)
{
    k = std::fabs(p) < kTiny ? 0.0 : std::floor(p / s);
    return k * s;
}

double snap_up(double p, double s, double& k)
{
    k = std::fabs(p) < kTiny ? 0.0 : std::ceil(p / s);
    return k * s;
}

struct Candidate {
    double first;
    double step;
    double waste;
};

// Snaps the range outwards to multiples of a step, growing the step until
// the snapped range holds no more than n steps (at most seven passes).
Candidate divide(double lo, double hi, double range, int n)
{
    double s = nice_step(range / n);
    double l = lo;
    double h = hi;
    for (int pass = 0; pass < 7; ++pass) {
        double kl = 0.0;
        double kh = 0.0;
        l = snap_down(l, s, kl);
        h = snap_up(h, s, kh);
        if (kh - kl <= n) break;
        s = nice_step((h - l) / n);
    }
    return {l, s, n * s / range};
}

struct Division {
    double first;
    double last;
    double step;
    int32_t ndiv;
};

Division divide_range(double low, double high)
{
    double lo = drop_tiny(low);
    double hi = drop_tiny(high);
    // mode 1: the axis may lose its top division, -1: its bottom one, 0: either,
    // 2: neither (the range was made up from nothing).
    int mode = 0;
    if (hi <= lo) {
        if (lo == 0.0) {
            hi = 0.9999999;
            mode = 2;
        } else {
            hi = std::fmax(hi, 0.0);
            lo = std::fmin(lo, 0.0);
            mode = hi > 0.0 ? 1 : -1;
        }
    }
    double range = std::fmax(hi - lo, 1.0e-6 * std::fmax(std::fabs(lo), std::fabs(hi)));
    if (std::fabs(range) < kTiny) {
        range = 1.0;
        hi = lo + 1.0;
        mode = 1;
    }

    constexpr std::array<int, 5> kCounts = {5, 6, 7, 8, 9};
    Candidate best = divide(lo, hi, range, kCounts[0]);
    int32_t ndiv = kCounts[0];
    for (std::size_t i = 1; i < kCounts.size(); ++i) {
        const Candidate c = divide(lo, hi, range, kCounts[i]);
        if (c.waste < best.waste) {
            best = c;
            ndiv = kCounts[i];
        }
    }
    Division d{best.first, best.first + ndiv * best.step, best.step, ndiv};

    if (d.ndiv > 5 && (mode == 0 || mode == 1) && high < d.last - d.step) {
        d.last -= d.step;
        --d.ndiv;
    }
    if (d.ndiv > 5 && (mode == 0 || mode == -1) && low > d.first + d.step) {
        d.first += d.step;
        --d.ndiv;
    }

    // Angles get 60-degree ticks.
    const double f = std::round(d.first);
    const double l = std::round(d.last);
    if (f == -200.0 && l == 200.0 && low >= -180.0 && high <= 180.0) {
        d = {-180.0, 180.0, 60.0, 6};
    } else if ((f == -360.0 && l == 0.0) || (f == 0.0 && l == 360.0)) {
        d.ndiv = 6;
        d.step = 60.0;
    }
    return d;
}

}  // namespace

double nice_step(double x)
{
    double a = std::fabs(x);
    if (a < kTiny || !std::isfinite(a)) return 1.0;
    int e = 0;
    while (a < 1.0) {
        a *= 10.0;
        --e;
    }
    while (a >= 10.0) {
        a *= 0.1;
        ++e;
    }
    double mantissa = 1.0;
    if (a == 1.0) mantissa = 1.0;
    else if (a <= 2.0) mantissa = 2.0;
    else if (a <= 4.0) mantissa = 4.0;
    else if (a <= 5.0) mantissa = 5.0;
    else ++e;
    return mantissa * std::pow(10.0, e);
}

}  // namespace zan

extern "C" {

// Inputs that are not finite numbers, or a range too wide for a double, are
// divided like the empty range at 0: 0 to 1 in 5 steps of 0.2.
ZAN_EXPORT void dscls(double* low, double* high, double* first, double* last, double* step,
                      int32_t* ndiv)
{
    double lo = *low;
    double hi = *high;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(hi - lo)) {
        lo = 0.0;
        hi = 0.0;
    }
    const zan::Division d = zan::divide_range(lo, hi);
    *first = d.first;
    *last = d.last;
    *step = d.step;
    *ndiv = d.ndiv;
}
}
