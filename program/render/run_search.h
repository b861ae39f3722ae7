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

}  // namespace zan::render

#endif
