#include "load_control.h"

#include "zan.h"

#include <algorithm>
#include <atomic>

namespace zan::load_control {

namespace {

std::atomic<bool> running{false};
std::atomic<bool> stop{false};
std::atomic<uint64_t> done{0};
std::atomic<uint64_t> total{0};
std::atomic<uint64_t> weight{1};       // what a byte read is worth now
std::atomic<uint64_t> file_bytes{0};

// Shares of a two-pass load: counting, then reading.
constexpr uint64_t kCountShare = 1;
constexpr uint64_t kReadShare = 7;

}  // namespace

void begin()
{
    done.store(0, std::memory_order_relaxed);
    total.store(0, std::memory_order_relaxed);
    weight.store(1, std::memory_order_relaxed);
    stop.store(false);
    running.store(true);
}

void set_file(uint64_t bytes, bool two_passes)
{
    file_bytes.store(bytes, std::memory_order_relaxed);
    total.store(two_passes ? bytes * (kCountShare + kReadShare) : bytes, std::memory_order_relaxed);
    weight.store(two_passes ? kCountShare : 1, std::memory_order_relaxed);
}

void second_pass()
{
    done.store(file_bytes.load(std::memory_order_relaxed) * kCountShare, std::memory_order_relaxed);
    weight.store(kReadShare, std::memory_order_relaxed);
}

void add_progress(uint64_t bytes)
{
    done.fetch_add(bytes * weight.load(std::memory_order_relaxed), std::memory_order_relaxed);
}

void end()
{
    running.store(false);
    stop.store(false);
}

int32_t percent()
{
    if (!running.load()) return 0;
    const uint64_t t = total.load(std::memory_order_relaxed);
    const uint64_t d = done.load(std::memory_order_relaxed);
    if (t == 0) return 0;
    return static_cast<int32_t>(std::min<uint64_t>(100, d / (t / 100 + 1)));
}

bool request_stop()
{
    if (!running.load()) return false;
    stop.store(true);
    return true;
}

bool stop_requested()
{
    return stop.load(std::memory_order_relaxed);
}

}  // namespace zan::load_control

extern "C" ZAN_EXPORT void dprog(int32_t* percent)
{
    *percent = zan::load_control::percent();
}

extern "C" ZAN_EXPORT void dstop(int32_t* result)
{
    *result = zan::load_control::request_stop() ? 1 : 0;
}
