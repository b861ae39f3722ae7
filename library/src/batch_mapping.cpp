// The batch mapping works on four samples at a time with the compiler's
// vector types, which GCC and Clang turn into the machine's vector
// instructions; every step is the one device_coordinate takes for a single
// point, so both give identical answers.
#include "batch_mapping.h"

#include "device_mapping.h"

#include <bit>
#include <cstdint>
#include <cstring>

// The vector helpers below are internal to this file, so how vectors wider
// than the baseline registers would be passed between libraries is no concern.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace zan {

namespace {

constexpr int32_t kWidth = 4;
using Lanes = double __attribute__((vector_size(kWidth * sizeof(double))));
using Masks = int64_t __attribute__((vector_size(kWidth * sizeof(int64_t))));
using Ints = int32_t __attribute__((vector_size(kWidth * sizeof(int32_t))));

constexpr int64_t kSignBit = INT64_MIN;

template <typename V, typename T>
V load(const T* p)
{
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename V, typename T>
void store(T* p, V v)
{
    std::memcpy(p, &v, sizeof v);
}

Lanes splat(double d) { return Lanes{d, d, d, d}; }
Masks splat_bits(int64_t b) { return Masks{b, b, b, b}; }

Lanes magnitude(Lanes v) { return std::bit_cast<Lanes>(std::bit_cast<Masks>(v) & ~splat_bits(kSignBit)); }

// The magnitude of m with the sign of s, lane by lane.
Lanes with_sign_of(Lanes m, Lanes s)
{
    return std::bit_cast<Lanes>((std::bit_cast<Masks>(m) & ~splat_bits(kSignBit)) |
                                (std::bit_cast<Masks>(s) & splat_bits(kSignBit)));
}

struct LaneMap {
    Lanes factor, shift, origin, scale, offset;
};

LaneMap lanes_of(const AxisMap& m)
{
    return {splat(m.sc.factor), splat(m.sc.shift), splat(m.origin), splat(m.scale), splat(m.offset)};
}

// Coordinates of four points, and all bits set in keep where a point was
// neither clipped nor undefined.
Ints coordinates(Lanes raw, const LaneMap& m, Ints& keep)
{
    const Lanes p = ((raw * m.factor + m.shift) - m.origin) * m.scale + m.offset;
    const Lanes a = magnitude(p);
    const Masks within = a <= splat(kDeviceLimit);
    const Masks beyond = a > splat(kDeviceLimit);
    const Lanes limit = with_sign_of(splat(kDeviceLimit), p);
    const Lanes c = std::bit_cast<Lanes>((within & std::bit_cast<Masks>(p)) | (beyond & std::bit_cast<Masks>(limit)));
    keep = __builtin_convertvector(within, Ints);
    return __builtin_convertvector(c + with_sign_of(splat(kJustBelowHalf), c), Ints);
}

}  // namespace

void map_run(const double* xs, const double* ys, int32_t n, const AxisMap& mx, const AxisMap& my,
             int32_t* x, int32_t* y, int32_t* inside)
{
    const LaneMap lx = lanes_of(mx);
    const LaneMap ly = lanes_of(my);
    int32_t k = 0;
    for (; k + kWidth <= n; k += kWidth) {
        Ints keep_x;
        Ints keep_y;
        store(x + k, coordinates(load<Lanes>(xs + k), lx, keep_x));
        store(y + k, coordinates(load<Lanes>(ys + k), ly, keep_y));
        store(inside + k, load<Ints>(inside + k) & keep_x & keep_y);
    }
    for (; k < n; ++k) {
        int32_t xclipped = 0;
        int32_t yclipped = 0;
        x[k] = device_coordinate(device_position(xs[k], mx), xclipped);
        y[k] = device_coordinate(device_position(ys[k], my), yclipped);
        if (xclipped | yclipped) inside[k] = 0;
    }
}

}  // namespace zan
