// Running one piece of work on several threads of the standard library.
#ifndef ZAN_WORK_THREADS_H
#define ZAN_WORK_THREADS_H

#include <cstdint>
#include <exception>
#include <thread>
#include <vector>

namespace zan {

// Threads a reader may use: the processor count, at least 1, at most 16.
unsigned reader_thread_count();

// Bytes of a file that one thread takes at a time, for a file of `size`
// bytes: large enough that a piece costs much more than starting it, small
// enough that the pieces spread evenly over the threads.
uint64_t chunk_size(uint64_t size);

// Calls work(t) for t = 0..n-1, each on a thread of its own (t = 0 on the
// calling thread), and returns when all are done. An exception thrown by
// any of them is thrown again here once all have ended.
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
    for (unsigned t = 1; t < n; ++t) threads.emplace_back(guarded, t);
    guarded(0);
    for (std::thread& th : threads) th.join();
    for (const std::exception_ptr& e : errors)
        if (e) std::rethrow_exception(e);
}

}  // namespace zan

#endif
