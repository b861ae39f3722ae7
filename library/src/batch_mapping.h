// Mapping of a run of samples of the X and Y variables to device coordinates.
#ifndef ZAN_BATCH_MAPPING_H
#define ZAN_BATCH_MAPPING_H

#include "device_mapping.h"

#include <cstdint>

namespace zan {

// For k = 0..n-1: x[k] and y[k] as device_coordinate gives them for xs[k]
// and ys[k], and inside[k] cleared when either was clipped. The arrays must
// not overlap.
void map_run(const double* xs, const double* ys, int32_t n, const AxisMap& mx, const AxisMap& my,
             int32_t* x, int32_t* y, int32_t* inside);

using RunMapping = void (*)(const double* xs, const double* ys, int32_t n, const AxisMap& mx, const AxisMap& my,
                           int32_t* x, int32_t* y, int32_t* inside);

// The copy of map_run that works on the given number of samples at a time
// (2 or 4), or nullptr when this processor cannot run it; map_run takes
// the widest available.
RunMapping map_run_with_lanes(int lanes);

// The same on two samples at a time, the width every x86-64 processor has.
void map_run_two_lanes(const double* xs, const double* ys, int32_t n, const AxisMap& mx, const AxisMap& my,
                       int32_t* x, int32_t* y, int32_t* inside);

}  // namespace zan

#endif
