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

// Just below one half: adding it with the sign of a value and cutting off the
// fraction rounds halves away from zero, exactly for |c| < 2^52 (a value just
// below a half stays below one, a half reaches one).
inline constexpr double kJustBelowHalf = 0.49999999999999994;

// Clips p to +-32767 and rounds it to the nearest integer, halves away from
// zero; a position that is not a number gives 0. Sets clipped to 1 when the
// position was clipped or undefined, else to 0. The batch mapping repeats
// these steps on several points at once and must stay in step with them.
inline int32_t device_coordinate(double p, int32_t& clipped)
{
    const double a = std::fabs(p);
    // A not-a-number is neither within the limit nor beyond it.
    const bool within = a <= kDeviceLimit;
    const double c = within ? p : a > kDeviceLimit ? std::copysign(kDeviceLimit, p) : 0.0;
    clipped = within ? 0 : 1;
    // c has the sign of p, or is 0 where p is not a number, and there the
    // sign of the half does not matter: both round to 0.
    return static_cast<int32_t>(c + std::copysign(kJustBelowHalf, p));
}

}  // namespace zan

#endif
