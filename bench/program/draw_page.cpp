// Draws a page of 3 x 2 graphs with 4 lines each from one data file of
// 1,000,000 samples onto a 1600 x 1000 screen image, through the reference
// sample walk, and reports the time per page and per million samples.
//
// Usage: bench_draw_page [DATAFILE [STEP]] [benchmark options]
// DATAFILE is loaded with the decimation step STEP (default 1), so a file of
// 5,000,000 rows with STEP 5 gives 1,000,000 samples. Without DATAFILE a
// comma-separated file of 1,000,000 rows x 20 variables is written to the
// system's temporary folder first (once) and loaded.
#include "page_session.h"
#include "render/image_target.h"
#include "render/objt_draw.h"
#include "session/data_library.h"
#include "session/session_state.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 1000000;
constexpr int kVars = 20;
constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

std::string WriteCsv()
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "zan_draw_page_1m.csv";
    if (std::filesystem::exists(path)) return path.string();
    std::FILE* f = std::fopen(path.string().c_str(), "w");
    if (!f) return std::string();
    std::fputs("time", f);
    for (int v = 2; v <= kVars; ++v) std::fprintf(f, ",v%d", v);
    std::fputc('\n', f);
    unsigned noise = 12345;
    for (int r = 0; r < kRows; ++r) {
        std::fprintf(f, "%.4f", r * 0.001);
        for (int v = 2; v <= kVars; ++v) {
            noise = noise * 1103515245u + 12345u;
            const double y = std::sin(r * 0.0001 * v) * v + ((noise >> 16) & 1023) / 1023.0 - 0.5;
            std::fprintf(f, ",%.5g", y);
        }
        std::fputc('\n', f);
    }
    std::fclose(f);
    return path.string();
}

struct Loaded {
    zan::Session s;
    long long samplesPerPage = 0;
};

bool Load(const std::string& path, int step, Loaded& out)
{
    int nStored = 0;
    if (!zan::bench::LoadPageSession(path, step, out.s, nStored)) return false;
    out.samplesPerPage = 6LL * 4LL * nStored;
    return true;
}

void DrawPage(benchmark::State& state, Loaded* data, int iStep)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    data->s.iStep = iStep;
    for (auto _ : state) {
        image.fill(Qt::white);
        zan::render::ImageTarget target(image);
        zan::render::ObjtDraw(data->s, target);
        benchmark::DoNotOptimize(image.constBits());
    }
    const double visits = static_cast<double>(data->samplesPerPage) / iStep;
    state.counters["Msamples_per_page"] = visits / 1e6;
    state.counters["ms_per_Msample"] = benchmark::Counter(
        visits / 1e6 / 1e3, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::string path;
    int step = 1;
    if (argc > 1) path = argv[1];
    if (argc > 2) step = std::atoi(argv[2]);
    if (path.empty()) path = WriteCsv();
    static Loaded data;
    if (path.empty() || !Load(path, step, data)) return 1;

    benchmark::RegisterBenchmark("DrawPage/reference_walk", DrawPage, &data, 1)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DrawPage/reference_walk_rate10", DrawPage, &data, 10)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    zan::TheLibrary().Close();
    return 0;
}
