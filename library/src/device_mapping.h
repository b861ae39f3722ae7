// Conversion of a displayed value to a 16-bit device coordinate, shared by the
// single-sample and the batch mapping so both give the same answer bit for bit.
#ifndef ZAN_DEVICE_MAPPING_H
#define ZAN_DEVICE_MAPPING_H

#include "value_access.h"

#include <cmath>
#include <cstdint>

namespace zan {

inline constexpr double kDeviceLimit = 32767.0;

// One axis of the drawing transform, ready for the mapping.
struct AxisMap {
    Scaling sc;
    double origin;
    double scale;
    double offset;
};

inline double device_position(double raw, const AxisMap& m)
{
    return (displayed(raw, m.sc) - m.origin) * m.scale + m.offset;
}

// Clips p to +-32767 and rounds it to the nearest integer, halves away from
// zero. A position that is not a number gives 0. Both clipping and an
// undefined position report the point as not inside. Written without
// branches or library rounding so that a loop over many points vectorises;
// the split into whole part and remainder is exact for |p| <= 32767.
inline int32_t device_coordinate(double p, bool& clipped)
{
    const bool above = p > kDeviceLimit;
    const bool below = p < -kDeviceLimit;
    const bool undefined = std::isnan(p);
    clipped = above || below || undefined;
    const double c = above ? kDeviceLimit : below ? -kDeviceLimit : undefined ? 0.0 : p;
    const auto whole = static_cast<int32_t>(c);
    const double rest = c - static_cast<double>(whole);
    return whole + (rest >= 0.5 ? 1 : 0) - (rest <= -0.5 ? 1 : 0);
}

}  // namespace zan

#endif
