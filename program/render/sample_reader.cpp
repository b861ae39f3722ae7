#include "render/sample_reader.h"

#include <zan.h>

#include <algorithm>

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

MappedRange SampleReader::range(int a, int b) const
{
    ++ThreadWalkCost().ranges;
    int32_t f = file_, first = sample(a), last = sample(b);
    MappedRange r;
    mrang(&f, &first, &last, &r.xlo, &r.xhi, &r.ylo, &r.yhi, &r.xin, &r.yin);
    return r;
}

MappedRange SampleReader::rangeAfter(int a, int b) const
{
    ++ThreadWalkCost().ranges;
    int32_t f = file_, first = sample(a) + 1, last = sample(b);
    MappedRange r;
    mrang(&f, &first, &last, &r.xlo, &r.xhi, &r.ylo, &r.yhi, &r.xin, &r.yin);
    return r;
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
