#include "interact/cursor_readout.h"

#include "interact/zoom_history.h"
#include "render/objt_draw.h"
#include "render/recording_target.h"
#include "render/tests/render_fixture.h"

#include <gtest/gtest.h>
#include <zan.h>

namespace zan {
namespace {

using render::testing::CsvFile;
using render::testing::RenderFixture;

constexpr int kW = 800;
constexpr int kH = 600;

// Ten samples: time 0..90 in steps of 10, line a = time / 10, line b the
// same values, line c = 9 - a, line d = a + 0.1. One graph fills the page.
CsvFile Sparse()
{
    CsvFile f;
    f.names = {"time", "a", "b", "c", "d"};
    f.rows = 10;
    f.row = [](int r) { return std::vector<double>{10.0 * (r - 1), r - 1.0, r - 1.0, 10.0 - r, r - 0.9}; };
    return f;
}

struct Drawn : RenderFixture {
    explicit Drawn(int files = 1, std::vector<int> lines = {2})
    {
        load(std::vector<CsvFile>(static_cast<size_t>(files), Sparse()));
        grid(1, 1);
        addGraph("g", 1, lines);
        render::RecordingTarget t(kW, kH);
        render::ObjtDraw(s, t);
        s.CurCell = s.CellTab[1];
        s.CurGrph = s.GrphTab[1];
    }
    // Picture pixel of a value pair on the graph.
    PlotPoint at(double x, double y) const { return ToPixel(s, x, y); }
};

TEST(WhatFile, FindsASampleWithinTenPixelsBothWays)
{
    Drawn fx;
    const PlotPoint p = fx.at(40, 4);
    const HoverPick near = WhatFile(fx.s, p.x - 6, p.y - 8, kH);
    ASSERT_TRUE(near.found);
    EXPECT_EQ(near.sample, 5);
    EXPECT_DOUBLE_EQ(near.X, 40);
    EXPECT_DOUBLE_EQ(near.Y, 4);
    EXPECT_FALSE(WhatFile(fx.s, p.x - 12, p.y, kH).found);
    EXPECT_FALSE(WhatFile(fx.s, p.x, p.y + 11, kH).found);
}

TEST(WhatFile, AmongEqualDistancesTheEarlierFileThenLineWins)
{
    Drawn files(2, {2});
    const PlotPoint p = files.at(30, 3);
    HoverPick pick = WhatFile(files.s, p.x + 1, p.y, kH);
    ASSERT_TRUE(pick.found);
    EXPECT_EQ(pick.file, 1);

    Drawn lines(1, {3, 2});  // b first, then a: the same points
    pick = WhatFile(lines.s, p.x + 1, p.y, kH);
    ASSERT_TRUE(pick.found);
    EXPECT_EQ(pick.line, 1);
}

TEST(WhatFile, AmongEqualDistancesOnOneLineTheEarlierSampleWins)
{
    RenderFixture fx;
    CsvFile flat;
    flat.names = {"time", "level"};
    flat.rows = 100;
    flat.row = [](int r) { return std::vector<double>{r - 1.0, 5.0}; };
    fx.load({flat});
    fx.setRange(2, 0, 10);
    fx.grid(1, 1);
    fx.addGraph("g", 1, {2});
    render::RecordingTarget t(kW, kH);
    render::ObjtDraw(fx.s, t);
    fx.s.CurCell = fx.s.CellTab[1];
    fx.s.CurGrph = fx.s.GrphTab[1];
    // Exactly halfway between the drawn samples at times 40 and 41 (about 7
    // pixels apart), on the library's mapping of the cell.
    const PlotPoint a = ToPixel(fx.s, 40, 5);
    WhatFile(fx.s, a.x, a.y, kH);
    int32_t file = 1, xv = 1, yv = 2, n = 0, s41 = 41, s42 = 42, x41 = 0, x42 = 0, y = 0, in = 1;
    sdata(&file, &xv, &yv, &n);
    idata(&file, &s41, &x41, &in);
    idata(&file, &s42, &x42, &in);
    jdata(&file, &s41, &y, &in);
    ASSERT_GT(x42 - x41, 2);
    const HoverPick pick = WhatFile(fx.s, (x41 + x42) / 2.0, y + kH - 1, kH);
    ASSERT_TRUE(pick.found);
    EXPECT_EQ(pick.sample, 41);  // time 40
}

TEST(WhatFile, TheNearerOfTwoCloseCurvesWins)
{
    Drawn fx(1, {2, 5});  // d runs a few pixels above a
    const PlotPoint a = fx.at(40, 4);
    const PlotPoint d = fx.at(40, 4.1);
    HoverPick pick = WhatFile(fx.s, a.x, (a.y + 2 * d.y) / 3, kH);
    ASSERT_TRUE(pick.found);
    EXPECT_EQ(pick.line, 2);
    EXPECT_DOUBLE_EQ(pick.Y, 4.1);
    pick = WhatFile(fx.s, a.x, (2 * a.y + d.y) / 3, kH);
    ASSERT_TRUE(pick.found);
    EXPECT_EQ(pick.line, 1);
}

TEST(WhatFile, OnlyTheSamplesDrawnAtTheRateCount)
{
    Drawn fx;
    fx.s.iStep = 5;
    for (int sample = 1; sample <= 10; ++sample) {
        const PlotPoint p = fx.at(10.0 * (sample - 1), sample - 1.0);
        const HoverPick pick = WhatFile(fx.s, p.x, p.y, kH);
        const bool drawn = sample == 1 || sample == 6 || sample == 10;
        EXPECT_EQ(pick.found && pick.sample == sample, drawn) << sample;
    }
}

TEST(WhatFile, CaptionNamesTheFileAndBothValues)
{
    Drawn fx;
    const PlotPoint p = fx.at(20, 2);
    const HoverPick pick = WhatFile(fx.s, p.x, p.y, kH);
    ASSERT_TRUE(pick.found);
    EXPECT_EQ(pick.caption, " File: run1.csv \r\n  time: 20 \r\n  a: 2 ");
}

TEST(WhatFile, HoverLabelStaysInsideThePicture)
{
    EXPECT_EQ(HoverLeft(100, 80, 800), 110);
    EXPECT_EQ(HoverLeft(750, 80, 800), 660);
    EXPECT_EQ(HoverLeft(60, 100, 120), 0);
    EXPECT_EQ(HoverTop(100, 40, 600), 85);
    EXPECT_EQ(HoverTop(5, 40, 600), 0);
    EXPECT_EQ(HoverTop(595, 40, 600), 560);
}

TEST(WhatFile, SingleTextKeepsSevenDigits)
{
    EXPECT_EQ(SingleText(12.5), "12.5");
    EXPECT_EQ(SingleText(1.0 / 3.0), "0.3333333");
    EXPECT_EQ(SingleText(-2), "-2");
    EXPECT_EQ(SingleText(0), "0");
    EXPECT_EQ(SingleText(1.5e9), "1.5E+09");
    EXPECT_EQ(SingleText(2.5e-6), "2.5E-06");
}

TEST(LiveReadout, CellUnderThePointAlongRowsOrDownColumns)
{
    Session s;
    s.nCols = 3;
    s.nRows = 2;
    s.nCell = 6;
    s.iPage = 2;
    s.Ytitl = 100;
    s.Yarea = 400;
    s.Yfoot = 500;
    struct Case {
        double x, y;
        int tran;
        bool in;
        int iWind;
    };
    const Case cases[] = {
        {10, 110, 0, true, 1}, {650, 110, 0, true, 3}, {650, 499, 0, true, 6}, {650, 110, 1, true, 5},
        {10, 499, 1, true, 2}, {899.9, 120, 0, true, 3}, {10, 99, 0, false, 0}, {10, 500, 0, false, 0},
    };
    for (const Case& c : cases) {
        s.iTran = c.tran;
        const CellHit h = HitCell(s, 900, c.x, c.y);
        EXPECT_EQ(h.inCells, c.in) << c.x << " " << c.y;
        EXPECT_EQ(h.iWind, c.iWind) << c.x << " " << c.y;
        if (c.in) {
            EXPECT_EQ(h.iGrph, 6 + c.iWind);
        }
    }
}

}  // namespace
}  // namespace zan
