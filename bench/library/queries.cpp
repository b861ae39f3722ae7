// Speed of the per-sample queries on a file of 5,000,000 rows and 20
// variables: window range, a curve walk with single-sample mapping calls,
// and the batch mapping. Usage: bench_queries [--data=FILE] [benchmark flags].
// With --data the file is loaded through dopen as file 1; otherwise a block
// of that size is put straight into the store. X is variable 1, the curve
// variable 5 (7 for the window range); the window and the mapping follow the
// ranges of those variables.
#include "batch_mapping.h"
#include "store.h"
#include "zan.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int32_t kRows = 5'000'000;
constexpr int32_t kVars = 20;
int32_t g_rows = kRows;

bool load_file(const std::string& path)
{
    static std::vector<int32_t> names(static_cast<std::size_t>(ZAN_MAX_VARS) * ZAN_NAME_LEN);
    std::array<int32_t, ZAN_PATH_LEN> codes;
    codes.fill(' ');
    for (std::size_t k = 0; k < path.size() && k < codes.size(); ++k) codes[k] = static_cast<unsigned char>(path[k]);
    std::array<int32_t, ZAN_NAME_LEN> title;
    int32_t file = 1, nvar = 0, nstored = 0, nrows = 0, step = 1, status = 0, close_status = 0;
    dopen(&file, codes.data(), names.data(), title.data(), &nvar, &nstored, &nrows, &step, &status, &close_status);
    std::fprintf(stderr, "%s: %d variables, %d samples, status %d\n", path.c_str(), nvar, nstored, status);
    g_rows = nstored;
    return nvar >= 7 && nstored > 0;
}

// Variable 1 is time, the others smooth curves with some noise.
void fill_store()
{
    zan::Store& s = zan::store();
    if (s.loaded == 1) return;
    zan::FileSlot& slot = s.slots[0];
    slot.nvar = kVars;
    slot.capacity = kRows;
    slot.block.allocate(kVars, kRows);
    zan::VarTables* t = zan::var_tables(1);
    t->reset();
    uint32_t noise = 12345;
    for (int32_t v = 1; v <= kVars; ++v) {
        double* col = slot.column(v);
        for (int32_t i = 0; i < kRows; ++i) {
            noise = noise * 1664525u + 1013904223u;
            const double time = i * 1.0e-3;
            col[i] = v == 1 ? time : std::sin(time * v) * 100.0 * v + (noise >> 16) * 1.0e-4;
            t->rawmax[static_cast<std::size_t>(v - 1)] = std::fmax(t->rawmax[static_cast<std::size_t>(v - 1)], col[i]);
            t->rawmin[static_cast<std::size_t>(v - 1)] = std::fmin(t->rawmin[static_cast<std::size_t>(v - 1)], col[i]);
        }
    }
    slot.stored = kRows;
    s.loaded = 1;
}

void per_sample(benchmark::State& state, int32_t rows = g_rows)
{
    state.counters["per_sample"] =
        benchmark::Counter(rows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

struct Range {
    double upper = 0, lower = 0, magnitude = 0;
};

Range full_range(int32_t var)
{
    Range r;
    int32_t file = 1;
    drang(&file, &var, &r.upper, &r.lower, &r.magnitude);
    return r;
}

// The drawing maps the X range over 1800 pixels and the curve over 900,
// with a shift and factor set so they are applied.
void set_mapping(int32_t yvar)
{
    int32_t file = 1, xvar = 1, count = 0;
    double shift = 1.5, factor = 0.5;
    sshft(&file, &yvar, &shift);
    sfact(&file, &yvar, &factor);
    const Range rx = full_range(xvar);
    const Range ry = full_range(yvar);
    double xmin = rx.lower, xmax = rx.upper, ymin = ry.lower, ymax = ry.upper;
    int32_t xspan = 1800, yspan = -900, xoff = 60, yoff = 950;
    dtran(&xmin, &xmax, &ymin, &ymax, &xspan, &yspan, &xoff, &yoff);
    sdata(&file, &xvar, &yvar, &count);
}

void WindowRange(benchmark::State& state)
{
    fill_store();
    int32_t file = 1, yvar = 7, xvar = 1;
    const Range rx = full_range(xvar);
    double xlo = rx.lower + 0.1 * (rx.upper - rx.lower), xhi = rx.upper - 0.1 * (rx.upper - rx.lower);
    double upper = 0, lower = 0, magnitude = 0;
    for (auto _ : state) {
        rrang(&file, &yvar, &xvar, &xlo, &xhi, &upper, &lower, &magnitude);
        benchmark::DoNotOptimize(upper);
        benchmark::DoNotOptimize(lower);
    }
    per_sample(state);
}
BENCHMARK(WindowRange)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The window range of every variable (what the right-drag rescale asks for),
// from the block extremes (argument 1) and, as the reference in the same
// run, by the scan of every sample (argument 0: the extremes released).
void WindowRangeEveryVariable(benchmark::State& state)
{
    fill_store();
    zan::FileSlot& slot = zan::store().slots[0];
    const bool blocks = state.range(0) == 1;
    if (!blocks)
        slot.extremes.release();
    else if (!slot.extremes_current())
        slot.prepare_extremes();
    int32_t file = 1, xvar = 1;
    const Range rx = full_range(xvar);
    double xlo = rx.lower + 0.1 * (rx.upper - rx.lower), xhi = rx.upper - 0.1 * (rx.upper - rx.lower);
    for (auto _ : state) {
        for (int32_t yvar = 1; yvar <= slot.nvar; ++yvar) {
            double upper = 0, lower = 0, magnitude = 0;
            rrang(&file, &yvar, &xvar, &xlo, &xhi, &upper, &lower, &magnitude);
            benchmark::DoNotOptimize(upper);
        }
    }
    state.SetLabel(blocks ? "block extremes" : "scan of every sample");
}
BENCHMARK(WindowRangeEveryVariable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void FullRange(benchmark::State& state)
{
    fill_store();
    int32_t file = 1, var = 7;
    double upper = 0, lower = 0, magnitude = 0;
    for (auto _ : state) {
        drang(&file, &var, &upper, &lower, &magnitude);
        benchmark::DoNotOptimize(magnitude);
    }
}
BENCHMARK(FullRange);

void CurveWalkSingleCalls(benchmark::State& state)
{
    fill_store();
    for (auto _ : state) {
        set_mapping(5);
        int32_t file = 1, count = 0, xvar = 1, yvar = 5;
        sdata(&file, &xvar, &yvar, &count);
        count = std::min(count, static_cast<int32_t>(state.range(0)));
        int64_t sum = 0;
        for (int32_t s = 1; s <= count; ++s) {
            int32_t x = 0, y = 0, inside = 1;
            idata(&file, &s, &x, &inside);
            jdata(&file, &s, &y, &inside);
            sum += x + y + inside;
        }
        benchmark::DoNotOptimize(sum);
    }
    per_sample(state, std::min(g_rows, static_cast<int32_t>(state.range(0))));
}
// The whole curve, and a part that stays in the cache to show the cost of
// the calls without the memory traffic.
BENCHMARK(CurveWalkSingleCalls)->Arg(kRows)->Arg(1 << 16)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The batch call over the whole curve in runs of 4096 samples, the size of a
// drawing buffer that stays in the cache.
void CurveWalkBatch(benchmark::State& state)
{
    fill_store();
    constexpr int32_t kRun = 4096;
    std::vector<int32_t> x(kRun), y(kRun), inside(kRun);
    for (auto _ : state) {
        set_mapping(5);
        int32_t file = 1;
        int64_t sum = 0;
        const int32_t rows = std::min(g_rows, static_cast<int32_t>(state.range(0)));
        for (int32_t first = 1; first <= rows; first += kRun) {
            int32_t count = std::min(kRun, rows - first + 1);
            std::fill(inside.begin(), inside.begin() + count, 1);
            mdata(&file, &first, &count, x.data(), y.data(), inside.data());
            sum += x[0] + y[static_cast<std::size_t>(count - 1)] + inside[0];
        }
        benchmark::DoNotOptimize(sum);
    }
    per_sample(state, std::min(g_rows, static_cast<int32_t>(state.range(0))));
}
BENCHMARK(CurveWalkBatch)->Arg(kRows)->Arg(1 << 16)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The batch mapping of each lane width straight on the two columns, without
// the checks of mdata, to compare the widths in the same run.
void BatchLanes(benchmark::State& state)
{
    fill_store();
    set_mapping(5);
    const zan::RunMapping run = zan::map_run_with_lanes(static_cast<int>(state.range(0)));
    if (!run) {
        state.SkipWithError("this processor lacks the lane width");
        return;
    }
    constexpr int32_t kRun = 4096;
    const int32_t rows = std::min(g_rows, static_cast<int32_t>(state.range(1)));
    const zan::FileSlot& slot = zan::store().slots[0];
    const zan::AxisMap mx{{}, 0.0, 1.0, 0.0};
    const zan::AxisMap my{{0.5, 1.5}, -100.0, -0.5, 950.0};
    std::vector<int32_t> x(kRun), y(kRun), inside(kRun, 1);
    for (auto _ : state) {
        for (int32_t first = 0; first < rows; first += kRun) {
            const int32_t count = std::min(kRun, rows - first);
            run(slot.column(1) + first, slot.column(5) + first, count, mx, my, x.data(), y.data(), inside.data());
        }
        benchmark::DoNotOptimize(x.data());
        benchmark::ClobberMemory();
    }
    per_sample(state, rows);
}
BENCHMARK(BatchLanes)->ArgsProduct({{2, 4}, {kRows, 4096}})->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Reference for the memory traffic: a plain sum over the same two columns,
// reading the 16 bytes per sample the batch mapping reads, in four sums per
// column so that the time of an addition does not bound it.
void ColumnSumReference(benchmark::State& state)
{
    fill_store();
    const zan::FileSlot& slot = zan::store().slots[0];
    const int32_t rows = std::min(g_rows, static_cast<int32_t>(state.range(0)));
    const double* xs = slot.column(1);
    const double* ys = slot.column(5);
    for (auto _ : state) {
        double x0 = 0, x1 = 0, x2 = 0, x3 = 0, y0 = 0, y1 = 0, y2 = 0, y3 = 0;
        for (int32_t k = 0; k + 4 <= rows; k += 4) {
            x0 += xs[k];
            x1 += xs[k + 1];
            x2 += xs[k + 2];
            x3 += xs[k + 3];
            y0 += ys[k];
            y1 += ys[k + 1];
            y2 += ys[k + 2];
            y3 += ys[k + 3];
        }
        double sum = (x0 + x1) + (x2 + x3) + (y0 + y1) + (y2 + y3);
        benchmark::DoNotOptimize(sum);
    }
    per_sample(state, rows);
}
BENCHMARK(ColumnSumReference)->Arg(kRows)->Arg(4096)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv)
{
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--data=", 7) == 0) {
            if (!load_file(argv[i] + 7)) return 1;
        } else {
            args.push_back(argv[i]);
        }
    }
    int n = static_cast<int>(args.size());
    benchmark::Initialize(&n, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
