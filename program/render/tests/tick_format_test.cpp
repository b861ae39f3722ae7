#include "render/cell_drawing.h"
#include "render/tick_format.h"

#include <gtest/gtest.h>

#include <vector>

namespace zan::render {
namespace {

TEST(TickFormat, Expo10)
{
    struct Case {
        double x;
        int e;
    };
    const Case cases[] = {{1, 0}, {9.99, 0}, {10, 1}, {1000, 3}, {0.5, -1}, {0.001, -3}, {-250, 2}, {0, 0}};
    for (const Case& c : cases) EXPECT_EQ(Expo10(c.x), c.e) << c.x;
}

TEST(TickFormat, NumFmtChoosesDecimalsAndExponent)
{
    struct Case {
        double lo, hi, step;
        const char* tick;
        const char* read;
        int expo;
    };
    const Case cases[] = {
        {0, 100, 20, "#######0", "#######0.0", 0},
        {0, 0.5, 0.1, "#######0.0", "#######0.00", 0},
        {0, 2.0e7, 5.0e6, "#######0.0", "#######0.00", 7},
        {0, 0, 1, "#######0.0", "#######0.00", 0},              // largest magnitude exactly 0
        {-3, 5, 1, "#######0", "#######0.0", 0},
        {0, 1.5, 0.25, "#######0.0", "#######0.00", 0},      // one decimal per step exponent
        {0, 1000, 0.001, "#######0.000", "#######0.0000", 0},  // 10^3 range, step 10^-3
        {0, 1e-8, 2e-9, "#######0.0", "#######0.00", -8},       // too small for plain decimals
        {0, 50, 1e-6, "#######0.00000", "#######0.000000", 0},  // at most 6 digits below the range
        {0, 5e7, 1e7, "#######0", "#######0.0", 7},
    };
    for (const Case& c : cases) {
        const AxisFormat f = NumFmt(c.lo, c.hi, c.step);
        EXPECT_EQ(f.fmtTick, c.tick) << c.lo << " " << c.hi << " " << c.step;
        EXPECT_EQ(f.fmtRead, c.read) << c.lo << " " << c.hi << " " << c.step;
        EXPECT_EQ(f.expo, c.expo) << c.lo << " " << c.hi << " " << c.step;
    }
}

TEST(TickFormat, StepOfOneMillionthKeepsFixedNotation)
{
    // Six decimals are the most that labels show without an exponent.
    struct Case {
        double hi, step;
        const char* tick;
        int expo;
        const char* label;  // of the tick at 3e-6
    };
    const Case cases[] = {
        {5e-6, 1e-6, "#######0.000000", 0, "0.000003"},
        {0.5, 1e-6, "#######0.000000", 0, "0.000003"},
        {1.0, 1e-6, "#######0.000000", 0, "0.000003"},
        {0.5, 1e-7, "#######0.000000", -1, "0.000030E-1"},
    };
    for (const Case& c : cases) {
        const AxisFormat f = NumFmt(0, c.hi, c.step);
        EXPECT_EQ(f.fmtTick, c.tick) << c.hi << " " << c.step;
        EXPECT_EQ(f.expo, c.expo) << c.hi << " " << c.step;
        EXPECT_EQ(TickLabel(3e-6, f.fmtTick, f.expo), c.label) << c.hi << " " << c.step;
    }
}

TEST(TickFormat, LabelsCarryTheExponentSuffix)
{
    const AxisFormat f = NumFmt(0, 2.0e7, 5.0e6);
    EXPECT_EQ(TickLabel(0, f.fmtTick, f.expo), "0.0E7");
    EXPECT_EQ(TickLabel(5.0e6, f.fmtTick, f.expo), "0.5E7");
    EXPECT_EQ(TickLabel(2.0e7, f.fmtTick, f.expo), "2.0E7");
    EXPECT_EQ(TickLabel(-4e-9, "#######0.0", -8), "-0.4E-8");
    EXPECT_EQ(TickLabel(0.30000000000000004, "#######0.0", 0), "0.3");
    EXPECT_EQ(TickLabel(-1e-17, "#######0.0", 0), "0.0");
}

TEST(TickFormat, ZeroTickIndex)
{
    EXPECT_EQ(ZeroTick(zan::AxisState{0, 0, -3, 5, 1, 8}), 3);
    EXPECT_EQ(ZeroTick(zan::AxisState{0, 0, 1, 5, 1, 4}), 0);
    EXPECT_EQ(ZeroTick(zan::AxisState{0, 0, 0, 5, 1, 5}), 0);   // zero at the edge: no interior line
    EXPECT_EQ(ZeroTick(zan::AxisState{0, 0, -40, 20, 20, 3}), 2);
}

TEST(TickFormat, LabelThinningKeepsTheZeroTick)
{
    const zan::AxisState crossing{0, 0, -20, 40, 10, 6};  // ticks -20 .. 40, zero at index 2
    const zan::AxisState positive{0, 0, 10, 70, 10, 6};
    struct Case {
        const zan::AxisState* axis;
        int widest;
        std::vector<int> ticks;
    };
    // 600 pixels over 6 intervals: spacing 100.
    const Case cases[] = {
        {&crossing, 89, {0, 1, 2, 3, 4, 5, 6}},
        {&crossing, 90, {0, 2, 4, 6}},
        {&crossing, 179, {0, 2, 4, 6}},
        {&crossing, 180, {2, 5}},
        {&positive, 180, {0, 3, 6}},
        {&positive, 120, {0, 2, 4, 6}},
    };
    for (const Case& c : cases) EXPECT_EQ(XLabelTicks(*c.axis, c.widest, 600), c.ticks) << c.widest;

    const zan::AxisState odd{0, 0, -30, 30, 10, 6};  // zero at index 3
    EXPECT_EQ(XLabelTicks(odd, 150, 600), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(XLabelTicks(odd, 250, 600), (std::vector<int>{0, 3, 6}));
}

}  // namespace
}  // namespace zan::render
