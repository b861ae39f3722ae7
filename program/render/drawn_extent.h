// Every row the drawn samples of a run in one pixel column hit. The extremes
// of any part of the run are rows hit, and so is every row between them
// where neighbours lie at most a row apart; where that leaves rows open,
// smaller parts are looked at, down to single samples.
#ifndef ZAN_RENDER_DRAWN_EXTENT_H
#define ZAN_RENDER_DRAWN_EXTENT_H

#include "render/sample_reader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zan::render {

// A set of rows lo..hi.
class RowSet {
public:
    RowSet(int lo, int hi);
    int lo() const { return lo_; }
    int hi() const { return hi_; }
    void clear();
    void add(int y)
    {
        if (y >= lo_ && y <= hi_) words_[Word(y)] |= Bit(y);
    }
    void addRun(int a, int b);
    bool has(int y) const { return y >= lo_ && y <= hi_ && (words_[Word(y)] & Bit(y)) != 0; }
    // Whether every row of a..b (cut to lo..hi) is in the set.
    bool covers(int a, int b) const;
    // Calls f(first, last) for each maximal run of rows in the set.
    template <class F>
    void runs(F f) const;

private:
    size_t Word(int y) const { return static_cast<size_t>(y - lo_) >> 6; }
    uint64_t Bit(int y) const { return uint64_t{1} << (static_cast<unsigned>(y - lo_) & 63u); }

    int lo_;
    int hi_;
    std::vector<uint64_t> words_;
};

// Adds to rows the y of every drawn sample of a..b (all inside the device
// range and in one column) that lies within the set's rows. whole: the
// extent of a..b.
void AddHitRows(const SampleReader& r, int a, int b, const MappedRange& whole, RowSet& rows);

template <class F>
void RowSet::runs(F f) const
{
    int y = lo_;
    while (y <= hi_) {
        if (!has(y)) {
            ++y;
            continue;
        }
        const int first = y;
        while (y <= hi_ && has(y)) ++y;
        f(first, y - 1);
    }
}

}  // namespace zan::render

#endif
