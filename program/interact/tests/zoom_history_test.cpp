#include "interact/zoom_history.h"

#include "interact/cursor_readout.h"
#include "render/objt_draw.h"
#include "render/recording_target.h"

#include "render/tests/render_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zan {
namespace {

using render::testing::CsvFile;
using render::testing::RenderFixture;

// Variables 1..4 with hand-set level-1 ranges; graph 1 draws 3 over 1.
struct Declared : RenderFixture {
    Declared()
    {
        declare(4);
        setRange(1, 0, 100);
        setRange(2, -5, 5);
        setRange(3, 0, 1);
        setRange(4, 10, 20);
        addGraph("g", 1, {3});
        s.CurGrph = s.GrphTab[1];
    }
};

TEST(ZoomHistory, ThirtyNineZoomsReachLevelFortyAndTheNextChangesNothing)
{
    Declared fx;
    for (int k = 1; k <= 39; ++k) SetZoom(fx.s, 10, 90 - k, 0.1, 0.9);
    EXPECT_EQ(fx.s.iZlvl, 40);
    EXPECT_EQ(fx.s.mZlvl, 40);
    const double before = fx.s.VarTab[1].Vhi[40];
    SetZoom(fx.s, 20, 30, 0.2, 0.3);
    EXPECT_EQ(fx.s.iZlvl, 40);
    EXPECT_EQ(fx.s.VarTab[1].Vhi[40], before);
}

TEST(ZoomHistory, ANewBandAfterAStepBackDiscardsTheLevelsAbove)
{
    Declared fx;
    SetZoom(fx.s, 10, 90, 0, 1);
    SetZoom(fx.s, 20, 80, 0, 1);
    SetZoom(fx.s, 30, 70, 0, 1);
    PrvZoom(fx.s);
    EXPECT_EQ(fx.s.iZlvl, 3);
    SetZoom(fx.s, 40, 60, 0.2, 0.4);
    EXPECT_EQ(fx.s.iZlvl, 4);
    EXPECT_EQ(fx.s.mZlvl, 4);
    EXPECT_DOUBLE_EQ(fx.s.VarTab[1].Vlo[4], 40);
    PrvZoom(fx.s);
    PrvZoom(fx.s);
    SetZoom(fx.s, 50, 55, 0, 1);
    EXPECT_EQ(fx.s.iZlvl, 3);
    NxtZoom(fx.s);
    EXPECT_EQ(fx.s.iZlvl, 3);  // the old level 4 is gone
}

TEST(ZoomHistory, ABandSetsTheGraphsVariablesAndKeepsTheOthers)
{
    Declared fx;
    fx.s.VarTab[4].Lfix[1] = 1;
    SetZoom(fx.s, 25, 50, 0.25, 0.5);
    const VarRecord& x = fx.s.VarTab[1];
    const VarRecord& line = fx.s.VarTab[3];
    const VarRecord& other = fx.s.VarTab[4];
    EXPECT_DOUBLE_EQ(x.Vlo[2], 25);
    EXPECT_DOUBLE_EQ(x.Vhi[2], 50);
    EXPECT_DOUBLE_EQ(line.Vlo[2], 0.25);
    EXPECT_DOUBLE_EQ(line.Vhi[2], 0.5);
    EXPECT_LE(x.Alo[2], 25);
    EXPECT_GE(x.Ahi[2], 50);
    EXPECT_DOUBLE_EQ(x.Ahi[2], x.Alo[2] + x.Anum[2] * x.Astp[2]);
    EXPECT_DOUBLE_EQ(other.Vlo[2], 10);
    EXPECT_DOUBLE_EQ(other.Vhi[2], 20);
    EXPECT_EQ(other.Lfix[2], 1);
    // Data ranges and panning limits come from the level below.
    EXPECT_DOUBLE_EQ(x.Rlo[2], x.Rlo[1]);
    EXPECT_DOUBLE_EQ(x.Dmax[2], x.Dmax[1]);
}

TEST(ZoomHistory, AHandSetRangeIsNarrowedByATenThousandthOfItsWidthAtEachEnd)
{
    Declared fx;
    fx.s.CurGrph.Lines[2] = 1;  // the x test comes first
    fx.s.CurGrph.nLine = 2;
    SetZoom0(fx.s, 100, 0, -1, 3);  // ends in any order
    const VarRecord& x = fx.s.VarTab[1];
    const VarRecord& y = fx.s.VarTab[3];
    EXPECT_DOUBLE_EQ(x.Vlo[1], 0.01);
    EXPECT_DOUBLE_EQ(x.Vhi[1], 99.99);
    EXPECT_EQ(x.Lfix[1], 0);
    EXPECT_DOUBLE_EQ(y.Vlo[1], -1 + 0.0004);
    EXPECT_DOUBLE_EQ(y.Vhi[1], 3 - 0.0004);
    EXPECT_EQ(y.Lfix[1], 1);
    EXPECT_EQ(fx.s.iZlvl, 1);
    EXPECT_FALSE(fx.s.CurGrph.Xfmt.empty());
    EXPECT_FALSE(fx.s.LblFmtY.empty());
    EXPECT_DOUBLE_EQ(fx.s.VarTab[2].Vlo[1], -5);  // untouched

    SetZoom0(fx.s, 7, 7, 2, 2);
    EXPECT_DOUBLE_EQ(x.Vlo[1], 7);
    EXPECT_DOUBLE_EQ(x.Vhi[1], 7);
    EXPECT_LT(x.Alo[1], x.Ahi[1]);  // an axis that can be drawn
}

TEST(ZoomHistory, PanningMovesTwoTicksWithinTheLimitsWhileDataLieBeyond)
{
    struct Case {
        double Dmin, Dmax, Alo, Astp, Rlo, Rhi;
        int Anum;
        bool left;
        bool moves;
        double newAlo;
    };
    const Case cases[] = {
        {0, 100, 20, 5, 0, 100, 4, true, true, 10},      // 20..40 -> 10..30
        {0, 100, 5, 5, 0, 100, 4, true, true, 0},        // stops at the lower limit
        {0, 100, 0, 5, 0, 100, 4, true, false, 0},       // at the start of the data
        {20, 100, 20, 5, 0, 100, 4, true, false, 20},    // no data left of the axis
        {0, 100, 20, 5, 0, 100, 4, false, true, 30},     // 20..40 -> 30..50
        {0, 100, 75, 5, 0, 100, 4, false, true, 80},     // stops at the upper limit
        {0, 100, 80, 5, 0, 100, 4, false, false, 80},    // at the end of the data
    };
    for (const Case& c : cases) {
        Declared fx;
        VarRecord& t = fx.s.VarTab[1];
        t.Dmin[1] = c.Dmin;
        t.Dmax[1] = c.Dmax;
        t.Alo[1] = c.Alo;
        t.Astp[1] = c.Astp;
        t.Anum[1] = c.Anum;
        t.Ahi[1] = c.Alo + c.Anum * c.Astp;
        t.Rlo[1] = c.Rlo;
        t.Rhi[1] = c.Rhi;
        t.Vlo[1] = 3;
        EXPECT_EQ(c.left ? CanPanLeft(fx.s) : CanPanRight(fx.s), c.moves) << c.Alo;
        EXPECT_EQ(c.left ? LftZoom(fx.s) : RgtZoom(fx.s), c.moves) << c.Alo;
        EXPECT_DOUBLE_EQ(t.Alo[1], c.newAlo) << c.Alo;
        EXPECT_DOUBLE_EQ(t.Ahi[1] - t.Alo[1], c.Anum * c.Astp) << c.Alo;
        EXPECT_DOUBLE_EQ(t.Vlo[1], 3);
    }
}

TEST(ZoomHistory, StepsMoveOnlyTheCurrentLevel)
{
    Declared fx;
    fx.s.iZlvl = 3;
    fx.s.mZlvl = 5;
    struct Step {
        void (*op)(Session&);
        int expected;
    };
    const Step steps[] = {{NxtZoom, 4}, {NxtZoom, 5}, {NxtZoom, 5}, {PrvZoom, 4}, {MinZoom, 1},
                          {PrvZoom, 1}, {MaxZoom, 5}};
    for (const Step& st : steps) {
        st.op(fx.s);
        EXPECT_EQ(fx.s.iZlvl, st.expected);
        EXPECT_EQ(fx.s.mZlvl, 5);
    }
}

TEST(ZoomHistory, PixelsAndValuesConvertBothWays)
{
    Session s;
    s.CurCell.Left = 50;
    s.CurCell.Width = 400;
    s.CurCell.Top = 20;
    s.CurCell.Height = 200;
    s.CurGrph.Xaxis.Alo = 0;
    s.CurGrph.Xaxis.Ahi = 100;
    s.CurGrph.Yaxis.Alo = -1;
    s.CurGrph.Yaxis.Ahi = 1;
    const PlotPoint corner = ToPixel(s, 0, 1);
    EXPECT_DOUBLE_EQ(corner.x, 50);
    EXPECT_DOUBLE_EQ(corner.y, 20);
    const PlotPoint mid = ToPixel(s, 25, 0);
    EXPECT_DOUBLE_EQ(mid.x, 150);
    EXPECT_DOUBLE_EQ(mid.y, 120);
    for (double px : {50.0, 77.5, 450.0})
        for (double py : {20.0, 133.25, 220.0}) {
            const PlotPoint v = ToValue(s, px, py);
            const PlotPoint back = ToPixel(s, v.x, v.y);
            EXPECT_NEAR(back.x, px, 1e-9);
            EXPECT_NEAR(back.y, py, 1e-9);
        }
    // A flat axis or a cell of no size gives numbers, not infinities.
    s.CurGrph.Xaxis.Ahi = 0;
    s.CurCell.Height = 0;
    EXPECT_TRUE(std::isfinite(ToPixel(s, 5, 0).x));
    EXPECT_TRUE(std::isfinite(ToValue(s, 60, 60).y));
}

// Time 0..99, a ramp, a constant and a line that only the second file has.
struct Loaded : RenderFixture {
    Loaded()
    {
        CsvFile a;
        a.names = {"time", "ramp", "flat"};
        a.rows = 100;
        a.row = [](int r) { return std::vector<double>{r - 1.0, 2.0 * (r - 1), 7.0}; };
        load({a, a});
        addGraph("g", 1, {2});
        s.CurGrph = s.GrphTab[1];
    }
};

TEST(ZoomHistory, RescaleFitsEveryVariableToItsDataInsideTheWindow)
{
    Loaded fx;
    ASSERT_TRUE(SetRang(fx.s, 10, 20));
    EXPECT_EQ(fx.s.iZlvl, 2);
    const VarRecord& t = fx.s.VarTab[1];
    const VarRecord& ramp = fx.s.VarTab[2];
    const VarRecord& flat = fx.s.VarTab[3];
    EXPECT_DOUBLE_EQ(t.Vlo[2], 10);
    EXPECT_DOUBLE_EQ(t.Vhi[2], 20);
    EXPECT_DOUBLE_EQ(ramp.Dmin[2], 20);
    EXPECT_DOUBLE_EQ(ramp.Dmax[2], 40);
    EXPECT_DOUBLE_EQ(ramp.Dabs[2], 40);
    EXPECT_DOUBLE_EQ(ramp.Rlo[2], ramp.Alo[2]);
    EXPECT_DOUBLE_EQ(ramp.Rhi[2], ramp.Ahi[2]);
    // A flat variable gets an axis that can be drawn around its value.
    EXPECT_DOUBLE_EQ(flat.Vlo[2], 7);
    EXPECT_LT(flat.Alo[2], flat.Ahi[2]);
    EXPECT_LE(flat.Alo[2], 7);
    EXPECT_GE(flat.Ahi[2], 7);
}

TEST(ZoomHistory, RescaleOfAWindowWithoutDataMakesNoLevel)
{
    Loaded fx;
    EXPECT_FALSE(SetRang(fx.s, 200, 300));  // beyond the data
    EXPECT_FALSE(SetRang(fx.s, 10.2, 10.8));  // no sample inside
    EXPECT_FALSE(SetRang(fx.s, 10, 10));    // one sample: a flat window
    EXPECT_EQ(fx.s.iZlvl, 1);
    EXPECT_EQ(fx.s.mZlvl, 1);
    fx.s.iZlvl = fx.s.mZlvl = 40;
    EXPECT_FALSE(SetRang(fx.s, 10, 20));
    EXPECT_EQ(fx.s.iZlvl, 40);
}

TEST(ZoomHistory, RescaleKeepsTheLevelBelowForAVariableWithoutDataInTheWindow)
{
    Loaded fx;
    // Variable 3 is missing from both files' lists.
    fx.s.VarMap(3, 1) = 0;
    fx.s.VarTab[3].Vlo[1] = -3;
    fx.s.VarTab[3].Vhi[1] = 3;
    ASSERT_TRUE(SetRang(fx.s, 10, 20));
    EXPECT_DOUBLE_EQ(fx.s.VarTab[3].Vlo[2], -3);
    EXPECT_DOUBLE_EQ(fx.s.VarTab[3].Vhi[2], 3);
    EXPECT_DOUBLE_EQ(fx.s.VarTab[3].Alo[2], fx.s.VarTab[3].Alo[1]);
}

TEST(ZoomHistory, AGraphOfAnEmptyFileZoomsWithSaneAxes)
{
    RenderFixture fx;
    CsvFile empty;
    empty.names = {"time", "y"};
    empty.rows = 0;
    empty.row = [](int) { return std::vector<double>{}; };
    fx.load({empty});
    fx.grid(1, 1);
    fx.addGraph("g", 1, {2});
    render::RecordingTarget t(400, 300);
    render::ObjtDraw(fx.s, t);
    fx.s.CurGrph = fx.s.GrphTab[1];
    fx.s.CurCell = fx.s.CellTab[1];
    EXPECT_FALSE(SetRang(fx.s, 0, 1));
    const PlotPoint a = ToValue(fx.s, fx.s.CurCell.Left + 10, fx.s.CurCell.Top + 10);
    const PlotPoint b = ToValue(fx.s, fx.s.CurCell.Left + 50, fx.s.CurCell.Top + 40);
    SetZoom(fx.s, a.x, b.x, b.y, a.y);
    EXPECT_EQ(fx.s.iZlvl, 2);
    for (int v = 1; v <= 2; ++v) {
        const VarRecord& r = fx.s.VarTab[v];
        EXPECT_TRUE(std::isfinite(r.Alo[2]) && std::isfinite(r.Ahi[2])) << v;
        EXPECT_LT(r.Alo[2], r.Ahi[2]) << v;
    }
    render::ObjtDraw(fx.s, t);
    EXPECT_FALSE(WhatFile(fx.s, fx.s.CurCell.Left + 20, fx.s.CurCell.Top + 20, 300).found);
}

}  // namespace
}  // namespace zan
