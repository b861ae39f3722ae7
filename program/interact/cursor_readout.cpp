#include "interact/cursor_readout.h"

#include "interact/zoom_history.h"
#include "platform/number_format.h"
#include "render/axis_ranges.h"
#include "session/load_data.h"

#include <zan.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace zan {

namespace {

constexpr double kReach = 10;  // a sample counts when nearer than this in X and in Y

int Floor(double v)
{
    if (!(v > -1e9 && v < 1e9)) return v > 0 ? std::numeric_limits<int>::max() / 2 : 0;
    return static_cast<int>(std::floor(v));
}

std::string TrimRight(const std::string& text)
{
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

// The sample walk over one line of one file, pruned with the library's
// mapped ranges of runs of samples.
class NearestSearch {
public:
    NearestSearch(double x, double y, int pictureHeight, int step)
        : x_(x), yLogical_(y - (pictureHeight - 1)), step_(step)
    {
    }

    void Line(int file, int line, int count)
    {
        file_ = file;
        line_ = line;
        count_ = count;
        if (count >= 1) Run(1, count);
        Flush();
    }

    bool found() const { return best_ < kNone; }
    int file() const { return bestFile_; }
    int line() const { return bestLine_; }
    int sample() const { return bestSample_; }

private:
    static constexpr double kNone = std::numeric_limits<double>::infinity();
    static constexpr int32_t kLeaf = 256;

    // Least distance, in X or Y, of a coordinate span from the pointer.
    static double Gap(double lo, double hi, double at) { return std::max({lo - at, at - hi, 0.0}); }

    void Run(int32_t first, int32_t last)
    {
        if (last - first + 1 > kLeaf) {
            int32_t file = file_, a = first, b = last;
            int32_t xlo = 0, xhi = 0, ylo = 0, yhi = 0, xin = 0, yin = 0;
            mrang(&file, &a, &b, &xlo, &xhi, &ylo, &yhi, &xin, &yin);
            const bool known = xin != 0 || yin != 0 || xlo != 0 || xhi != 0 || ylo != 0 || yhi != 0;
            if (known) {
                if (xin == -1 || yin == -1) return;  // every sample beyond one device limit
                const double gx = Gap(xlo, xhi, x_);
                const double gy = Gap(ylo, yhi, yLogical_);
                if (gx >= kReach || gy >= kReach || gx * gx + gy * gy >= Best()) return;
            }
            const int32_t mid = first + (last - first) / 2;
            Run(first, mid);
            Run(mid + 1, last);
            return;
        }
        Leaf(first, last);
    }

    void Leaf(int32_t first, int32_t last)
    {
        int32_t file = file_, a = first, n = last - first + 1;
        inside_.fill(1);
        mdata(&file, &a, &n, xs_.data(), ys_.data(), inside_.data());
        for (int32_t k = 0; k < n; ++k) {
            const int32_t sample = first + k;
            if ((sample - 1) % step_ != 0 && sample != count_) continue;
            if (!inside_[static_cast<size_t>(k)]) continue;
            const double dx = std::fabs(xs_[static_cast<size_t>(k)] - x_);
            const double dy = std::fabs(ys_[static_cast<size_t>(k)] - yLogical_);
            if (dx >= kReach || dy >= kReach) continue;
            const double d = dx * dx + dy * dy;
            if (d < Best()) {
                pending_ = d;
                pendingSample_ = sample;
            }
        }
    }

    double Best() const { return std::min(best_, pending_); }

    // The candidate of the line just searched becomes the best one.
    void Flush()
    {
        if (pending_ < best_) {
            best_ = pending_;
            bestFile_ = file_;
            bestLine_ = line_;
            bestSample_ = pendingSample_;
        }
        pending_ = kNone;
    }

    double x_;
    double yLogical_;
    int step_;
    int32_t file_ = 0;
    int32_t count_ = 0;
    int line_ = 0;
    double best_ = kNone;
    double pending_ = kNone;
    int32_t pendingSample_ = 0;
    int bestFile_ = 0;
    int bestLine_ = 0;
    int bestSample_ = 0;
    std::array<int32_t, kLeaf> xs_{};
    std::array<int32_t, kLeaf> ys_{};
    std::array<int32_t, kLeaf> inside_{};
};

double Value(int32_t file, int32_t sample, int32_t var)
{
    double v = 0;
    ddata(&file, &sample, &var, &v);
    return v;
}

bool Within(double v, const AxisState& a) { return v >= std::min(a.Alo, a.Ahi) && v <= std::max(a.Alo, a.Ahi); }

}  // namespace

CellHit HitCell(const Session& s, double pictureWidth, double x, double y)
{
    CellHit h;
    const int cols = std::clamp(s.nCols, 1, kMaxGridSide);
    const int rows = std::clamp(s.nRows, 1, kMaxGridSide);
    h.inCells = y >= s.Ytitl && y < s.Yfoot && s.Yarea > 0 && pictureWidth > 0;
    if (!h.inCells) return h;
    const int c = std::clamp(Floor(cols * x / pictureWidth), 0, cols - 1);
    const int r = std::clamp(Floor((y - s.Ytitl) * rows / s.Yarea), 0, rows - 1);
    h.iWind = s.iTran != 0 ? rows * c + r + 1 : cols * r + c + 1;
    h.iGrph = (std::max(s.iPage, 1) - 1) * std::max(s.nCell, 1) + h.iWind;
    return h;
}

bool LiveReadout(Session& s, double pictureWidth, double x, double y, double& xWrd, double& yWrd,
                 std::string& caption)
{
    const CellHit h = HitCell(s, pictureWidth, x, y);
    if (!h.inCells || h.iGrph > s.nGrph || !s.GrphTab.contains(h.iGrph) || h.iWind > kMaxCells) return false;
    s.CurCell = s.CellTab[static_cast<size_t>(h.iWind)];
    s.CurGrph = s.GrphTab[h.iGrph];
    const PlotPoint v = ToValue(s, x, y);
    xWrd = v.x;
    yWrd = v.y;
    caption = LiveCaption(s, xWrd, yWrd);
    return true;
}

std::string LiveCaption(const Session& s, double xWrd, double yWrd)
{
    const std::string fx = TrimRight(s.CurGrph.Xfmt) + "0";
    const std::string fy = TrimRight(s.CurGrph.Yfmt) + "0";
    std::string caption = "X= " + formatNumber(xWrd, fx);
    if (s.nPins >= 1)
        caption += "   D=" + formatNumber(xWrd - s.Pins[static_cast<size_t>(std::min(s.nPins, kMaxPins))], fx);
    caption += "\r\nY= " + formatNumber(yWrd, fy);
    return caption;
}

HoverPick WhatFile(const Session& s, double x, double y, int pictureHeight)
{
    HoverPick pick;
    const GraphRecord& g = s.CurGrph;
    const CellRecord& cell = s.CurCell;
    const AxisState& X = g.Xaxis;
    const AxisState& Y = g.Yaxis;
    if (!(std::isfinite(X.Ahi - X.Alo) && std::isfinite(Y.Ahi - Y.Alo)) || X.Ahi == X.Alo || Y.Ahi == Y.Alo)
        return pick;
    double xmin = X.Alo, xmax = X.Ahi, ymin = Y.Alo, ymax = Y.Ahi;
    int32_t xspan = cell.PlotW, yspan = cell.PlotH, xoff = cell.PlotL, yoff = cell.PlotB;
    dtran(&xmin, &xmax, &ymin, &ymax, &xspan, &yspan, &xoff, &yoff);
    int32_t none = 1;
    daloc(&none);
    if (none != 0) return pick;

    const render::GraphVars vars = render::EffectiveVars(s, g);
    NearestSearch search(x, y, pictureHeight, std::clamp(s.iStep, 1, kMaxStep));
    const int nFile = std::min(s.nFile, s.FileTab.size());
    for (int f = 1; f <= nFile; ++f) {
        for (size_t jj = 0; jj < vars.lines.size(); ++jj) {
            int32_t xv = GetParam(s, f, vars.xVar);
            int32_t yv = GetParam(s, f, vars.lines[jj]);
            if (xv == 0 || yv == 0) continue;
            int32_t file = f;
            int32_t n = 0;
            sdata(&file, &xv, &yv, &n);
            search.Line(f, static_cast<int>(jj) + 1, n);
        }
    }
    if (!search.found()) return pick;
    const int f = search.file();
    const int xVar = vars.xVar;
    const int yVar = vars.lines[static_cast<size_t>(search.line() - 1)];
    pick.X = Value(f, search.sample(), GetParam(s, f, xVar));
    pick.Y = Value(f, search.sample(), GetParam(s, f, yVar));
    if (!Within(pick.X, X) || !Within(pick.Y, Y)) return pick;
    pick.found = true;
    pick.file = f;
    pick.line = search.line();
    pick.sample = search.sample();
    pick.caption = " File: " + GetFiles(s, f) + " " + "\r\n" + "  " + GetLines(s, xVar) + ": " + SingleText(pick.X) +
                   " " + "\r\n" + "  " + GetLines(s, yVar) + ": " + SingleText(pick.Y) + " ";
    return pick;
}

int HoverLeft(double x, int labelWidth, int pictureWidth)
{
    const int left = static_cast<int>(std::lround(x)) + 10;
    if (left + labelWidth <= pictureWidth) return left;
    return std::max(static_cast<int>(std::lround(x)) - 10 - labelWidth, 0);
}

int HoverTop(double y, int labelHeight, int pictureHeight)
{
    const int top = static_cast<int>(std::lround(y)) - 15;
    return std::max(std::min(top, pictureHeight - labelHeight), 0);
}

std::string SingleText(double value)
{
    const float f = static_cast<float>(value);
    if (!std::isfinite(f)) return std::isnan(f) ? "NaN" : (f > 0 ? "inf" : "-inf");
    if (f == 0) return "0";
    char buffer[32];
    const double a = std::fabs(static_cast<double>(f));
    if (a >= 1e7 || a < 1e-4) {
        std::snprintf(buffer, sizeof buffer, "%.6E", static_cast<double>(f));
        // "1.500000E+07" -> "1.5E+07"
        std::string t = buffer;
        const size_t e = t.find('E');
        std::string mant = t.substr(0, e);
        while (!mant.empty() && mant.back() == '0') mant.pop_back();
        if (!mant.empty() && mant.back() == '.') mant.pop_back();
        return mant + t.substr(e);
    }
    std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(f));
    return buffer;
}

}  // namespace zan
