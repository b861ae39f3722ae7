#include "render/highlight_overlay.h"
#include "render/recording_target.h"

#include <gtest/gtest.h>

#include <vector>

namespace zan {
namespace {

using render::RecordedOp;

// A 2 x 2 page of 3 graphs with cells as a drawing would have left them.
Session ThreeGraphs()
{
    Session s;
    s.nCols = 2;
    s.nRows = 2;
    s.nCell = 4;
    s.nGrph = 3;
    s.nVar = 2;
    s.VarTab.assign(2);
    s.iPage = 1;
    s.GrphTab.assign(3);
    for (int g = 1; g <= 3; ++g) {
        GraphRecord& r = s.GrphTab[g];
        r.xVar = g == 3 ? 2 : 1;
        r.nLine = 1;
        r.Xaxis.Alo = 0;
        r.Xaxis.Ahi = 100;
        CellRecord& c = s.CellTab[static_cast<size_t>(g)];
        c.Left = (g - 1) % 2 * 200;
        c.Width = 200;
        c.Right = c.Left + 200;
        c.PlotL = c.Left + 30;
        c.PlotR = c.Right - 10;
        c.PlotW = c.PlotR - c.PlotL;
        c.PlotT = (g - 1) / 2 * 150 - 290;
        c.PlotB = c.PlotT + 120;
        c.PlotH = c.PlotT - c.PlotB;
    }
    return s;
}

TEST(ObjtRect, RingsThePickedGraphInLightBlueAndErasesTheOthers)
{
    Session s = ThreeGraphs();
    s.bGrph = 2;
    s.drErr = 1;
    render::RecordingTarget t(400, 300);
    ObjtRect(s, t);
    const auto rings = t.select(RecordedOp::Kind::Rectangle);
    ASSERT_EQ(rings.size(), 3u);
    for (int g = 1; g <= 3; ++g) {
        const RecordedOp& r = rings[static_cast<size_t>(g - 1)];
        const CellRecord& c = s.CellTab[static_cast<size_t>(g)];
        EXPECT_EQ(r.a, (render::Point{c.PlotL - 1, c.PlotT - 1}));
        EXPECT_EQ(r.b, (render::Point{c.PlotR + 2, c.PlotB + 2}));
        EXPECT_EQ(r.origin, (render::Point{0, 299}));
        EXPECT_EQ(r.pen.colour, g == 2 ? render::kLightBlue : render::kWhite) << g;
        EXPECT_EQ(r.pen.width, 0);
    }
    EXPECT_EQ(s.drErr, 0);
    EXPECT_EQ(t.origin(), (render::Point{0, 0}));
}

TEST(ObjtRect, LetsPendingEventsRunOnlyOnceItIsDoneWithTheTarget)
{
    Session s = ThreeGraphs();
    render::RecordingTarget t(400, 300);
    struct Host : render::DrawHost {
        render::RecordingTarget* t = nullptr;
        std::vector<size_t> seen;  // operations drawn at targetDone, at the events
        void targetDone() override { seen.push_back(t->ops().size()); }
        void processEvents() override { seen.push_back(t->ops().size()); }
    } host;
    host.t = &t;
    ObjtRect(s, t, &host);
    ASSERT_EQ(host.seen.size(), 2u);
    EXPECT_EQ(host.seen[0], t.ops().size());
    EXPECT_EQ(host.seen[1], t.ops().size());
}

TEST(ObjtRect, RedrawsTimeMarkersOnlyOnTimeGraphsTheLastOneLightBlue)
{
    Session s = ThreeGraphs();
    s.nPins = 3;
    s.Pins[1] = 25;
    s.Pins[2] = 150;  // outside the axis: not drawn
    s.Pins[3] = 50;
    render::RecordingTarget t(4000, 3000);
    ObjtRect(s, t);
    const auto lines = t.select(RecordedOp::Kind::Line);
    // Graphs 1 and 2 are over the time, graph 3 is not.
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].a.x, 50);
    EXPECT_EQ(lines[0].pen.colour, render::kBlack);
    EXPECT_EQ(lines[1].a.x, 100);
    EXPECT_EQ(lines[1].pen.colour, render::kLightBlue);
    EXPECT_EQ(lines[2].a.x, 250);
    EXPECT_EQ(lines[1].a.y, s.CellTab[1].PlotB);
    EXPECT_EQ(lines[1].b.y, s.CellTab[1].PlotT);
    // Rings on a target taller than 2047 pixels are one unit wider.
    EXPECT_EQ(t.select(RecordedOp::Kind::Rectangle).front().pen.width, 1);
}

TEST(ObjtRect, TreatsAnXVariableBeyondTheListAsTheTime)
{
    Session s = ThreeGraphs();
    s.GrphTab[3].xVar = 7;  // the drawing shows graph 3 over the time
    s.GrphTab[3].Xaxis = s.GrphTab[1].Xaxis;
    s.nPins = 1;
    s.Pins[1] = 50;
    render::RecordingTarget t(400, 300);
    ObjtRect(s, t);
    EXPECT_EQ(t.select(RecordedOp::Kind::Line).size(), 3u);
}

} // namespace
} // namespace zan
