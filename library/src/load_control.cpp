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

}  // namespace

void begin()
{
    done.store(0, std::memory_order_relaxed);
    total.store(0, std::memory_order_relaxed);
    stop.store(false);
    running.store(true);
}

void set_total(uint64_t bytes)
{
    total.store(bytes, std::memory_order_relaxed);
}

void add_progress(uint64_t bytes)
{
    done.fetch_add(bytes, std::memory_order_relaxed);
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
