// Cost of following a growing text file: a full reload of the file against
// one watch step after each batch of appended rows, both measured in the same
// run on the same file.
//
//   bench_watch_step FOLDER [rows] [rows per tick] [ticks]
//
// Writes FOLDER/grow.csv (rows x 5 variables), loads it, then appends a
// batch per tick and times the watch step that takes it in; at the end the
// grown file is reloaded in full once more for a second reference.
#include "platform/fakes.h"
#include "session/file_commands.h"
#include "session/load_data.h"
#include "session/startup_services.h"
#include "session/tests/command_fakes.h"
#include "session/tests/session_fakes.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ctime>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Processor time of the whole process: on a shared machine a step's wall
// time also holds the time others had the processor.
double ProcessorSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void AppendRows(const std::string& path, long from, long to)
{
    std::string text;
    text.reserve(static_cast<size_t>(to - from + 1) * 48);
    char buffer[32];
    for (long i = from; i <= to; ++i) {
        const double t = i * 0.001;
        const double values[] = {t, t * 3.5, 1000.0 - i % 977, (i % 13) * 0.25, i * 1.0e-3 * (i % 7)};
        for (size_t v = 0; v < 5; ++v) {
            const auto r = std::to_chars(buffer, buffer + sizeof buffer, values[v]);
            text.append(buffer, r.ptr);
            text += v + 1 < 5 ? ',' : '\n';
        }
    }
    std::ofstream(path, std::ios::app | std::ios::binary) << text;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [rows] [rows per tick] [ticks]\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const long rows = argc > 2 ? std::atol(argv[2]) : 5000000;
    const long batch = argc > 3 ? std::atol(argv[3]) : 10000;
    const int ticks = argc > 4 ? std::atoi(argv[4]) : 30;
    const std::string path = folder + "grow.csv";
    std::ofstream(path, std::ios::trunc) << "time,alt,load,mode,drift\n";
    for (long done = 0; done < rows; done += 500000)
        AppendRows(path, done + 1, std::min(done + 500000, rows));

    zan::testing::FakeHost host(folder);
    zan::FakeFileDialog dialog;
    zan::FakeMessageBox messages;
    zan::FakeScreenMetrics screen;
    zan::ProgramServices services(host, zan::TheLibrary(), dialog, messages, screen);
    zan::testing::RecordingWindow window;
    std::vector<std::string> calls;
    window.calls = &calls;
    zan::Session s;
    s.Fpath = folder;
    s.nFile = 1;
    s.Flist.assign(1);
    s.Flist[1] = path;
    s.iAuto = -1;
    zan::FileCommands commands(s, services, host, zan::TheLibrary(), window, dialog);

    auto start = Clock::now();
    zan::LoadData(s, host, zan::TheLibrary());
    zan::InitRanges(s, host, zan::TheLibrary());
    const double firstLoad = Seconds(Clock::now() - start);
    double cpu0 = ProcessorSeconds();
    start = Clock::now();
    commands.Reload();
    const double reload = Seconds(Clock::now() - start);
    double reloadCpu = ProcessorSeconds() - cpu0;

    std::vector<double> steps, cpu;
    long written = rows;
    for (int t = 0; t < ticks; ++t) {
        AppendRows(path, written + 1, written + batch);
        written += batch;
        cpu0 = ProcessorSeconds();
        start = Clock::now();
        commands.Watch();
        steps.push_back(Seconds(Clock::now() - start));
        cpu.push_back(ProcessorSeconds() - cpu0);
    }
    const int stored = s.FileTab[1].nStored;
    cpu0 = ProcessorSeconds();
    start = Clock::now();
    commands.Reload();
    const double reloadGrown = Seconds(Clock::now() - start);
    reloadCpu = std::min(reloadCpu, ProcessorSeconds() - cpu0);

    double mean = 0;
    for (double v : steps)
        mean += v;
    mean /= static_cast<double>(steps.size());
    const double reference = std::min(reload, reloadGrown);
    std::printf("file %s: %ld rows x 5 variables, then %d ticks of %ld rows\n", path.c_str(), rows, ticks, batch);
    std::printf("first load            %8.3f s\n", firstLoad);
    std::printf("Reload (full)         %8.3f s   after the ticks %8.3f s\n", reload, reloadGrown);
    std::printf("watch step median     %8.4f s   %5.2f %% of the faster full reload\n", Median(steps),
                100.0 * Median(steps) / reference);
    std::printf("watch step mean       %8.4f s   %5.2f %%\n", mean, 100.0 * mean / reference);
    std::printf("watch step max        %8.4f s   %5.2f %%\n", *std::max_element(steps.begin(), steps.end()),
                100.0 * *std::max_element(steps.begin(), steps.end()) / reference);
    const auto worst = std::max_element(steps.begin(), steps.end()) - steps.begin();
    const double cpuMax = *std::max_element(cpu.begin(), cpu.end());
    std::printf("slowest step: tick %ld, processor time %.4f s\n", static_cast<long>(worst + 1),
                cpu[static_cast<size_t>(worst)]);
    std::printf("processor time: full reload %.3f s, step median %.4f s, step max %.4f s (%5.2f %% of the reload)\n",
                reloadCpu, Median(cpu), cpuMax, 100.0 * cpuMax / reloadCpu);
    std::printf("stored after the ticks: %d of %ld rows written\n", stored, written);
    return stored == written ? 0 : 1;
}
