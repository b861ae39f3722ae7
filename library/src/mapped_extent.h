// What the mapped-range queries share: the raw extremes of a run of stored
// samples from the block extremes, and the device answer for one axis.
#ifndef ZAN_MAPPED_EXTENT_H
#define ZAN_MAPPED_EXTENT_H

#include "device_mapping.h"
#include "store.h"

#include <cstdint>
#include <limits>

namespace zan {

inline constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct RawExtremes {
    double lo;
    double hi;
    bool undefined = false;  // a value that is not a number was met
};

// Raw extremes of samples first..last (1-based) of variable var: whole
// groups and blocks from the summary when it is current, the partial blocks
// at the ends from the samples themselves.
RawExtremes raw_extremes(const FileSlot& slot, int32_t var, int32_t first, int32_t last);

// Least and greatest coordinate of a run on one axis, and 1 when all lie
// inside the device range, -1 when all lie beyond the same limit, else 0.
struct AxisAnswer {
    int32_t lo = 0;
    int32_t hi = 0;
    int32_t in = 0;
};

// Where one mapped position lies against the device limits.
enum Side { kWithin = 1, kBelow = 2, kAbove = 4, kUndefined = 8 };
int side_of(double p);
// The in flag of a run whose positions met the sides given.
int32_t in_of(int sides);

AxisMap axis_map(int32_t file, int32_t var, double origin, double scale, int32_t offset);

}  // namespace zan

#endif
