// Pleasant axis divisions: ticks on 1, 2, 4 or 5 times a power of ten.
#ifndef ZAN_AXIS_DIVISION_H
#define ZAN_AXIS_DIVISION_H

namespace zan {

// The smallest of 1, 2, 4, 5 times a power of ten that is not below x; 1.0
// for |x| below 1e-20 and for an x that is not a finite number.
double nice_step(double x);

}  // namespace zan

#endif
