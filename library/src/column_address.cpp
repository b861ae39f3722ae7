// Where a variable's stored samples lie, for callers that would rather read
// a whole column in place than copy it (a script showing a run's variables
// as arrays), and whether reading it in place gives what ddata gives.
#include "store.h"
#include "value_access.h"
#include "work_threads.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>

namespace {

// Below this many values a second thread costs more than it saves.
constexpr int64_t kValuesPerThread = int64_t{1} << 20;
// Values compared between two looks at whether another thread found a difference.
constexpr int64_t kRunLength = 4096;

// True when displayed() leaves every one of the n values bit for bit as it
// is: not so for -0.0 under factor 1 and shift +0.0, which gives +0.0. The
// values are compared with the very arithmetic ddata uses, so the answer
// holds whatever the pair and the values are.
bool unchanged(const double* raw, int64_t n, zan::Scaling sc, const std::atomic<bool>& differs)
{
    for (int64_t a = 0; a < n; a += kRunLength) {
        if (differs.load(std::memory_order_relaxed)) return false;
        const int64_t b = std::min(n, a + kRunLength);
        uint64_t diff = 0;
        for (int64_t k = a; k < b; ++k)
            diff |= std::bit_cast<uint64_t>(zan::displayed(raw[k], sc)) ^ std::bit_cast<uint64_t>(raw[k]);
        if (diff != 0) return false;
    }
    return true;
}

bool column_unchanged(const double* raw, int64_t n, zan::Scaling sc)
{
    std::atomic<bool> differs{false};
    const auto threads =
        static_cast<unsigned>(std::clamp<int64_t>(n / kValuesPerThread, 1, zan::reader_thread_count()));
    try {
        zan::run_threads(threads, [&](unsigned t) {
            const int64_t a = n * t / threads;
            const int64_t b = n * (t + 1) / threads;
            if (!unchanged(raw + a, b - a, sc, differs)) differs.store(true, std::memory_order_relaxed);
        });
    } catch (...) {
        // No memory to set the threads up: the calling thread looks alone.
        if (!unchanged(raw, n, sc, differs)) differs.store(true);
    }
    return !differs.load();
}

}  // namespace

extern "C" {

ZAN_EXPORT void pdata(int32_t* file, int32_t* var, const double** samples, int32_t* count, int32_t* exact)
{
    *samples = nullptr;
    *count = 0;
    *exact = 0;
    const zan::FileSlot* slot = zan::loaded_slot(*file);
    const double* column = zan::stored_column(slot, *var);
    if (!column) return;
    *samples = column;
    *count = zan::readable_count(*slot);
    *exact = column_unchanged(column, *count, zan::scaling_of(*file, *var)) ? 1 : 0;
}
}
