// The batch mapping works on several samples at a time with the compiler's
// vector types, which GCC and Clang turn into the machine's vector
// instructions; every step is the one device_coordinate takes for a single
// point, so both give identical answers. On x86-64 processors with AVX2 a
// copy built for four lanes is chosen at run time; elsewhere two lanes, which
// every x86-64 processor has. (Eight lanes with AVX-512 came out slower: the
// compiler splits the comparisons of such vectors into single values.)
#include "batch_mapping.h"

#include "device_mapping.h"

#include <cstdint>
#include <cstring>
#include <utility>

// The vector helpers below are internal to this file, so how vectors wider
// than the baseline registers would be passed between libraries is no concern.
// Every helper is always inlined, also in unoptimised builds: a helper called
// out of line from the AVX2 copy would pass its vectors by the baseline
// convention while the caller expects the AVX2 one.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace zan {

namespace {

using Lanes2 = double __attribute__((vector_size(2 * sizeof(double))));
using Masks2 = int64_t __attribute__((vector_size(2 * sizeof(int64_t))));
using Ints2 = int32_t __attribute__((vector_size(2 * sizeof(int32_t))));
using Lanes4 = double __attribute__((vector_size(4 * sizeof(double))));
using Masks4 = int64_t __attribute__((vector_size(4 * sizeof(int64_t))));
using Ints4 = int32_t __attribute__((vector_size(4 * sizeof(int32_t))));
using Ints8 = int32_t __attribute__((vector_size(8 * sizeof(int32_t))));

// W lanes of doubles, of 64-bit masks as comparisons give them, of 32-bit
// integers, and 2W lanes of 32-bit integers, the halves of the masks.
template <int W, typename Lanes, typename Masks, typename Ints, typename Halves>
struct Vec {

    struct LaneMap {
        Lanes factor, shift, origin, scale, offset;
    };

    [[gnu::always_inline]] static Lanes splat(double d)
    {
        Lanes v;
        for (int i = 0; i < W; ++i) v[i] = d;
        return v;
    }

    // Reinterprets the bits of one vector as another of the same size.
    template <typename To, typename From>
    [[gnu::always_inline]] static To as(From v)
    {
        return (To)v;
    }

    [[gnu::always_inline]] static Masks sign_bits()
    {
        Masks v;
        for (int i = 0; i < W; ++i) v[i] = INT64_MIN;
        return v;
    }

    // Narrows masks of all bits set or clear to 32 bits by taking the low
    // half of each lane: one permutation instead of the chain of shuffles
    // the compiler makes of a conversion.
    template <std::size_t... I>
    [[gnu::always_inline]] static Ints narrow(Masks m, std::index_sequence<I...>)
    {
        const Halves h = as<Halves>(m);
        return __builtin_shufflevector(h, h, (2 * I)...);
    }

    [[gnu::always_inline]] static LaneMap lanes_of(const AxisMap& m)
    {
        return {splat(m.sc.factor), splat(m.sc.shift), splat(m.origin), splat(m.scale), splat(m.offset)};
    }

    // Coordinates of W points, and all bits set in within where a point was
    // neither clipped nor undefined. The masks of both axes are combined
    // before they are narrowed to 32 bits, which saves one narrowing.
    [[gnu::always_inline]] static Ints coordinates(const double* raw_at, const LaneMap& m, Masks& within)
    {
        Lanes raw;
        std::memcpy(&raw, raw_at, sizeof raw);
        const Lanes p = ((raw * m.factor + m.shift) - m.origin) * m.scale + m.offset;
        const Masks bits = as<Masks>(p);
        const Masks sign = bits & sign_bits();
        const Lanes a = as<Lanes>(bits & ~sign_bits());
        within = a <= splat(kDeviceLimit);
        const Masks beyond = a > splat(kDeviceLimit);
        const Masks limit = sign | as<Masks>(splat(kDeviceLimit));
        const Lanes c = as<Lanes>((within & bits) | (beyond & limit));
        const Lanes half = as<Lanes>(sign | as<Masks>(splat(kJustBelowHalf)));
        return __builtin_convertvector(c + half, Ints);
    }

    [[gnu::always_inline]] static void run(const double* xs, const double* ys, int32_t n, const AxisMap& mx,
                                           const AxisMap& my, int32_t* x, int32_t* y, int32_t* inside)
    {
        const LaneMap lx = lanes_of(mx);
        const LaneMap ly = lanes_of(my);
        int32_t k = 0;
        for (; k + W <= n; k += W) {
            Masks within_x;
            Masks within_y;
            const Ints cx = coordinates(xs + k, lx, within_x);
            const Ints cy = coordinates(ys + k, ly, within_y);
            Ints in;
            std::memcpy(&in, inside + k, sizeof in);
            in &= narrow(within_x & within_y, std::make_index_sequence<W>{});
            std::memcpy(x + k, &cx, sizeof cx);
            std::memcpy(y + k, &cy, sizeof cy);
            std::memcpy(inside + k, &in, sizeof in);
        }
        for (; k < n; ++k) {
            int32_t xclipped = 0;
            int32_t yclipped = 0;
            x[k] = device_coordinate(device_position(xs[k], mx), xclipped);
            y[k] = device_coordinate(device_position(ys[k], my), yclipped);
            if (xclipped | yclipped) inside[k] = 0;
        }
    }
};

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define ZAN_WIDE_LANES 1
// No fused multiply-add here: it would round differently from the single-point path.
[[gnu::target("avx2")]] void map_run_four(const double* xs, const double* ys, int32_t n, const AxisMap& mx,
                                          const AxisMap& my, int32_t* x, int32_t* y, int32_t* inside)
{
    Vec<4, Lanes4, Masks4, Ints4, Ints8>::run(xs, ys, n, mx, my, x, y, inside);
}

#endif

}  // namespace

void map_run_two_lanes(const double* xs, const double* ys, int32_t n, const AxisMap& mx, const AxisMap& my,
                       int32_t* x, int32_t* y, int32_t* inside)
{
    Vec<2, Lanes2, Masks2, Ints2, Ints4>::run(xs, ys, n, mx, my, x, y, inside);
}

RunMapping map_run_with_lanes(int lanes)
{
    switch (lanes) {
    case 2:
        return map_run_two_lanes;
#ifdef ZAN_WIDE_LANES
    case 4:
        return __builtin_cpu_supports("avx2") ? map_run_four : nullptr;
#endif
    default:
        return nullptr;
    }
}

void map_run(const double* xs, const double* ys, int32_t n, const AxisMap& mx, const AxisMap& my,
             int32_t* x, int32_t* y, int32_t* inside)
{
    static const RunMapping widest = [] {
        const RunMapping four = map_run_with_lanes(4);
        return four ? four : RunMapping{map_run_two_lanes};
    }();
    widest(xs, ys, n, mx, my, x, y, inside);
}

}  // namespace zan
