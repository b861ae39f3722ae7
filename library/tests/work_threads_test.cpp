// When the system refuses a thread, every part of the work still runs once,
// on the calling thread, and a load gives what it gives on one thread.
#include "loader_fixture.h"
#include "work_threads.h"

#include <atomic>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace zan::testfiles {
namespace {

// Refuses the threads of parts `from` on while it lives.
class RefusedThreads {
public:
    explicit RefusedThreads(std::optional<unsigned> from) { hooks::failed_thread_start = from; }
    ~RefusedThreads() { hooks::failed_thread_start.reset(); }
    RefusedThreads(const RefusedThreads&) = delete;
    RefusedThreads& operator=(const RefusedThreads&) = delete;
};

TEST(WorkThreads, EveryPartRunsOnceWhenThreadsAreRefused)
{
    struct Case {
        unsigned parts;
        std::optional<unsigned> refused_from;
    };
    const Case cases[] = {{4, std::nullopt}, {4, 1}, {4, 2}, {4, 3}, {1, 1}, {8, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.parts) + " parts, refused from " +
                     (c.refused_from ? std::to_string(*c.refused_from) : "none"));
        RefusedThreads refuse(c.refused_from);
        std::vector<std::atomic<int>> runs(c.parts);
        std::vector<std::thread::id> ran_on(c.parts);
        run_threads(c.parts, [&](unsigned t) {
            ++runs[t];
            ran_on[t] = std::this_thread::get_id();
        });
        for (unsigned t = 0; t < c.parts; ++t) {
            EXPECT_EQ(runs[t].load(), 1) << "part " << t;
            const bool refused = t == 0 || (c.refused_from && t >= *c.refused_from);
            EXPECT_EQ(ran_on[t] == std::this_thread::get_id(), refused) << "part " << t;
        }
    }
}

TEST(WorkThreads, AnErrorOfAPartRunHereIsThrownOnceAllHaveEnded)
{
    RefusedThreads refuse(2);
    std::atomic<int> done{0};
    EXPECT_THROW(run_threads(4,
                             [&](unsigned t) {
                                 ++done;
                                 if (t == 2) throw std::runtime_error("part 2 failed");
                             }),
                 std::runtime_error);
    EXPECT_EQ(done.load(), 4);
}

class RefusedThreadLoad : public LoaderTest {
protected:
    // Every value of every variable, after the count dopen reports.
    std::vector<double> load_all(const std::string& path, unsigned threads, std::optional<unsigned> refused_from)
    {
        reset();
        hooks::reader_threads = threads;
        hooks::chunk_bytes = 64;
        hooks::largest_buffer = 4096;
        RefusedThreads refuse(refused_from);
        const Loaded r = load(1, path);
        std::vector<double> all{static_cast<double>(r.nstored), static_cast<double>(r.status)};
        for (int32_t v = 1; v <= r.nvar; ++v) {
            const std::vector<double> c = column(1, v);
            all.insert(all.end(), c.begin(), c.end());
        }
        return all;
    }
};

TEST_F(RefusedThreadLoad, LoadsAsOnOneThreadWhicheverThreadIsRefused)
{
    Rows rows;
    std::string text = "t,a,b\n";
    for (int i = 0; i < 2000; ++i) {
        rows.push_back({static_cast<double>(i), i * 0.5, -i * 3.0});
        text += std::to_string(i) + "," + std::to_string(i * 0.5) + "," + std::to_string(-i * 3) + "\n";
    }
    const std::string bin = dir.file("run.bin");
    const std::string csv = dir.file("run.csv");
    write_stream_a(bin, "run", {"t", "a", "b"}, rows);
    write_text(csv, text);
    for (const std::string& path : {bin, csv}) {
        const std::vector<double> one = load_all(path, 1, std::nullopt);
        ASSERT_EQ(one[0], 2000.0) << path;
        for (unsigned from : {1u, 2u, 3u}) {
            SCOPED_TRACE(path + ", threads refused from part " + std::to_string(from));
            EXPECT_EQ(load_all(path, 4, from), one);
        }
    }
}

}  // namespace
}  // namespace zan::testfiles
