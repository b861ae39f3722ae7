// Merging the name lists of 20 file versions of 5000 names each.

#include "session/merge_vars.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// Version v keeps most names of the run, drops every (v+7)-th, renames every
// (v+11)-th and inserts a name of its own every 97 names, so that matches,
// skipped stretches and new names all occur.
std::vector<Names> SimilarVersions() {
    std::vector<Names> versions;
    for (int v = 1; v <= 20; ++v) {
        Names names;
        for (int i = 1; names.size() < 5000; ++i) {
            if (i % (v + 7) == 0) continue;
            if (i % (v + 11) == 0)
                names.push_back("v" + std::to_string(v) + "_renamed_" + std::to_string(i));
            else
                names.push_back("signal_" + std::to_string(i));
            if (i % 97 == 0) names.push_back("v" + std::to_string(v) + "_extra_" + std::to_string(i));
        }
        names.resize(5000);
        versions.push_back(std::move(names));
    }
    return versions;
}

// Every version has names of its own only, so each merge fills the list.
std::vector<Names> DisjointVersions() {
    std::vector<Names> versions;
    for (int v = 1; v <= 20; ++v) {
        Names names;
        for (int i = 1; i <= 5000; ++i) names.push_back("v" + std::to_string(v) + "_" + std::to_string(i));
        versions.push_back(std::move(names));
    }
    return versions;
}

void MergeAll(benchmark::State& state, const std::vector<Names>& versions) {
    for (auto _ : state) {
        std::vector<std::string> merged;
        zan::VarMapTable map;
        for (int c = 1; c <= static_cast<int>(versions.size()); ++c)
            zan::MergeVars(merged, map, versions[static_cast<size_t>(c - 1)], c);
        benchmark::DoNotOptimize(merged.data());
        state.counters["merged"] = static_cast<double>(merged.size());
    }
}

void BM_MergeSimilarVersions(benchmark::State& state) { MergeAll(state, SimilarVersions()); }
void BM_MergeDisjointVersions(benchmark::State& state) { MergeAll(state, DisjointVersions()); }

BENCHMARK(BM_MergeSimilarVersions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeDisjointVersions)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
