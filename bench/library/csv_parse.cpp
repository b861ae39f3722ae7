// CSV parsing alone, with the file's text already in memory and the sample
// block already touched: the number reader against std::from_chars, and the
// whole line test and store on one and on two threads.
// Usage: bench_csv_parse FILE [benchmark options]   (reads the first 200 MB of FILE)
#include "csv_fields.h"
#include "decimal_parse.h"
#include "work_threads.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string text;  // whole lines of the file's data part
int32_t nvar = 0;
int64_t lines = 0;

// Calls on_number for every comma- or line-separated piece of the text.
template <class Parse>
void parse_all(benchmark::State& state, Parse parse)
{
    for (auto _ : state) {
        const char* p = text.data();
        const char* end = p + text.size();
        double sum = 0;
        while (p < end) {
            double v = 0;
            const char* q = parse(p, end, v);
            sum += v;
            p = q + 1;  // over the ',' or '\n'
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_FromChars(benchmark::State& state)
{
    parse_all(state, [](const char* p, const char* end, double& v) { return std::from_chars(p, end, v).ptr; });
}

void BM_ParseDouble(benchmark::State& state)
{
    parse_all(state, [](const char* p, const char* end, double& v) { return zan::parse_double(p, end, v).ptr; });
}

// Lines tested and stored column by column as the reader does, the text cut
// into as many parts as threads, each thread storing its own rows.
void BM_CsvRows(benchmark::State& state)
{
    const unsigned threads = static_cast<unsigned>(state.range(0));
    std::vector<const char*> cuts{text.data()};
    for (unsigned t = 1; t < threads; ++t) {
        const char* at = text.data() + text.size() * t / threads;
        cuts.push_back(static_cast<const char*>(std::memchr(at, '\n', text.size())) + 1);
    }
    cuts.push_back(text.data() + text.size());
    const std::size_t cap = static_cast<std::size_t>(lines);
    std::vector<double> block(cap * static_cast<std::size_t>(nvar), 0.0);
    std::vector<int64_t> first_row(threads + 1, 0);
    for (unsigned t = 0; t < threads; ++t)
        first_row[t + 1] = first_row[t] + std::count(cuts[t], cuts[t + 1], '\n');
    for (auto _ : state) {
        zan::run_threads(threads, [&](unsigned t) {
            std::vector<double> row(static_cast<std::size_t>(nvar));
            std::size_t s = static_cast<std::size_t>(first_row[t]);
            for (const char* p = cuts[t]; p < cuts[t + 1];) {
                const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(cuts[t + 1] - p)));
                if (zan::csv::read_row({p, static_cast<std::size_t>(nl - p)}, nvar, row.data())) {
                    for (int32_t v = 0; v < nvar; ++v) block[static_cast<std::size_t>(v) * cap + s] = row[static_cast<std::size_t>(v)];
                    ++s;
                }
                p = nl + 1;
            }
        });
        benchmark::DoNotOptimize(block.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

BENCHMARK(BM_FromChars)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParseDouble)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CsvRows)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_csv_parse FILE [benchmark options]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::string names;
    std::getline(in, names);
    nvar = static_cast<int32_t>(std::count(names.begin(), names.end(), ',') + 1);
    text.resize(200u << 20);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    text.erase(text.rfind('\n') + 1);
    lines = std::count(text.begin(), text.end(), '\n');
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
