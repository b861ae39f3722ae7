#include "render/colours.h"
#include "render/mark_shapes.h"
#include "render/recording_target.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace zan::render {
namespace {

TEST(Colours, LineAndFileTables)
{
    struct Case {
        int n;
        Rgb colour;
    };
    const Case cases[] = {{1, MakeRgb(239, 0, 0)},   {2, MakeRgb(0, 143, 15)},  {3, MakeRgb(0, 15, 191)},
                          {4, MakeRgb(175, 0, 175)}, {5, MakeRgb(0, 143, 239)}, {6, MakeRgb(159, 79, 0)},
                          {7, kBlack},               {8, MakeRgb(239, 0, 0)},   {14, kBlack}};
    for (const Case& c : cases) {
        EXPECT_EQ(LineColor(c.n, 0), c.colour) << c.n;
        EXPECT_EQ(FileColor(c.n), c.colour) << c.n;
        EXPECT_EQ(LineColor(c.n, 1), kBlack) << c.n;  // colouring by file
    }
}

TEST(Colours, RedIsInTheLowByte)
{
    EXPECT_EQ(MakeRgb(239, 0, 0), 0x0000efu);
    EXPECT_EQ(MakeRgb(0, 0, 255), 0xff0000u);
}

TEST(Colours, VaryColorRepeatsAfterResetAndStaysNearTheColour)
{
    ColourGenerator a;
    const Rgb base = LineColor(2, 0);
    const Rgb first = VaryColor(base, a);
    const Rgb second = VaryColor(base, a);
    EXPECT_NE(first, second);
    a.reset();
    EXPECT_EQ(VaryColor(base, a), first);
    ColourGenerator b;
    EXPECT_EQ(VaryColor(base, b), first);

    ColourGenerator g;
    for (int i = 0; i < 200; ++i) {
        const Rgb c = VaryColor(base, g);
        EXPECT_LE(std::abs(RedOf(c) - RedOf(base)), 192);
        EXPECT_LE(std::abs(GreenOf(c) - GreenOf(base)), 192);
        EXPECT_LE(std::abs(BlueOf(c) - BlueOf(base)), 192);
    }
    for (int i = 0; i < 1000; ++i) {
        const double r = g.next();
        EXPECT_GE(r, 0.0);
        EXPECT_LT(r, 1.0);
    }
}

TEST(Colours, SecondFileOfALineIsRelatedButDistinct)
{
    ColourGenerator g;
    const Rgb red2 = VaryColor(LineColor(1, 0), g);
    g.reset();
    const Rgb green2 = VaryColor(LineColor(2, 0), g);
    // Both move by the same offsets: red towards orange, green towards yellow-green.
    EXPECT_EQ(red2, MakeRgb(255, 51, 0));
    EXPECT_EQ(green2, MakeRgb(153, 194, 0));
}

TEST(MarkShapes, KindByCellAndLine)
{
    struct Case {
        int iWind, j, kind;
    };
    const Case cases[] = {{1, 1, 0}, {1, 2, 1}, {1, 3, 2}, {2, 1, 1}, {2, 2, 2},
                          {2, 3, 3}, {1, 17, 0}, {16, 2, 0}, {36, 64, 2}};
    for (const Case& c : cases) EXPECT_EQ(MarkKindOf(c.iWind, c.j), c.kind) << c.iWind << "," << c.j;
}

TEST(MarkShapes, DimensionsFromTheSizeUnit)
{
    const MarkDims d = ComputeMarkDims(2.4);
    EXPECT_EQ(d.mx1, 2);
    EXPECT_EQ(d.mx2, 4);
    EXPECT_EQ(d.mxr, 6);   // 1.4 * 4 = 5.6
    EXPECT_EQ(d.mx4, 8);
    EXPECT_EQ(d.mxr2, 12);
    EXPECT_EQ(d.my1, 2);
    EXPECT_EQ(d.myr, 6);
    const MarkDims tiny = ComputeMarkDims(0.4);
    EXPECT_EQ(tiny.mx1, 1);  // horizontal lengths never 0
    EXPECT_EQ(tiny.my1, 0);  // vertical ones flatten
    EXPECT_EQ(tiny.my4, 0);
    EXPECT_EQ(tiny.myr, 3);  // follows the horizontal unit
}

TEST(MarkShapes, EveryShapeEndsAtItsPointAndStaysInsideItsBox)
{
    const MarkDims d = ComputeMarkDims(3);
    for (int kind = 0; kind < 16; ++kind) {
        RecordingTarget t(100, 100);
        t.moveTo(50, -50);
        DrawMark(t, kind, d);
        EXPECT_EQ(t.currentPosition(), (Point{50, -50})) << kind;
        const auto lines = t.select(RecordedOp::Kind::Line);
        EXPECT_GE(lines.size(), 2u) << kind;
        for (const RecordedOp& op : lines) {
            for (const Point p : {op.a, op.b}) {
                EXPECT_LE(std::abs(p.x - 50), d.mxr2) << kind;
                EXPECT_LE(std::abs(p.y + 50), d.myr2) << kind;
            }
        }
    }
}

TEST(MarkShapes, SquareAndPlusGeometry)
{
    const MarkDims d = ComputeMarkDims(1);  // mx2 = my2 = 2, mx4 = my4 = 4, mxr = myr = 3
    RecordingTarget sq(100, 100);
    sq.moveTo(10, -10);
    DrawMark(sq, 0, d);
    std::vector<std::pair<Point, Point>> got;
    for (const RecordedOp& op : sq.select(RecordedOp::Kind::Line)) got.push_back({op.a, op.b});
    const std::vector<std::pair<Point, Point>> square = {
        {{8, -12}, {12, -12}}, {{12, -12}, {12, -8}}, {{12, -8}, {8, -8}}, {{8, -8}, {8, -12}}};
    EXPECT_EQ(got, square);

    RecordingTarget plus(100, 100);
    plus.moveTo(0, 0);
    DrawMark(plus, 6, d);
    got.clear();
    for (const RecordedOp& op : plus.select(RecordedOp::Kind::Line)) got.push_back({op.a, op.b});
    const std::vector<std::pair<Point, Point>> cross = {
        {{0, 3}, {0, -3}}, {{0, -3}, {0, 0}}, {{-3, 0}, {3, 0}}, {{3, 0}, {0, 0}}};
    EXPECT_EQ(got, cross);
}

TEST(MarkShapes, SquareDotCoversTheBlock)
{
    RecordingTarget t(100, 100);
    DrawSquareDot(t, 5, -5, 1, kDarkGrey);
    const auto px = t.select(RecordedOp::Kind::Pixel);
    ASSERT_EQ(px.size(), 9u);
    std::set<std::pair<int, int>> cells;
    for (const RecordedOp& op : px) {
        cells.insert({op.a.x, op.a.y});
        EXPECT_EQ(op.colour, kDarkGrey);
    }
    EXPECT_EQ(cells.count({4, -6}), 1u);
    EXPECT_EQ(cells.count({6, -4}), 1u);
}

}  // namespace
}  // namespace zan::render
