// Speed of the interaction on a large file: the right-drag rescale (SetRang
// over every variable) next to the plain loop of window ranges it makes, and
// the hover readout (WhatFile) over a whole-range view of two files with four
// lines each.
//
// Usage: bench_zoom_readout DATAFILE [benchmark options]
// DATAFILE (e.g. the 5,000,000-row x 20-variable big5m.bin of make_big_files)
// is loaded twice, as files 1 and 2.
#include "interact/cursor_readout.h"
#include "interact/zoom_history.h"
#include "page_session.h"
#include "render/objt_draw.h"
#include "render/image_target.h"
#include "session/data_library.h"
#include "session/session_state.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <zan.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

zan::Session g_session;
int g_rows = 0;

// Time window over the middle 80% of the data.
void Window(const zan::Session& s, double& x1, double& x2)
{
    const zan::VarRecord& t = s.VarTab[1];
    x1 = t.Dmin[1] + 0.1 * (t.Dmax[1] - t.Dmin[1]);
    x2 = t.Dmax[1] - 0.1 * (t.Dmax[1] - t.Dmin[1]);
}

void BM_SetRang(benchmark::State& state)
{
    zan::Session& s = g_session;
    double x1 = 0, x2 = 0;
    Window(s, x1, x2);
    s.CurGrph = s.GrphTab[1];
    for (auto _ : state) {
        s.iZlvl = s.mZlvl = 1;
        benchmark::DoNotOptimize(zan::SetRang(s, x1, x2));
    }
    state.counters["variables"] = s.nVar;
}
BENCHMARK(BM_SetRang)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The window range of every variable of every file, one rrang call each.
void BM_RrangLoop(benchmark::State& state)
{
    const zan::Session& s = g_session;
    double x1 = 0, x2 = 0;
    Window(s, x1, x2);
    for (auto _ : state) {
        for (int v = 1; v <= s.nVar; ++v) {
            double hi = -1e99, lo = 1e99, mag = 0;
            for (int32_t f = 1; f <= s.nFile; ++f) {
                int32_t file = f, yv = v, xv = 1;
                rrang(&file, &yv, &xv, &x1, &x2, &hi, &lo, &mag);
            }
            benchmark::DoNotOptimize(hi);
        }
    }
}
BENCHMARK(BM_RrangLoop)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The hover readout with the pointer on the first line of the first graph
// (nearest sample at distance 0) and beside it (nothing within reach).
void BM_WhatFile(benchmark::State& state)
{
    zan::Session& s = g_session;
    s.CurGrph = s.GrphTab[1];
    s.CurCell = s.CellTab[1];
    int32_t file = 1, sample = g_rows / 3, xv = 1, yv = s.CurGrph.Lines[1];
    double x = 0, y = 0;
    ddata(&file, &sample, &xv, &x);
    ddata(&file, &sample, &yv, &y);
    zan::PlotPoint at = zan::ToPixel(s, x, y);
    if (state.range(0) == 1) at.y = s.CurCell.Top + 2;  // away from the curve at that time
    int found = 0;
    for (auto _ : state) {
        const zan::HoverPick pick = zan::WhatFile(s, at.x, at.y, 1000);
        found = pick.found ? 1 : 0;
        benchmark::DoNotOptimize(pick.sample);
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_WhatFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATAFILE [benchmark options]\n", argv[0]);
        return 2;
    }
    zan::Session& s = g_session;
    if (!zan::bench::LoadPageSession(argv[1], 1, s, g_rows)) return 1;
    // The same file again as file 2: two files of four lines on every graph.
    int step = 1;
    const zan::OpenResult second = zan::TheLibrary().Open(2, argv[1], step);
    if (second.nStored != g_rows) {
        std::fprintf(stderr, "second load of %s failed\n", argv[1]);
        return 1;
    }
    s.nFile = 2;
    s.Flist.push_back(argv[1]);
    s.FileTab.resize(2);
    s.FileTab[2] = s.FileTab[1];
    // A drawing of the page, as on the screen, leaves the cells, the axes and
    // the block extremes of the drawn variables in place.
    s.lderr = 0;
    QImage image(1600, 1000, QImage::Format_RGB32);
    image.fill(Qt::white);
    zan::render::ImageTarget page(image);
    zan::render::ObjtDraw(s, page);
    // The first rescale also makes the block summaries of the variables no
    // drawing has asked for yet.
    double x1 = 0, x2 = 0;
    Window(s, x1, x2);
    s.CurGrph = s.GrphTab[1];
    const auto t0 = std::chrono::steady_clock::now();
    zan::SetRang(s, x1, x2);
    const auto t1 = std::chrono::steady_clock::now();
    std::printf("first SetRang after the drawing: %.1f ms\n",
                std::chrono::duration<double, std::milli>(t1 - t0).count());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
