#include "render/drawn_extent.h"

#include <algorithm>

namespace zan::render {

namespace {

// The library keeps summaries per block of this many drawn samples; parts
// of runs are taken on those blocks' bounds so that their extents come from
// whole blocks.
constexpr int kBlock = 64;

// Visits the drawn samples a..b until done() holds, through parts aligned to
// the blocks: settled(range) tells whether a part whose drawn samples have
// that extent can be passed over; leaf(p, q) looks at drawn samples p..q one
// by one. Parts go in order.
template <class Settled, class Leaf, class Done>
void Refine(const SampleReader& r, int a, int b, Settled settled, Leaf leaf, Done done)
{
    if (a > b) return;
    struct Part {
        int64_t lo;  // a multiple of size
        int64_t size;
    };
    int64_t top = kBlock;
    while (top <= b) top *= 2;
    std::vector<Part> todo{{0, top}};
    while (!todo.empty() && !done()) {
        const Part part = todo.back();
        todo.pop_back();
        const int64_t hi = part.lo + part.size - 1;
        if (hi < a || part.lo > b) continue;
        const bool whole = part.lo >= a && hi <= b;
        if (whole && settled(r.range(static_cast<int>(part.lo), static_cast<int>(hi), true))) continue;
        if (part.size <= kBlock) {
            leaf(static_cast<int>(std::max<int64_t>(part.lo, a)), static_cast<int>(std::min<int64_t>(hi, b)));
            continue;
        }
        const int64_t half = part.size / 2;
        todo.push_back({part.lo + half, half});
        todo.push_back({part.lo, half});
    }
}

}  // namespace

RowSet::RowSet(int lo, int hi) : lo_(lo), hi_(std::max(hi, lo - 1))
{
    words_.assign(static_cast<size_t>(hi_ - lo_ + 1 + 63) / 64 + 1, 0);
}

void RowSet::clear()
{
    std::fill(words_.begin(), words_.end(), 0);
}

void RowSet::addRun(int a, int b)
{
    a = std::max(a, lo_);
    b = std::min(b, hi_);
    for (int y = a; y <= b; ++y) {
        if ((y - lo_) % 64 == 0 && b - y >= 63) {
            words_[Word(y)] = ~uint64_t{0};
            y += 63;
            continue;
        }
        words_[Word(y)] |= Bit(y);
    }
}

bool RowSet::covers(int a, int b) const
{
    a = std::max(a, lo_);
    b = std::min(b, hi_);
    for (int y = a; y <= b; ++y) {
        const size_t w = Word(y);
        // A whole word of rows at once where it lies inside a..b.
        if ((y - lo_) % 64 == 0 && b - y >= 63) {
            if (words_[w] != ~uint64_t{0}) return false;
            y += 63;
            continue;
        }
        if ((words_[w] & Bit(y)) == 0) return false;
    }
    return true;
}

void AddHitRows(const SampleReader& r, int a, int b, const MappedRange& whole, RowSet& rows)
{
    // A run whose neighbours lie at most a row apart hits every row between
    // its extremes; elsewhere the extremes of its parts are rows hit.
    auto settled = [&](const MappedRange& range) {
        if (range.ycont == 1) {
            rows.addRun(range.ylo, range.yhi);
            return true;
        }
        rows.add(range.ylo);
        rows.add(range.yhi);
        return rows.covers(range.ylo, range.yhi);
    };
    if (a > b || settled(whole)) return;
    Refine(r, a, b, settled, [&](int p, int q) {
        r.each(p, q, 0, [&](int, const Mapped& m) { rows.add(m.y); });
    }, [&] { return rows.covers(whole.ylo, whole.yhi); });
}

}  // namespace zan::render
