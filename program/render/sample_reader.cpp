#include "render/sample_reader.h"

#include <zan.h>

#include <algorithm>
#include <cstdlib>

namespace zan::render {

WalkCost& ThreadWalkCost()
{
    thread_local WalkCost cost;
    return cost;
}

SampleReader::SampleReader(int file, int n, int step) : file_(file), n_(n), step_(std::max(step, 1))
{
    regular_ = n < 1 ? 0 : (n - 1) / step_ + 1;
    count_ = regular_ + (regular_ > 0 && (regular_ - 1) * step_ + 1 < n ? 1 : 0);
}

Mapped SampleReader::map(int k, int32_t staleY) const
{
    ++ThreadWalkCost().mapped;
    int32_t f = file_;
    int32_t s = sample(k);
    Mapped m;
    int32_t inside = 1;
    idata(&f, &s, &m.x, &inside);
    m.xIn = inside == 1;
    m.y = staleY;
    if (m.xIn) jdata(&f, &s, &m.y, &inside);
    m.ok = inside == 1;
    return m;
}

int32_t SampleReader::xAt(int k, bool* in) const
{
    ++ThreadWalkCost().mapped;
    int32_t f = file_, s = sample(k), x = 0, inside = 1;
    idata(&f, &s, &x, &inside);
    if (in) *in = inside == 1;
    return x;
}

int32_t SampleReader::yAt(int k, bool* in) const
{
    ++ThreadWalkCost().mapped;
    int32_t f = file_, s = sample(k), y = 0, inside = 1;
    jdata(&f, &s, &y, &inside);
    if (in) *in = inside == 1;
    return y;
}

namespace {

constexpr int32_t kLimit = 32767;

// Where one coordinate lies: inside (1), at a limit (-1 above, -2 below),
// or undefined (0).
int SideOf(int32_t c, bool in)
{
    if (in) return 1;
    return c == kLimit ? -1 : c == -kLimit ? -2 : 0;
}

void Widen(int32_t c, bool in, int32_t prev, int32_t& lo, int32_t& hi, int32_t& inFlag, int32_t& cont)
{
    const int side = SideOf(c, in);
    const int was = inFlag == 1 ? 1 : inFlag == -1 ? (hi == kLimit ? -1 : -2) : 0;
    inFlag = side == 1 && was == 1 ? 1 : (side < 0 && side == was) ? -1 : 0;
    lo = std::min(lo, c);
    hi = std::max(hi, c);
    cont = cont == 1 && in && std::abs(c - prev) <= 1 ? 1 : 0;
}

}  // namespace

MappedRange SampleReader::range(int a, int b, bool continuity) const
{
    MappedRange r;
    const int last = std::min(b, regular_ - 1);
    if (a <= last) {
        ++ThreadWalkCost().ranges;
        int32_t f = file_, first = sample(a), end = sample(last), s = step_;
        mrngs(&f, &first, &end, &s, &r.xlo, &r.xhi, &r.ylo, &r.yhi, &r.xin, &r.yin, continuity ? &r.xcont : nullptr,
              continuity ? &r.ycont : nullptr);
    }
    if (b < regular_) return r;
    // The last sample, off the step's grid.
    int32_t f = file_, s = n_, x = 0, y = 0, xIn = 1, yIn = 1;
    idata(&f, &s, &x, &xIn);
    jdata(&f, &s, &y, &yIn);
    ++ThreadWalkCost().mapped;
    if (a > last) {
        r = MappedRange{x, x, y, y, SideOf(x, xIn == 1) == 1 ? 1 : SideOf(x, xIn == 1) < 0 ? -1 : 0,
                        SideOf(y, yIn == 1) == 1 ? 1 : SideOf(y, yIn == 1) < 0 ? -1 : 0, xIn == 1 ? 1 : 0,
                        yIn == 1 ? 1 : 0};
        return r;
    }
    int32_t px = 0, py = 0, pin = 1;
    s = sample(last);
    idata(&f, &s, &px, &pin);
    jdata(&f, &s, &py, &pin);
    Widen(x, xIn == 1, px, r.xlo, r.xhi, r.xin, r.xcont);
    Widen(y, yIn == 1, py, r.ylo, r.yhi, r.yin, r.ycont);
    return r;
}

int SampleReader::firstOutside(int a, int b, const Rect& box, Rows* rows) const
{
    Rows passed;
    const int last = std::min(b, regular_ - 1);
    if (a <= last) {
        ++ThreadWalkCost().ranges;
        int32_t f = file_, first = sample(a), end = sample(last), s = step_, found = 0;
        int32_t xlo = box.left, xhi = box.right, ylo = box.top, yhi = box.bottom;
        mexit(&f, &first, &end, &s, &xlo, &xhi, &ylo, &yhi, &found, &passed.lo, &passed.hi);
        if (found > 0) {
            if (rows) *rows = passed;
            return (found - 1) / step_;
        }
    }
    int out = -1;
    if (b >= regular_) {
        // The last sample, off the step's grid.
        const Mapped m = map(count_ - 1, 0);
        if (m.ok && m.x >= box.left && m.x <= box.right && m.y >= box.top && m.y <= box.bottom) {
            passed.lo = passed.lo > passed.hi ? m.y : std::min(passed.lo, m.y);
            passed.hi = std::max(passed.hi, m.y);
        } else {
            out = count_ - 1;
        }
    }
    if (rows) *rows = passed;
    return out;
}

void SampleReader::batch(int first, int cnt, int32_t* xs, int32_t* ys, int32_t* ins) const
{
    ThreadWalkCost().mapped += cnt;
    int32_t f = file_;
    int32_t s = sample(first);
    int32_t c = cnt;
    std::fill(ins, ins + cnt, 1);
    mdata(&f, &s, &c, xs, ys, ins);
}

}  // namespace zan::render
