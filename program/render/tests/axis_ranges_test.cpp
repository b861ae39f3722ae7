#include "render/axis_ranges.h"

#include <gtest/gtest.h>

namespace zan::render {
namespace {

TEST(AxisRanges, LastWindowReachesTheLastTime)
{
    // 30 s window: the axis jumps forward by 15 s and must end at or beyond
    // the last time, but less than half a window after it.
    for (const double last : {95.0, 100.0, 104.9, 105.0, 31.0, 44.0, 46.0}) {
        Session s;
        s.nVar = 1;
        s.VarTab.assign(1);
        s.VarTab[1].Vlo[1] = 0;
        s.VarTab[1].Vhi[1] = last;
        s.iLast = 4;
        s.iZlvl = 1;
        const AxisState x = HorizontalAxis(s, 1);
        EXPECT_GE(x.Vhi, last) << last;
        EXPECT_LT(x.Vhi - last, 15.0 + 1e-9) << last;
        EXPECT_NEAR(x.Vhi - x.Vlo, 29.8, 1e-9) << last;
    }
}

}  // namespace
}  // namespace zan::render
