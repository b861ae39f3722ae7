// Times dopen on each file named on the command line next to the time of
// `cat FILE > /dev/null` in the same run, and reports the input rate and the
// peak memory of the load against the size of the sample block. Rates are
// given for the wall clock and for the processor time used (user + system),
// since on a shared machine the wall clock mostly measures the others.
// Usage: bench_load_speed FILE...
#include "memory.h"
#include "store.h"
#include "zan.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

double seconds_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Peak resident memory of this process in bytes since the last reset.
long long peak_rss()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long long kib = 0;
    while (status >> key) {
        if (key == "VmHWM:") {
            status >> kib;
            return kib * 1024;
        }
        std::getline(status, key);
    }
    return -1;
}

void reset_peak_rss()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double cpu_seconds(int who)
{
    rusage u;
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

struct Timing {
    double wall;
    double cpu;
};

Timing time_cat(const std::string& path)
{
    const std::string command = "cat '" + path + "' > /dev/null";
    const double cpu = cpu_seconds(RUSAGE_CHILDREN);
    auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) return {-1.0, -1.0};
    return {seconds_since(start), cpu_seconds(RUSAGE_CHILDREN) - cpu};
}

// The part of a load that no reader can avoid: the system handing over and
// clearing the memory of a fresh sample block of the given size.
Timing time_block_touch(uint64_t bytes)
{
    const double cpu = cpu_seconds(RUSAGE_SELF);
    auto start = std::chrono::steady_clock::now();
    std::unique_ptr<double[]> block;
    if (zan::allocate_block(bytes / sizeof(double), block) && block)
        std::memset(static_cast<void*>(block.get()), 0, bytes);
    block.reset();
    return {seconds_since(start), cpu_seconds(RUSAGE_SELF) - cpu};
}

}  // namespace

int main(int argc, char** argv)
{
    static std::vector<int32_t> names(static_cast<std::size_t>(ZAN_MAX_VARS) * ZAN_NAME_LEN);
    std::printf("%-10s %7s | %-23s | %-23s | %8s %8s %6s\n", "", "", "cat FILE > /dev/null", "dopen", "", "",
                "");
    std::printf("%-10s %7s | %5s %5s %5s %5s | %5s %5s %5s %5s | %8s %8s %6s\n", "file", "MB", "wall", "MB/s", "cpu",
                "MB/s", "wall", "MB/s", "cpu", "MB/s", "block MB", "peak MB", "status");
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        const double mb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
        time_cat(path);  // brings the file into the page cache for both timings
        const Timing cat = time_cat(path);

        int32_t result = 0;
        dclos(&result);
        std::array<int32_t, ZAN_PATH_LEN> codes;
        codes.fill(' ');
        for (std::size_t k = 0; k < path.size() && k < codes.size(); ++k) codes[k] = static_cast<unsigned char>(path[k]);
        std::array<int32_t, ZAN_NAME_LEN> title;
        int32_t file = 1, nvar = 0, nstored = 0, nrows = 0, step = 1, status = 0, close_status = 0;

        reset_peak_rss();
        const double cpu = cpu_seconds(RUSAGE_SELF);
        auto start = std::chrono::steady_clock::now();
        dopen(&file, codes.data(), names.data(), title.data(), &nvar, &nstored, &nrows, &step, &status,
              &close_status);
        const Timing load{seconds_since(start), cpu_seconds(RUSAGE_SELF) - cpu};
        const double peak = static_cast<double>(peak_rss()) / 1e6;
        const zan::FileSlot* slot = zan::loaded_slot(1);
        const double block = slot ? static_cast<double>(slot->nvar) * slot->capacity * 8 / 1e6 : 0.0;

        std::printf("%-10s %7.1f | %5.2f %5.0f %5.2f %5.0f | %5.2f %5.0f %5.2f %5.0f | %8.1f %8.1f %6d\n",
                    std::filesystem::path(path).filename().c_str(), mb, cat.wall, mb / cat.wall, cat.cpu,
                    mb / cat.cpu, load.wall, mb / load.wall, load.cpu, mb / load.cpu, block, peak, status);
        dclos(&result);
        const Timing touch = time_block_touch(static_cast<uint64_t>(block * 1e6));
        std::printf("  %d variables, %d of %d rows stored, step %d; a fresh block of that size alone takes"
                    " %.2f s wall, %.2f s cpu to touch\n",
                    nvar, nstored, nrows, step, touch.wall, touch.cpu);
    }
    return 0;
}
