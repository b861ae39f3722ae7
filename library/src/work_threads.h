// Running one piece of work on several threads of the standard library.
#ifndef ZAN_WORK_THREADS_H
#define ZAN_WORK_THREADS_H

#include <cstdint>
#include <exception>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace zan {

// Threads a reader may use: the processor count, at least 1, at most 16.
unsigned reader_thread_count();

// Bytes of a file that one thread takes at a time, for a file of `size`
// bytes: large enough that a piece costs much more than starting it, small
// enough that the pieces spread evenly over the threads.
uint64_t chunk_size(uint64_t size);

namespace hooks {
// When set, the start of the thread for part t of run_threads fails as the
// system may refuse a thread, for the part of that number and every later one.
extern std::optional<unsigned> failed_thread_start;
}  // namespace hooks

// Calls work(t) for t = 0..n-1, each on a thread of its own (t = 0 on the
// calling thread), and returns when all are done. An exception thrown by
// any of them is thrown again here once all have ended. When the system
// refuses a thread, its part and those of the threads not yet started run on
// the calling thread after part 0, so that every part still runs once.
template <class Work>
void run_threads(unsigned n, Work work)
{
    std::vector<std::exception_ptr> errors(n);
    auto guarded = [&](unsigned t) {
        try {
            work(t);
        } catch (...) {
            errors[t] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(n);
    unsigned started = 1;
    for (; started < n; ++started) {
        try {
            if (hooks::failed_thread_start && started >= *hooks::failed_thread_start)
                throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            threads.emplace_back(guarded, started);
        } catch (const std::exception&) {
            // Leaving now would end the process: the threads already
            // started must be joined first.
            break;
        }
    }
    guarded(0);
    for (unsigned t = started; t < n; ++t) guarded(t);
    for (std::thread& th : threads) th.join();
    for (const std::exception_ptr& e : errors)
        if (e) std::rethrow_exception(e);
}

}  // namespace zan

#endif
