// Conversions of reals to integers as the layout arithmetic needs them.
#ifndef ZAN_RENDER_ROUNDING_H
#define ZAN_RENDER_ROUNDING_H

#include <cmath>
#include <cstdint>
#include <limits>

namespace zan::render {

// Nearest integer, halves to even; out-of-range values and NaN saturate
// (NaN to 0) instead of failing.
inline int CLng(double x)
{
    if (std::isnan(x)) return 0;
    const double r = std::nearbyint(x);
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    return static_cast<int>(r);
}

// Largest integer not above x, saturating like CLng.
inline int Int(double x)
{
    return CLng(std::floor(x));
}

}  // namespace zan::render

#endif
