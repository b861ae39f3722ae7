#include "interact/fixed_scale.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

// Graph 2 (time against variable 2) drawn with x 0..100 and y -2..5.
Session Opened()
{
    Session s;
    s.nVar = 3;
    s.VarTab.assign(3);
    s.nGrph = 2;
    s.GrphTab.assign(2);
    GraphRecord& g = s.GrphTab[2];
    g.xVar = 1;
    g.nLine = 1;
    g.Lines[1] = 2;
    g.Xaxis.Alo = 0;
    g.Xaxis.Ahi = 100;
    g.Yaxis.Alo = -2;
    g.Yaxis.Ahi = 5;
    g.Xfmt = "#######0.0";
    g.Yfmt = "#######0.00";
    s.iGrph = 2;
    s.CurGrph = g;
    s.iZlvl = s.mZlvl = 2;
    return s;
}

TEST(FixedScale, OpensWithTheBoundsOfTheGraphUnderThePointer)
{
    Session s = Opened();
    const FixedScale f = LoadFixedScale(s);
    EXPECT_EQ(f.jGrph, 2);
    const auto texts = FixedScaleTexts(s, f);
    EXPECT_EQ(texts[kBoxYhi], "5.00");
    EXPECT_EQ(texts[kBoxYlo], "-2.00");
    EXPECT_EQ(texts[kBoxXlo], "0.0");
    EXPECT_EQ(texts[kBoxXhi], "100.0");
}

TEST(FixedScale, SimUsesTheLargerMagnitudeOfTheLastYBound)
{
    Session s = Opened();
    FixedScale f = LoadFixedScale(s);
    Symmetrise(f);
    EXPECT_DOUBLE_EQ(f.Ylo, -5);
    EXPECT_DOUBLE_EQ(f.Yhi, 5);

    f = LoadFixedScale(s);
    StoreBound(f, kBoxYhi, "3");
    Symmetrise(f);
    EXPECT_DOUBLE_EQ(f.Ylo, -3);
    EXPECT_DOUBLE_EQ(f.Yhi, 3);

    StoreBound(f, kBoxYlo, "-4");
    EXPECT_DOUBLE_EQ(f.Ylo, -4);
    EXPECT_DOUBLE_EQ(f.Yhi, 3);
    Symmetrise(f);
    EXPECT_DOUBLE_EQ(f.Ylo, -4);
    EXPECT_DOUBLE_EQ(f.Yhi, 4);
}

TEST(FixedScale, EmptyBoxesKeepTheirBoundAndUnreadableTextReadsZero)
{
    Session s = Opened();
    FixedScale f = LoadFixedScale(s);
    StoreBound(f, kBoxXhi, "");
    EXPECT_DOUBLE_EQ(f.Xhi, 100);
    StoreBound(f, kBoxXhi, "abc");
    EXPECT_DOUBLE_EQ(f.Xhi, 0);
    StoreBound(f, kBoxXlo, "12.5x");
    EXPECT_DOUBLE_EQ(f.Xlo, 12.5);
    // A box left as it was filled keeps the exact bound behind its text.
    f.Yhi = 3e-7;
    StoreBound(f, kBoxYhi, "0.00", false);
    EXPECT_DOUBLE_EQ(f.Yhi, 3e-7);
}

TEST(FixedScale, ApplyingSetsTheCurrentLevelOfTheWindowsGraph)
{
    Session s = Opened();
    FixedScale f = LoadFixedScale(s);
    StoreBound(f, kBoxXlo, "10");
    StoreBound(f, kBoxXhi, "20");
    StoreBound(f, kBoxYlo, "-1");
    StoreBound(f, kBoxYhi, "1");
    // The pointer has moved on to graph 1 since the window opened.
    s.iGrph = 1;
    s.CurGrph = s.GrphTab[1];
    ApplyFixedScale(s, f);
    EXPECT_EQ(s.iGrph, 2);
    EXPECT_EQ(s.iZlvl, 2);
    EXPECT_NEAR(s.VarTab[1].Vlo[2], 10.001, 1e-12);
    EXPECT_NEAR(s.VarTab[2].Vhi[2], 0.9998, 1e-12);
    EXPECT_EQ(s.VarTab[2].Lfix[2], 1);
    EXPECT_EQ(s.VarTab[3].Vhi[2], 0);  // not on the graph
    EXPECT_EQ(s.VarTab[2].Vhi[1], 0);  // other levels untouched
}

}  // namespace
}  // namespace zan
