// Times dopen on each file named on the command line next to the time of
// `cat FILE > /dev/null` in the same run, and reports the input rate and the
// peak memory of the load against the size of the sample block. Each file
// is loaded twice: the first load in a process also pays for memory the
// system has never handed out before, the second shows the reader itself.
// Rates are given for the wall clock and for the processor time used (user +
// system), since on a shared machine the wall clock also measures the others.
// Usage: bench_load_speed [--touch MB] [--threads N] FILE...
//   --touch MB first times writing MB megabytes of fresh memory, for reference.
//   --threads N reads each file with N threads instead of one per processor.
#include "load_hooks.h"
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

struct Timing {
    double wall;
    double cpu;
};

double cpu_seconds(int who)
{
    rusage u;
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

template <class Work>
Timing timed(int who, Work work)
{
    const double cpu = cpu_seconds(who);
    const auto start = std::chrono::steady_clock::now();
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            cpu_seconds(who) - cpu};
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

Timing time_cat(const std::string& path)
{
    const std::string command = "cat '" + path + "' > /dev/null";
    return timed(RUSAGE_CHILDREN, [&] {
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "cat failed\n");
    });
}

Timing time_touch(uint64_t bytes)
{
    return timed(RUSAGE_SELF, [&] {
        zan::MappedValues block;
        if (block.map(bytes / sizeof(double)) && block)
            std::memset(static_cast<void*>(block.get()), 0, block.size() * sizeof(double));
    });
}

struct Load {
    Timing time;
    double peak_mb;
    double block_mb;
    bool large;  // the block kept large pages to the end of the load
    int32_t nvar, nstored, nrows, step, status;
};

Load load(const std::string& path)
{
    static std::vector<int32_t> names(static_cast<std::size_t>(ZAN_MAX_VARS) * ZAN_NAME_LEN);
    std::array<int32_t, ZAN_PATH_LEN> codes;
    codes.fill(' ');
    for (std::size_t k = 0; k < path.size() && k < codes.size(); ++k) codes[k] = static_cast<unsigned char>(path[k]);
    std::array<int32_t, ZAN_NAME_LEN> title;
    int32_t file = 1, close_status = 0, result = 0;
    Load r{};
    r.step = 1;
    dclos(&result);
    reset_peak_rss();
    r.time = timed(RUSAGE_SELF, [&] {
        dopen(&file, codes.data(), names.data(), title.data(), &r.nvar, &r.nstored, &r.nrows, &r.step, &r.status,
              &close_status);
    });
    r.peak_mb = static_cast<double>(peak_rss()) / 1e6;
    const zan::FileSlot* slot = zan::loaded_slot(1);
    r.block_mb = slot ? static_cast<double>(slot->nvar) * slot->capacity * 8 / 1e6 : 0.0;
    r.large = slot && slot->block.large_pages();
    dclos(&result);
    return r;
}

}  // namespace

int main(int argc, char** argv)
{
    int first = 1;
    if (argc > 2 && std::string(argv[1]) == "--touch") {
        const double mb = std::atof(argv[2]);
        const Timing t = time_touch(static_cast<uint64_t>(mb * 1e6));
        std::printf("writing %.0f MB of fresh memory: %.2f s wall, %.2f s cpu\n", mb, t.wall, t.cpu);
        first = 3;
    }
    if (argc > first + 1 && std::string(argv[first]) == "--threads") {
        zan::hooks::reader_threads = static_cast<unsigned>(std::atoi(argv[first + 1]));
        std::printf("reading with %u threads\n", *zan::hooks::reader_threads);
        first += 2;
    }
    std::printf("%-10s %6s | %-23s | %-23s | %-23s | %8s %8s %6s\n", "", "", "cat FILE > /dev/null",
                "dopen, first in process", "dopen, again", "", "", "");
    std::printf("%-10s %6s |%s|%s|%s| %8s %8s %6s\n", "file", "MB", "  wall  MB/s   cpu  MB/s ",
                "  wall  MB/s   cpu  MB/s ", "  wall  MB/s   cpu  MB/s ", "block MB", "peak MB", "status");
    auto cells = [](double mb, Timing t) {
        std::printf(" %5.2f %5.0f %5.2f %5.0f |", t.wall, mb / t.wall, t.cpu, mb / t.cpu);
    };
    for (int i = first; i < argc; ++i) {
        const std::string path = argv[i];
        const double mb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
        time_cat(path);  // brings the file into the page cache for every timing
        const Timing cat = time_cat(path);
        const Load a = load(path);
        const Load b = load(path);
        std::printf("%-10s %6.1f |", std::filesystem::path(path).filename().c_str(), mb);
        cells(mb, cat);
        cells(mb, a.time);
        cells(mb, b.time);
        std::printf(" %8.1f %8.1f %6d\n", b.block_mb, std::max(a.peak_mb, b.peak_mb), b.status);
        std::printf("  %d variables, %d of %d rows stored, step %d; pages of the block: %s, then %s\n", b.nvar,
                    b.nstored, b.nrows, b.step, a.large ? "large" : "small", b.large ? "large" : "small");
    }
    return 0;
}
