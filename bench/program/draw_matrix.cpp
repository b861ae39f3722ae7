// Page redraw times over layouts, windows, marks modes and draw rates, with
// the reference sample walk beside them. The page is what a user sees after
// opening the file: one graph per variable against time; each layout shows
// its first page. Every page is drawn on a 1600 x 1000 screen image, the
// fastest of a few redraws is kept, and with --reference the same page is
// drawn once through the reference walk, timed and compared pixel by pixel.
//
// Usage: bench_draw_matrix [options] DATAFILE
//   --reference      time the reference walk too and compare the images
//   --files N        load the file N times (N curves per graph)
//   --repeat N       redraws per page (default 5)
//   --layouts LIST   e.g. 1x1,2x3,6x6 (default 1x1,2x2,2x3,3x3,5x3,4x4,6x6)
//   --windows LIST   window names, comma separated (default all)
//   --modes          marks modes and draw rates instead of the layout matrix
//   --marks LIST     marks modes 0..5 of --modes (default all)
//   --rates LIST     draw rates of --modes (default 1,10,1000)
//   --threads N      cells drawn on N threads (0: as many as cores)
// DATAFILE: a stream file as make_big_files writes it (time first, 1 ms a
// row), loaded whole.
#include "interact/zoom_history.h"
#include "render/cell_layers.h"
#include "render/forwarding_target.h"
#include "render/image_target.h"
#include "render/objt_draw.h"
#include "render/sample_reader.h"
#include "session/data_library.h"
#include "session/graph_settings.h"
#include "session/session_state.h"

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace zan::render;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

struct Options {
    bool reference = false;
    bool modes = false;
    int files = 1;
    int repeat = 5;
    int threads = -1;
    std::vector<std::pair<int, int>> layouts{{1, 1}, {2, 2}, {2, 3}, {3, 3}, {5, 3}, {4, 4}, {6, 6}};
    std::vector<std::string> windows;
    std::vector<int> marks{0, 1, 2, 3, 4, 5};
    std::vector<int> rates{1, 10, 1000};
    std::string path;
};

zan::Session g_s;
int g_stored = 0;

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string p;
    while (std::getline(in, p, ',')) parts.push_back(p);
    return parts;
}

bool Load(const Options& o)
{
    zan::DataLibrary& lib = zan::TheLibrary();
    lib.Close();
    g_s.nFile = o.files;
    g_s.FileTab.assign(o.files);
    for (int f = 1; f <= o.files; ++f) {
        int step = 1;
        const zan::OpenResult r = lib.Open(f, o.path, step);
        if (!((r.status == 0 || r.status == -1) && r.nPar >= 3)) {
            std::fprintf(stderr, "cannot load %s (status %d)\n", o.path.c_str(), r.status);
            return false;
        }
        g_s.Flist.push_back(o.path);
        g_s.FileTab[f].iVer = 1;
        g_s.FileTab[f].nPar = r.nPar;
        g_s.FileTab[f].nStored = r.nStored;
        g_s.nVar = r.nPar;
        g_stored = r.nStored;
        if (f == 1) {
            g_s.VarTab.assign(g_s.nVar);
            for (int v = 1; v <= g_s.nVar; ++v) {
                g_s.VarMap(v, 1) = v;
                g_s.VarTab[v].Name = r.names[static_cast<size_t>(v - 1)];
            }
        }
    }
    for (int v = 1; v <= g_s.nVar; ++v) {
        double hi = 0, lo = 0, mag = 0;
        for (int f = 1; f <= o.files; ++f) lib.Range(f, v, hi, lo, mag);
        const zan::Division d = lib.Divide(lo, hi);
        zan::VarRecord& rec = g_s.VarTab[v];
        rec.Vlo[1] = rec.Dmin[1] = lo;
        rec.Vhi[1] = rec.Dmax[1] = hi;
        rec.Dabs[1] = mag;
        rec.Alo[1] = rec.Rlo[1] = d.Alo;
        rec.Ahi[1] = rec.Rhi[1] = d.Ahi;
        rec.Astp[1] = d.Astp;
        rec.Anum[1] = d.Anum;
    }
    std::printf("loaded %s %d time(s): %d variables, %d samples\n", o.path.c_str(), o.files, g_s.nVar, g_stored);
    return true;
}

double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

// Draws the page; ms: wall time, cpu: processor time of all threads.
QImage Draw(bool reference, double* ms, double* cpu = nullptr)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    ImageTarget target(image);
    const Clock::time_point t0 = Clock::now();
    const double c0 = CpuMs();
    if (reference) {
        ForwardingTarget general(target);
        ObjtDraw(g_s, general);
    } else {
        ObjtDraw(g_s, target);
    }
    *ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    if (cpu) *cpu = CpuMs() - c0;
    return image;
}

// Graph 1 of the page is the one the band is dragged in.
void PressGraph1()
{
    g_s.CurGrph = g_s.GrphTab[1];
    g_s.CurCell = g_s.CellTab[1];
}

void Reset(int cols, int rows, int xVar)
{
    zan::DefaultLayout(g_s);
    for (int g = 1; g <= g_s.nGrph; ++g) g_s.GrphTab[g].xVar = xVar;
    if (xVar != 1)  // the X variable is not drawn against itself
        for (int g = 1; g <= g_s.nGrph; ++g)
            if (g_s.GrphTab[g].Lines[1] == xVar) g_s.GrphTab[g].Lines[1] = 1;
    g_s.nCols = cols;
    g_s.nRows = rows;
    g_s.nCell = cols * rows;
    g_s.iPage = 1;
    g_s.iZlvl = g_s.mZlvl = 1;
    g_s.iLast = 0;
    g_s.iMark = 0;
    g_s.iStep = 1;
    double ms = 0;
    Draw(false, &ms);  // cells and axes as on the screen before any zoom
    PressGraph1();
}

void Band(double x1, double x2)
{
    const zan::VarRecord& y = g_s.VarTab[g_s.CurGrph.Lines[1]];
    zan::SetZoom(g_s, x1, x2, y.Vlo[1], y.Vhi[1]);
}

struct Window {
    const char* name;
    int xVar;
    std::function<void()> set;
};

std::vector<Window> Windows()
{
    const double end = (g_stored - 1) * 0.001;
    const double mid = 0.5 * end;
    return {
        {"whole", 1, [] {}},
        {"Last 3", 1, [] { g_s.iLast = 1; }},
        {"Last 600", 1, [] { g_s.iLast = 7; }},
        {"band 600 s", 1, [=] { Band(mid - 300, mid + 300); }},
        {"band 3 s", 1, [=] { Band(mid, mid + 3); }},
        {"band 10 samples", 1, [=] { Band(mid + 0.0002, mid + 0.0097); }},
        {"band < 1 sample", 1, [=] { Band(mid + 0.0002, mid + 0.0006); }},
        {"past the end", 1, [=] { Band(end + 10, end + 20); }},
        {"panned 600 s", 1, [=] {
             Band(mid - 300, mid + 300);
             for (int i = 0; i < 5; ++i) zan::LftZoom(g_s);
         }},
        {"X-Y whole", 2, [] {}},
        {"X-Y band", 2, [] {
             const zan::VarRecord& x = g_s.VarTab[2];
             Band(x.Vlo[1] + 0.3 * (x.Vhi[1] - x.Vlo[1]), x.Vlo[1] + 0.4 * (x.Vhi[1] - x.Vlo[1]));
         }},
    };
}

struct Result {
    int64_t mapped = 0;  // samples mapped by the last fast redraw
    int64_t ranges = 0;  // extents asked by it
    double fast = 0;
    double fastCpu = 0;
    double reference = -1;
    bool same = true;
};

Result Measure(const Options& o)
{
    Result r;
    QImage fast;
    for (int i = 0; i < o.repeat; ++i) {
        double ms = 0, cpu = 0;
        const WalkCost before = ThreadWalkCost();
        fast = Draw(false, &ms, &cpu);
        r.fastCpu = i == 0 ? cpu : std::min(r.fastCpu, cpu);
        r.mapped = ThreadWalkCost().mapped - before.mapped;
        r.ranges = ThreadWalkCost().ranges - before.ranges;
        r.fast = i == 0 ? ms : std::min(r.fast, ms);
    }
    if (o.reference) {
        const QImage ref = Draw(true, &r.reference);
        r.same = ref == fast;
    }
    return r;
}

bool Wanted(const Options& o, const std::string& name)
{
    return o.windows.empty() || std::find(o.windows.begin(), o.windows.end(), name) != o.windows.end();
}

std::string Ms(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, v < 0 ? "-" : v < 10 ? "%.2f" : "%.1f", v);
    return buf;
}

bool LayoutMatrix(const Options& o)
{
    bool allSame = true;
    std::printf("| layout | window | page ms | / whole | page cpu ms | reference ms | reference / page | identical | mapped | extents |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    for (const auto& [cols, rows] : o.layouts) {
        double whole = 0;
        for (const Window& w : Windows()) {
            if (!Wanted(o, w.name) && std::strcmp(w.name, "whole") != 0) continue;
            Reset(cols, rows, w.xVar);
            w.set();
            const Result r = Measure(o);
            if (std::strcmp(w.name, "whole") == 0) whole = r.fast;
            allSame = allSame && r.same;
            std::printf("| %dx%d | %s | %s | %.2f | %s | %s | %s | %s | %lld | %lld |\n", cols, rows, w.name,
                        Ms(r.fast).c_str(), r.fast / whole, Ms(r.fastCpu).c_str(), Ms(r.reference).c_str(),
                        r.reference < 0 ? "-" : Ms(r.reference / r.fast).c_str(),
                        r.reference < 0 ? "-" : r.same ? "yes" : "NO", static_cast<long long>(r.mapped),
                        static_cast<long long>(r.ranges));
            std::fflush(stdout);
        }
    }
    return allSame;
}

bool ModesMatrix(const Options& o)
{
    static const char* const kModes[] = {"Off", "On", "All", "Only", "Dots", "Pins"};
    bool allSame = true;
    std::printf("| layout | window | marks | draw rate | page ms | page cpu ms | reference ms | identical | mapped | extents |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    for (const auto& [cols, rows] : o.layouts)
        for (const Window& w : Windows()) {
            if (!Wanted(o, w.name)) continue;
            for (int mark : o.marks)
                for (int step : o.rates) {
                    if (mark != 0 && step == 1000) continue;
                    Reset(cols, rows, w.xVar);
                    w.set();
                    g_s.iMark = mark;
                    g_s.iStep = step;
                    const Result r = Measure(o);
                    allSame = allSame && r.same;
                    std::printf("| %dx%d | %s | %s | %d | %s | %s | %s | %s | %lld | %lld |\n", cols, rows, w.name,
                                kModes[mark], step, Ms(r.fast).c_str(), Ms(r.fastCpu).c_str(), Ms(r.reference).c_str(),
                                r.reference < 0 ? "-" : r.same ? "yes" : "NO", static_cast<long long>(r.mapped),
                                static_cast<long long>(r.ranges));
                    std::fflush(stdout);
                }
        }
    return allSame;
}

bool Parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : std::string(); };
        if (a == "--reference") o.reference = true;
        else if (a == "--modes") o.modes = true;
        else if (a == "--files") o.files = std::max(1, std::atoi(next().c_str()));
        else if (a == "--repeat") o.repeat = std::max(1, std::atoi(next().c_str()));
        else if (a == "--threads") o.threads = std::max(0, std::atoi(next().c_str()));
        else if (a == "--windows") o.windows = Split(next());
        else if (a == "--marks" || a == "--rates") {
            std::vector<int>& list = a == "--marks" ? o.marks : o.rates;
            list.clear();
            for (const std::string& v : Split(next())) list.push_back(std::atoi(v.c_str()));
        }
        else if (a == "--layouts") {
            o.layouts.clear();
            for (const std::string& l : Split(next())) {
                int c = 0, r = 0;
                if (std::sscanf(l.c_str(), "%dx%d", &c, &r) == 2 && c >= 1 && c <= 6 && r >= 1 && r <= 6)
                    o.layouts.emplace_back(c, r);
            }
        } else if (!a.empty() && a[0] != '-') o.path = a;
        else return false;
    }
    return !o.path.empty() && !o.layouts.empty();
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    Options o;
    if (!Parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: bench_draw_matrix [--reference] [--files N] [--repeat N] [--layouts 1x1,6x6] "
                             "[--windows NAMES] [--modes] [--threads N] DATAFILE\n");
        return 1;
    }
    if (o.threads >= 0) SetCellThreads(o.threads);
    if (!Load(o)) return 1;
    const bool same = o.modes ? ModesMatrix(o) : LayoutMatrix(o);
    zan::TheLibrary().Close();
    return same ? 0 : 2;
}
