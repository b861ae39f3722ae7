// Redraws a page of 3 x 2 graphs with 4 lines each from one data file onto a
// 1600 x 1000 screen image, once through the fast walk and once through the
// reference sample walk, whole and zoomed in to a few thousand samples, and
// checks that both give the same image.
//
// Usage: bench_fast_walk DATAFILE [benchmark options]
// DATAFILE: a stream file of 5,000,000 rows x 20 variables, time first, as
// make_big_files writes it, loaded whole (step 1).
#include "page_session.h"
#include "render/forwarding_target.h"
#include "render/image_target.h"
#include "render/objt_draw.h"
#include "session/data_library.h"
#include "session/session_state.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace zan::render;

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

zan::Session g_session;
double g_fullLo = 0.0;
double g_fullHi = 0.0;

bool Load(const std::string& path)
{
    int nStored = 0;
    if (!zan::bench::LoadPageSession(path, 1, g_session, nStored)) return false;
    g_fullLo = g_session.VarTab[1].Alo[1];
    g_fullHi = g_session.VarTab[1].Ahi[1];
    return true;
}

// Time range of the X axis: the whole file, or 3 time units (3000 samples
// of the benchmark file) in its middle.
void ShowTime(bool zoomed)
{
    zan::VarRecord& t = g_session.VarTab[1];
    const double mid = 0.5 * (g_fullLo + g_fullHi);
    t.Alo[1] = zoomed ? mid : g_fullLo;
    t.Ahi[1] = zoomed ? mid + 3.0 : g_fullHi;
}

QImage DrawOnce(bool fast)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    ImageTarget target(image);
    if (fast) {
        ObjtDraw(g_session, target);
    } else {
        ForwardingTarget reference(target);
        ObjtDraw(g_session, reference);
    }
    return image;
}

void Redraw(benchmark::State& state, bool fast, bool zoomed)
{
    ShowTime(zoomed);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        ImageTarget target(image);
        if (fast) {
            ObjtDraw(g_session, target);
        } else {
            ForwardingTarget reference(target);
            ObjtDraw(g_session, reference);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

bool SameImages(bool zoomed)
{
    ShowTime(zoomed);
    const bool same = DrawOnce(true) == DrawOnce(false);
    std::printf("%s page: fast and reference images %s\n", zoomed ? "zoomed" : "whole",
                same ? "identical" : "DIFFER");
    return same;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc < 2 || !Load(argv[1])) {
        std::fprintf(stderr, "usage: bench_fast_walk DATAFILE [benchmark options]\n");
        return 1;
    }
    const bool same = SameImages(false) && SameImages(true);

    benchmark::RegisterBenchmark("Page/fast_walk", Redraw, true, false)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Page/reference_walk", Redraw, false, false)
        ->Unit(benchmark::kMillisecond)->Iterations(2);
    benchmark::RegisterBenchmark("PageZoomed/fast_walk", Redraw, true, true)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PageZoomed/reference_walk", Redraw, false, true)
        ->Unit(benchmark::kMillisecond)->Iterations(2);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    zan::TheLibrary().Close();
    return same ? 0 : 2;
}
