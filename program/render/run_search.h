// Finding how far a kind of run of drawn samples goes: a galloping search
// over single samples that assumes the run, then a check of the found
// stretch against the library's extent of it, which never assumes.
#ifndef ZAN_RENDER_RUN_SEARCH_H
#define ZAN_RENDER_RUN_SEARCH_H

#include "render/sample_reader.h"

#include <algorithm>
#include <cstdint>

namespace zan::render {

// Last drawn sample after k for which pred holds, assuming it holds for a
// leading stretch of them; the stretch is checked by the caller.
template <class Pred>
int ReachWhile(const SampleReader& r, int k, Pred pred)
{
    const int top = r.count() - 1;
    int good = k;
    int64_t span = 1;
    int bad = top + 1;
    while (good < top) {
        const int j = static_cast<int>(std::min<int64_t>(top, k + span));
        if (!pred(j)) {
            bad = j;
            break;
        }
        good = j;
        span *= 2;
    }
    while (bad - good > 1) {
        const int mid = good + (bad - good) / 2;
        if (pred(mid)) good = mid;
        else bad = mid;
    }
    return good;
}

// The longest of e, then halves of the way to it, whose drawn samples after
// k pass the check on their extent; -1 when none of at least minRun does.
template <class Check>
int VerifiedRun(const SampleReader& r, int k, int e, int minRun, Check check, MappedRange* found = nullptr)
{
    for (; e - k >= minRun; e = k + (e - k) / 2) {
        const MappedRange range = r.range(k + 1, e);
        if (check(range)) {
            if (found) *found = range;
            return e;
        }
    }
    return -1;
}

// After a short run or a failed check a walk maps kExactChunk samples one
// by one before it tries again; when tries keep failing (samples that jump
// about, each in a pixel of its own) the chunks grow up to kMaxChunk.
inline constexpr int kExactChunk = 64;

class ChunkPacing {
public:
    // Walks drawn samples 0..count-1: take(k) maps sample k, skip(k, m) gives
    // the last sample of the run after k it passed over (k when none), and
    // oneByOne(k, e) maps samples k+1..e once tries keep failing.
    template <class Take, class Skip, class OneByOne>
    void walk(int count, Take take, Skip skip, OneByOne oneByOne)
    {
        for (int k = 0; k < count;) {
            const auto m = take(k);
            const int e = k + 1 < count ? skip(k, m) : k;
            if (e > k) {
                k = e + 1;
                continue;
            }
            if (++misses_ >= kMissesBeforeChunk && k + 1 < count) {
                const int end = std::min(count - 1, k + chunk_);
                oneByOne(k, end);
                chunk_ = std::min(2 * chunk_, kMaxChunk);
                misses_ = 0;
                k = end + 1;
                continue;
            }
            ++k;
        }
    }

    // A run ending at e was passed over: failures count from a short chunk again.
    int passed(int e)
    {
        chunk_ = kExactChunk;
        misses_ = 0;
        return e;
    }

private:
    static constexpr int kMaxChunk = 8192;
    static constexpr int kMissesBeforeChunk = 8;
    int chunk_ = kExactChunk;  // samples mapped one by one before the next try
    int misses_ = 0;           // tries in a row that passed over nothing
};

}  // namespace zan::render

#endif
