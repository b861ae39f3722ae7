// What the first write to fresh memory costs, in small pages and in large
// pages, next to filling the same memory a second time (the reference: no
// page is taken then). Each round maps MB megabytes once per kind, writes one
// byte per 4 KiB, and reports the processor time of the writing thread, the
// page faults and the large pages the system granted (/proc/vmstat). Large
// pages are taken twice in a row: the second time they are the ones the
// first freed a moment before.
// Between rounds the program may pause, so that memory freed by the round
// before is no longer at hand (virtual machines hand free memory back to
// their host after a few seconds).
//
//   bench_first_touch [MB] [rounds] [pause seconds]
#include "sample_block.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/mman.h>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

struct Sample {
    double wall = 0;
    double cpu = 0;
    long faults = 0;
    long large = 0;     // large pages granted
    long fallback = 0;  // large pages asked for and not granted
};

double thread_cpu(long& faults)
{
    rusage u;
    getrusage(RUSAGE_THREAD, &u);
    faults = u.ru_minflt;
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

long vmstat(const char* key)
{
    std::ifstream in("/proc/vmstat");
    std::string k;
    long v = 0;
    while (in >> k >> v)
        if (k == key) return v;
    return 0;
}

template <class Work>
Sample measure(Work work)
{
    Sample s;
    long f0 = 0, f1 = 0;
    const long l0 = vmstat("thp_fault_alloc"), b0 = vmstat("thp_fault_fallback");
    const double c0 = thread_cpu(f0);
    const auto t0 = std::chrono::steady_clock::now();
    work();
    s.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    s.cpu = thread_cpu(f1) - c0;
    s.faults = f1 - f0;
    s.large = vmstat("thp_fault_alloc") - l0;
    s.fallback = vmstat("thp_fault_fallback") - b0;
    return s;
}

void write_pages(char* p, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; i += 4096) p[i] = 1;
}

// Fresh anonymous memory with the given advice, written once.
Sample fresh(std::size_t bytes, int advice, Sample* again)
{
    Sample s;
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED) return s;
    ::madvise(p, bytes, advice);
    s = measure([&] { write_pages(static_cast<char*>(p), bytes); });
    if (again) *again = measure([&] { std::memset(p, 2, bytes); });
    ::munmap(p, bytes);
    return s;
}

// The library's sample block of 20 columns, filled row range by row range
// the way the readers fill it (it chooses its pages itself).
Sample block(std::size_t bytes, bool* large)
{
    const int32_t columns = 20;
    const auto rows = static_cast<int64_t>(bytes / sizeof(double) / columns);
    zan::SampleBlock b;
    if (!b.allocate(columns, static_cast<int32_t>(rows))) return {};
    const Sample s = measure([&] {
        for (int64_t r = 0; r < rows; r += 65536) {
            const int64_t end = std::min<int64_t>(rows, r + 65536);
            b.prepare_rows(r, end);
            for (int32_t v = 0; v < columns; ++v) {
                char* column = reinterpret_cast<char*>(b.get() + static_cast<std::size_t>(v) * b.stride());
                for (int64_t at = r * 8; at < end * 8; at += 4096) column[at] = 1;
            }
        }
    });
    *large = b.large_pages();
    return s;
}

void report(const char* what, std::vector<Sample> v, double reference)
{
    std::sort(v.begin(), v.end(), [](const Sample& a, const Sample& b) { return a.cpu < b.cpu; });
    const Sample& mid = v[v.size() / 2];
    std::printf("%-28s cpu %6.3f s (%6.3f-%6.3f)  %7.1f x reference  wall %6.3f s  faults %7ld  large pages %4ld "
                "(refused %ld)\n",
                what, mid.cpu, v.front().cpu, v.back().cpu, mid.cpu / reference, mid.wall, mid.faults, mid.large,
                mid.fallback);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::size_t mb = argc > 1 ? static_cast<std::size_t>(std::atol(argv[1])) : 800;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const int pause = argc > 3 ? std::atoi(argv[3]) : 0;
    const std::size_t bytes = mb << 20;
    std::vector<Sample> small, large, reused, lib, rewrite;
    int kept = 0;  // rounds in which the sample block kept its large pages
    for (int r = 0; r < rounds; ++r) {
        Sample again;
        std::this_thread::sleep_for(std::chrono::seconds(pause));
        small.push_back(fresh(bytes, MADV_NOHUGEPAGE, &again));
        rewrite.push_back(again);
        std::this_thread::sleep_for(std::chrono::seconds(pause));
        large.push_back(fresh(bytes, MADV_HUGEPAGE, nullptr));
        reused.push_back(fresh(bytes, MADV_HUGEPAGE, nullptr));
        std::this_thread::sleep_for(std::chrono::seconds(pause));
        bool kept_large = false;
        lib.push_back(block(bytes, &kept_large));
        kept += kept_large ? 1 : 0;
        std::printf("round %d: small pages %.3f s, large pages %.3f s and %.3f s, sample block %.3f s, refill %.3f s\n",
                    r + 1, small.back().cpu, large.back().cpu, reused.back().cpu, lib.back().cpu, rewrite.back().cpu);
    }
    std::sort(rewrite.begin(), rewrite.end(), [](const Sample& a, const Sample& b) { return a.cpu < b.cpu; });
    const double reference = std::max(rewrite[rewrite.size() / 2].cpu, 1e-6);
    std::printf("%zu MB, %d rounds, %d s pause before each; medians, range in brackets\n", mb, rounds, pause);
    report("refill (reference)", rewrite, reference);
    report("first write, small pages", small, reference);
    report("first write, large pages", large, reference);
    report("large pages just freed", reused, reference);
    report("first write, sample block", lib, reference);
    std::printf("the sample block kept large pages in %d of %d rounds\n", kept, rounds);
    return 0;
}
