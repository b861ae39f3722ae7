// The variable selection window on a large file set: 5,000 variables and
// 1,000 graphs of three lines. Opening (both lists filled), one search
// keystroke, Add of 500 variables and Apply of the resulting 1,500 rows, on
// the model; and the real window opened offscreen, to show that the list
// views cost nothing per row. The reference copies the graph table once.

#include "interact/selection_model.h"
#include "windows/selection/selection_window.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

using zan::Session;
using zan::SelectionModel;

constexpr int kVars = 5000;
constexpr int kGraphs = 1000;

// Every tenth name ends in "_vel", so the search "_vel" finds 500.
Session BigSession()
{
    static const char* const kinds[] = {"_vel", "_pos", "_acc", "_frc", "_mom", "_tmp", "_prs", "_flw", "_cur", "_vlt"};
    Session s;
    s.nVar = kVars;
    s.VarTab.assign(kVars);
    s.VarTab[1].Name = "time";
    for (int i = 2; i <= kVars; ++i)
        s.VarTab[i].Name = "Body" + std::to_string(i / 10) + kinds[i % 10];
    s.nGrph = kGraphs;
    s.GrphTab.assign(kGraphs);
    for (int g = 1; g <= kGraphs; ++g) {
        zan::GraphRecord& r = s.GrphTab[g];
        r.xVar = 1;
        r.nLine = 3;
        for (int j = 1; j <= 3; ++j)
            r.Lines[static_cast<size_t>(j)] = 2 + (g * 3 + j) % (kVars - 1);
        r.Title = "graph " + std::to_string(g);
    }
    return s;
}

void BM_ReferenceCopyGraphTable(benchmark::State& state)
{
    const Session s = BigSession();
    for (auto _ : state) {
        zan::Table<zan::GraphRecord> copy = s.GrphTab;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_ReferenceCopyGraphTable)->Unit(benchmark::kMillisecond);

void BM_Open(benchmark::State& state)
{
    Session s = BigSession();
    SelectionModel m(s);
    for (auto _ : state)
        m.Activate("");
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_SearchKeystroke(benchmark::State& state)
{
    Session s = BigSession();
    SelectionModel m(s);
    m.Activate("");
    for (auto _ : state)
        m.FillAll("_VEL");
    state.counters["matches"] = static_cast<double>(m.items().size());
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

void BM_Add500(benchmark::State& state)
{
    Session s = BigSession();
    SelectionModel m(s);
    m.Activate("_vel");
    for (auto _ : state) {
        state.PauseTiming();
        m.FillSelected();
        state.ResumeTiming();
        m.AddSelected();
    }
    state.counters["rows"] = static_cast<double>(m.rows().size());
}
BENCHMARK(BM_Add500)->Unit(benchmark::kMillisecond);

void BM_Apply(benchmark::State& state)
{
    Session s = BigSession();
    const zan::Table<zan::GraphRecord> applied = s.GrphTab;
    SelectionModel m(s);
    m.Activate("_vel");
    for (auto _ : state) {
        state.PauseTiming();
        s.nGrph = kGraphs;
        s.GrphTab = applied;
        m.FillSelected();
        m.AddSelected();
        state.ResumeTiming();
        if (!m.ApplySel())
            state.SkipWithError("nothing applied");
    }
    state.counters["graphs"] = s.nGrph;
}
BENCHMARK(BM_Apply)->Unit(benchmark::kMillisecond);

// The window itself: shown, both lists reloaded and the selections set.
void BM_WindowOpen(benchmark::State& state)
{
    Session s = BigSession();
    zan::SelectionWindow w(s);
    for (auto _ : state) {
        w.Open();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowOpen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
