#include "render/drawn_extent.h"

#include <algorithm>

namespace zan::render {

namespace {

// Runs of at most this many drawn samples are mapped rather than split.
constexpr int kLeafAtRateOne = 64;
constexpr int kLeaf = 16;

// Splits a..b (drawn samples) in two, at the start of a block of the
// library's extremes where the draw rate is 1, so that the halves are
// answered from whole blocks.
int SplitPoint(const SampleReader& r, int a, int b)
{
    const int mid = a + (b - a) / 2;
    if (r.step() != 1) return mid;
    const int aligned = (mid + 32) / 64 * 64;
    return aligned > a && aligned <= b ? aligned : mid + 1;
}

// Visits the drawn samples a..b until done() holds: settled(range) tells
// whether a part whose stored samples have that extent can be passed over;
// leaf(p, q) looks at drawn samples p..q one by one. Parts go in order.
template <class Settled, class Leaf, class Done>
void Refine(const SampleReader& r, int a, int b, Settled settled, Leaf leaf, Done done)
{
    if (a > b) return;
    const int leafSize = r.step() == 1 ? kLeafAtRateOne : kLeaf;
    struct Part {
        int a, b;
    };
    std::vector<Part> todo{{a, b}};
    while (!todo.empty() && !done()) {
        const Part p = todo.back();
        todo.pop_back();
        if (p.b - p.a + 1 <= leafSize) {
            leaf(p.a, p.b);
            continue;
        }
        if (settled(r.range(p.a, p.b))) continue;
        const int m = SplitPoint(r, p.a, p.b);
        todo.push_back({m, p.b});
        todo.push_back({p.a, m - 1});
    }
}

}  // namespace

Extremes DrawnExtremesY(const SampleReader& r, int a, int b, Extremes known, int32_t stopLo, int32_t stopHi)
{
    Extremes w{std::min(known.lo, known.hi), std::max(known.lo, known.hi)};
    auto settled = [&](const MappedRange& range) {
        return (range.ylo >= w.lo || w.lo <= stopLo) && (range.yhi <= w.hi || w.hi >= stopHi);
    };
    Refine(r, a + 1, b - 1, settled, [&](int p, int q) {
        r.each(p, q, 0, [&](int, const Mapped& m) {
            w.lo = std::min(w.lo, m.y);
            w.hi = std::max(w.hi, m.y);
        });
    }, [] { return false; });
    return w;
}

RowSet::RowSet(int lo, int hi) : lo_(lo), hi_(std::max(hi, lo - 1))
{
    words_.assign(static_cast<size_t>(hi_ - lo_ + 1 + 63) / 64 + 1, 0);
}

void RowSet::clear()
{
    std::fill(words_.begin(), words_.end(), 0);
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
    if (a > b || rows.covers(whole.ylo, whole.yhi)) return;
    // At draw rate 1 every sample is drawn, so the extremes of a part are
    // rows that some drawn sample hits.
    const bool exact = r.step() == 1;
    auto settled = [&](const MappedRange& range) {
        if (exact) {
            rows.add(range.ylo);
            rows.add(range.yhi);
        }
        return rows.covers(range.ylo, range.yhi);
    };
    if (exact) {
        rows.add(whole.ylo);
        rows.add(whole.yhi);
    }
    Refine(r, a, b, settled, [&](int p, int q) {
        r.each(p, q, 0, [&](int, const Mapped& m) { rows.add(m.y); });
    }, [&] { return rows.covers(whole.ylo, whole.yhi); });
}

}  // namespace zan::render
