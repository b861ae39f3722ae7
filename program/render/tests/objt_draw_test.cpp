#include "render/cell_drawing.h"
#include "render/colours.h"
#include "render/objt_draw.h"
#include "render/page_layout.h"
#include "render/recording_target.h"
#include "render/sample_walk.h"
#include "render_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace zan::render {
namespace {

using testing::CsvFile;
using testing::RenderFixture;
using Kind = RecordedOp::Kind;

// Time 1..rows and lines whose values differ from row to row.
CsvFile Ramp(int rows, int lines, double offset = 0)
{
    CsvFile f;
    f.names.push_back("time");
    for (int j = 1; j <= lines; ++j) f.names.push_back("y" + std::to_string(j));
    f.rows = rows;
    f.row = [lines, offset](int r) {
        std::vector<double> v{static_cast<double>(r)};
        for (int j = 1; j <= lines; ++j) v.push_back(offset + j * 0.1 + std::sin(r * 0.3 + j));
        return v;
    };
    return f;
}

bool IsCurve(const RecordedOp& op)
{
    return op.pen.style == PenStyle::Solid;
}

// Colours of the solid lines in drawing order, repeats folded.
std::vector<Rgb> LineColours(const RecordingTarget& t)
{
    std::vector<Rgb> out;
    for (const RecordedOp& op : t.select(Kind::Line, IsCurve))
        if (out.empty() || out.back() != op.pen.colour) out.push_back(op.pen.colour);
    return out;
}

// Device x of a value on the drawn x axis of a cell, rounded as the library does.
int MapX(const zan::Session& s, int iGrph, int iWind, double x)
{
    const zan::AxisState& a = s.GrphTab[iGrph].Xaxis;
    const zan::CellRecord& c = s.CellTab[static_cast<size_t>(iWind)];
    const double scale = static_cast<double>(c.PlotW) / (a.Ahi - a.Alo);
    return static_cast<int>(std::round((x - a.Alo) * scale + c.PlotL));
}

TEST(ObjtDraw, DrawRateDrawsEveryStepthSampleAndTheLast)
{
    RenderFixture fx;
    fx.load({Ramp(95, 1)});
    fx.grid(1, 1);
    fx.addGraph("g", 1, {2});
    fx.s.iStep = 10;
    RecordingTarget t(1000, 600);
    ObjtDraw(fx.s, t);

    std::vector<int> ends;
    for (const RecordedOp& op : t.select(Kind::Line, IsCurve)) ends.push_back(op.b.x);
    std::vector<int> expected;
    for (int sample : {11, 21, 31, 41, 51, 61, 71, 81, 91, 95}) expected.push_back(MapX(fx.s, 1, 1, sample));
    EXPECT_EQ(ends, expected);
    // The last point gets a square dot in the line colour.
    const auto dots = t.select(Kind::Pixel, [](const RecordedOp& op) { return op.colour == LineColor(1, 0); });
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].a.x, expected.back());
}

TEST(ObjtDraw, LineColoursRepeatEverySevenLines)
{
    RenderFixture fx;
    fx.load({Ramp(50, 8)});
    fx.grid(1, 1);
    fx.addGraph("eight", 1, {2, 3, 4, 5, 6, 7, 8, 9});
    RecordingTarget t(800, 600);
    ObjtDraw(fx.s, t);
    std::vector<Rgb> expected;
    for (int j = 1; j <= 8; ++j) expected.push_back(LineColor(j, 0));
    EXPECT_EQ(LineColours(t), expected);
    EXPECT_EQ(expected[6], kBlack);
    EXPECT_EQ(expected[7], expected[0]);
}

TEST(ObjtDraw, ColouringByFileOrByLine)
{
    RenderFixture fx;
    fx.load({Ramp(40, 2), Ramp(40, 2, 0.5)});
    fx.grid(1, 1);
    fx.addGraph("two", 1, {2, 3});
    fx.s.iTitLine = 1;

    fx.s.iFclr = 1;
    RecordingTarget files(800, 600);
    ObjtDraw(fx.s, files);
    const Rgb red = FileColor(1), green = FileColor(2);
    EXPECT_EQ(LineColours(files), (std::vector<Rgb>{red, green, red, green}));
    const auto legend = files.select(Kind::Text, [](const RecordedOp& op) { return op.text == "y1" || op.text == "y2"; });
    ASSERT_EQ(legend.size(), 2u);
    for (const RecordedOp& op : legend) EXPECT_EQ(op.colour, kBlack);

    fx.s.iFclr = 0;
    RecordingTarget lines(800, 600);
    ObjtDraw(fx.s, lines);
    ColourGenerator g;
    const Rgb line1file2 = VaryColor(LineColor(1, 0), g);
    g.reset();
    const Rgb line2file2 = VaryColor(LineColor(2, 0), g);
    EXPECT_EQ(LineColours(lines), (std::vector<Rgb>{LineColor(1, 0), line1file2, LineColor(2, 0), line2file2}));
    const auto named = lines.select(Kind::Text, [](const RecordedOp& op) { return op.text == "y2"; });
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(named[0].colour, LineColor(2, 0));

    // A redraw gives the same colours.
    RecordingTarget again(800, 600);
    ObjtDraw(fx.s, again);
    EXPECT_EQ(LineColours(again), LineColours(lines));
}

TEST(ObjtDraw, ZeroLineIsDashedOnlyWhenTheAxisCrossesZero)
{
    struct Case {
        double lo, hi;
        bool dashed;
    };
    for (const Case& c : {Case{-3, 5, true}, Case{1, 5, false}}) {
        RenderFixture fx;
        fx.declare(2);
        fx.setRange(1, 1, 10);
        fx.setRange(2, c.lo, c.hi);
        fx.grid(1, 1);
        fx.addGraph("g", 1, {2});
        RecordingTarget t(800, 600);
        ObjtDraw(fx.s, t);
        const auto dashed = t.select(Kind::Line, [](const RecordedOp& op) { return op.pen.style == PenStyle::Dashed; });
        EXPECT_EQ(!dashed.empty(), c.dashed) << c.lo;
        const zan::CellRecord& cell = fx.s.CellTab[1];
        const zan::AxisState& y = fx.s.GrphTab[1].Yaxis;
        for (const RecordedOp& op : dashed) {
            EXPECT_EQ(op.pen.colour, kDarkGrey);
            EXPECT_EQ(op.a.x, cell.PlotL);
            EXPECT_EQ(op.b.x, cell.PlotR);
            const int iz = ZeroTick(y);
            EXPECT_EQ(op.a.y, cell.PlotB + static_cast<int>(std::nearbyint(iz * double(cell.PlotH) / y.Anum - 0.00001)));
        }
        // The other interior ticks are dotted in dark grey.
        EXPECT_FALSE(t.select(Kind::Pixel, [](const RecordedOp& op) { return op.colour == kDarkGrey; }).empty());
    }
}

TEST(ObjtDraw, WritesCellsAxesAndFormatsBack)
{
    RenderFixture fx;
    fx.declare(3);
    fx.setRange(1, 0, 100);
    fx.setRange(2, 0, 0.5);
    fx.setRange(3, -2, 1);
    fx.grid(2, 1);
    fx.addGraph(" first ", 1, {2});
    fx.addGraph("second", 1, {2, 3});
    fx.s.bGrph = 2;
    RecordingTarget t(800, 400);
    ObjtDraw(fx.s, t);

    EXPECT_EQ(fx.s.drErr, 0);
    const PageGeometry g = ComputePageGeometry(fx.s, 800, 400);
    for (int w = 1; w <= 2; ++w) {
        const zan::CellRecord expected = CellGeometry(fx.s, g, 0, w - 1);
        const zan::CellRecord& c = fx.s.CellTab[static_cast<size_t>(w)];
        EXPECT_EQ(c.Left, expected.Left);
        EXPECT_EQ(c.PlotT, expected.PlotT);
        EXPECT_EQ(c.PlotB, expected.PlotB);
        const auto frames = t.select(Kind::Rectangle, [&](const RecordedOp& op) {
            return op.a == Point{c.PlotL, c.PlotT} && op.b == Point{c.PlotR + 1, c.PlotB + 1};
        });
        // The picked graph gets its frame again in light blue.
        ASSERT_EQ(frames.size(), w == 2 ? 2u : 1u);
        EXPECT_EQ(frames[0].pen.colour, kBlack);
        if (w == 2) {
            EXPECT_EQ(frames[1].pen.colour, kLightBlue);
        }
        const auto clips = t.select(Kind::Clip, [&](const RecordedOp& op) {
            return op.clip == Rect{c.Left, c.Top, c.Right + 1, c.Bottom + 1};
        });
        EXPECT_EQ(clips.size(), 1u);
    }
    EXPECT_EQ(fx.s.GrphTab[1].Title, "first");
    EXPECT_DOUBLE_EQ(fx.s.GrphTab[1].Xaxis.Alo, fx.s.VarTab[1].Alo[1]);
    const zan::AxisState& y1 = fx.s.GrphTab[1].Yaxis;
    EXPECT_EQ(fx.s.GrphTab[1].Yfmt, NumFmt(y1.Alo, y1.Ahi, y1.Astp).fmtRead);
    EXPECT_EQ(fx.s.LblFmtY, NumFmt(fx.s.GrphTab[2].Yaxis.Alo, fx.s.GrphTab[2].Yaxis.Ahi, fx.s.GrphTab[2].Yaxis.Astp).fmtTick);
    EXPECT_FALSE(fx.s.GrphTab[1].Xfmt.empty());
    // Two lines: the combined range divided anew.
    EXPECT_DOUBLE_EQ(fx.s.GrphTab[2].Yaxis.Vlo, -2);
    EXPECT_DOUBLE_EQ(fx.s.GrphTab[2].Yaxis.Vhi, 1);
    EXPECT_LE(fx.s.GrphTab[2].Yaxis.Alo, -2);
    EXPECT_EQ(t.origin(), (Point{0, 0}));  // mapping reset at the end
}

TEST(ObjtDraw, LeavesTheLastDrawnGraphAndItsCellCurrentTogether)
{
    RenderFixture fx;
    fx.declare(2);
    fx.setRange(1, 0, 100);
    fx.setRange(2, 0, 1);
    fx.grid(2, 2);
    fx.addGraph("a", 1, {2});
    fx.addGraph("b", 1, {2});
    fx.addGraph("c", 2, {1});
    fx.s.CurCell = zan::CellRecord{};
    RecordingTarget t(800, 400);
    ObjtDraw(fx.s, t);
    // Graph 3 is drawn last, in cell 3 (second row, first column).
    EXPECT_EQ(fx.s.CurGrph.xVar, 2);
    const zan::CellRecord& c3 = fx.s.CellTab[3];
    EXPECT_EQ(fx.s.CurCell.Left, c3.Left);
    EXPECT_EQ(fx.s.CurCell.Top, c3.Top);
    EXPECT_EQ(fx.s.CurCell.Width, c3.Width);
    EXPECT_EQ(fx.s.CurCell.PlotB, c3.PlotB);
}

TEST(ObjtDraw, TitlesAndTickLabels)
{
    RenderFixture fx;
    fx.declare(2);
    fx.setRange(1, 0, 100);
    fx.setRange(2, 0, 2.0e7);
    fx.grid(1, 1);
    fx.addGraph("Thrust", 1, {2});
    fx.s.iTitYAxis = 1;
    fx.s.iTitScrn = 1;
    fx.s.ScrTitle = "  Flight 7 ";
    RecordingTarget t(1000, 800);
    ObjtDraw(fx.s, t);
    auto texts = [&](const std::string& s) {
        return t.select(Kind::Text, [&](const RecordedOp& op) { return op.text == s; });
    };
    ASSERT_EQ(texts("Flight 7").size(), 1u);
    EXPECT_EQ(texts("Flight 7")[0].align, kAlignCenter + kAlignTop);
    EXPECT_EQ(texts("Flight 7")[0].font.face, "Times New Roman bold");
    const auto titles = texts("Thrust");
    ASSERT_EQ(titles.size(), 2u);  // graph title and rotated Y title
    EXPECT_EQ(titles[0].font.face, "Times New Roman bold");
    EXPECT_EQ(titles[1].font.escapement, 900);
    EXPECT_EQ(texts("v1").size(), 1u);  // X-axis title: the X variable's name
    const zan::AxisState& y = fx.s.GrphTab[1].Yaxis;
    ASSERT_GE(y.Anum, 1);
    EXPECT_EQ(texts("0.0E7").size(), 1u);
    EXPECT_EQ(texts(TickLabel(y.Ahi, "#######0.0", 7)).size(), 1u);
    const zan::CellRecord& c = fx.s.CellTab[1];
    EXPECT_EQ(texts("0.0E7")[0].a.y, c.PlotB);
    EXPECT_EQ(texts("0.0E7")[0].align, kAlignRight + kAlignBaseline);
}

TEST(ObjtDraw, LastWindowShowsTheLastSecondsAndTheirRange)
{
    RenderFixture fx;
    CsvFile f;
    f.names = {"time", "alt"};
    f.rows = 101;
    f.row = [](int r) { return std::vector<double>{r - 1.0, r - 1.0}; };  // time 0..100
    fx.load({f});
    fx.grid(1, 1);
    fx.addGraph("alt", 1, {2});
    fx.s.iLast = 4;  // 30 seconds
    RecordingTarget t(800, 600);
    ObjtDraw(fx.s, t);
    const zan::AxisState& x = fx.s.GrphTab[1].Xaxis;
    EXPECT_NEAR(x.Vlo, 75.2, 1e-9);
    EXPECT_NEAR(x.Vhi, 105.0, 1e-9);
    const zan::AxisState& y = fx.s.GrphTab[1].Yaxis;
    EXPECT_DOUBLE_EQ(y.Vlo, 76);
    EXPECT_DOUBLE_EQ(y.Vhi, 100);
    EXPECT_DOUBLE_EQ(fx.s.VarTab[1].Vlo[1], 0);  // the zoom level stays

    fx.s.iLast = 0;
    ObjtDraw(fx.s, t);
    EXPECT_DOUBLE_EQ(fx.s.GrphTab[1].Xaxis.Vlo, 0);
}

TEST(ObjtDraw, FilesLegendRows)
{
    RenderFixture fx;
    fx.declare(2);
    fx.grid(1, 1);
    fx.addGraph("g", 1, {2});
    fx.s.iTitFiles = 1;
    fx.s.nFile = 5;
    for (int i = 1; i <= 5; ++i) fx.s.Flist.push_back("/data/run" + std::to_string(i) + ".bin");
    RecordingTarget t(1000, 1000);
    ObjtDraw(fx.s, t);
    auto at = [&](const std::string& s) {
        const auto v = t.select(Kind::Text, [&](const RecordedOp& op) { return op.text == s; });
        return v.size() == 1 ? v[0].a : Point{-1, -1};
    };
    // T = 1.2: a legend row is 0.015 * 1.2 * 1000 = 18 pixels high.
    EXPECT_EQ(at("run1.bin"), (Point{50, -18}));
    EXPECT_EQ(at("run4.bin"), (Point{800, -18}));
    EXPECT_EQ(at("run5.bin"), (Point{50, 0}));
}

// Records moves too, to find where marks are drawn.
class MoveRecorder : public RecordingTarget {
public:
    using RecordingTarget::RecordingTarget;
    void moveTo(int x, int y) override
    {
        if (currentPen().colour == LineColor(1, 0)) moves.push_back({x, y});
        RecordingTarget::moveTo(x, y);
    }
    std::vector<Point> moves;
};

TEST(ObjtDraw, MarksOnKeepTheirDistance)
{
    RenderFixture fx;
    CsvFile f;
    f.names = {"time", "wave"};
    f.rows = 1000;
    f.row = [](int r) { return std::vector<double>{static_cast<double>(r), std::sin(r / 40.0)}; };
    fx.load({f});
    fx.grid(1, 1);
    fx.addGraph("g", 1, {2});
    fx.s.iMark = kMarksOn;
    MoveRecorder t(700, 500);
    ObjtDraw(fx.s, t);
    const PageGeometry g = ComputePageGeometry(fx.s, 700, 500);
    // Square marks: a move to the corner, then back to the point.
    ASSERT_GE(t.moves.size(), 5u);
    std::vector<Point> centres;
    for (size_t i = 2; i < t.moves.size(); i += 2) centres.push_back(t.moves[i]);
    ASSERT_GE(centres.size(), 5u);
    for (size_t i = 1; i < centres.size(); ++i) {
        const int dx = std::abs(centres[i].x - centres[i - 1].x);
        const int dy = std::abs(centres[i].y - centres[i - 1].y);
        EXPECT_TRUE(dx > g.D || dy > g.D) << i;
    }
}

TEST(ObjtDraw, MarksModesDrawLinesMarksAndDots)
{
    RenderFixture fx;
    fx.load({Ramp(30, 1)});
    fx.grid(1, 1);
    fx.addGraph("g", 1, {2});
    const Rgb red = LineColor(1, 0);
    auto count = [&](int mode, Kind kind, Rgb colour) {
        fx.s.iMark = mode;
        RecordingTarget t(800, 600);
        ObjtDraw(fx.s, t);
        return t.select(kind, [&](const RecordedOp& op) {
            return kind == Kind::Pixel ? op.colour == colour : op.pen.colour == colour && IsCurve(op);
        }).size();
    };
    EXPECT_EQ(count(kMarksOff, Kind::Line, red), 29u);
    EXPECT_EQ(count(kMarksOff, Kind::Pixel, red), 1u);
    EXPECT_EQ(count(kMarksAll, Kind::Line, red), 29u + 30u * 4u);  // squares of 4 lines each
    EXPECT_EQ(count(kMarksOnly, Kind::Line, red), 30u * 4u);
    EXPECT_EQ(count(kMarksDots, Kind::Line, red), 0u);
    EXPECT_EQ(count(kMarksDots, Kind::Pixel, red), 30u);
    EXPECT_EQ(count(kMarksPins, Kind::Line, red), 29u);
    EXPECT_EQ(count(kMarksPins, Kind::Pixel, kPinColour), 30u);
}

TEST(ObjtDraw, TimeMarkersInsideTheAxis)
{
    RenderFixture fx;
    fx.load({Ramp(100, 1)});
    fx.grid(1, 1);
    fx.addGraph("g", 1, {2});
    fx.s.nPins = 3;
    fx.s.Pins[1] = 20;
    fx.s.Pins[2] = 1.0e6;  // outside: not drawn
    fx.s.Pins[3] = 50;
    RecordingTarget t(800, 600);
    ObjtDraw(fx.s, t);
    const zan::CellRecord& c = fx.s.CellTab[1];
    const auto markers = t.select(Kind::Line, [&](const RecordedOp& op) {
        return op.a.x == op.b.x && op.a.y == c.PlotB && op.b.y == c.PlotT && IsCurve(op);
    });
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(markers[0].pen.colour, kBlack);
    EXPECT_EQ(markers[1].pen.colour, kLightBlue);  // the last marker
    const zan::AxisState& x = fx.s.GrphTab[1].Xaxis;
    EXPECT_EQ(markers[1].a.x, c.Left + static_cast<int>(std::nearbyint((50 - x.Alo) / (x.Ahi - x.Alo) * c.Width - 0.00001)));
}

TEST(ObjtDraw, NothingLoadedDrawsFramesWithoutCurves)
{
    RenderFixture fx;
    fx.declare(2);
    fx.grid(1, 1);
    fx.addGraph("g", 1, {2});
    RecordingTarget t(800, 600);
    ObjtDraw(fx.s, t);
    EXPECT_EQ(t.select(Kind::Rectangle).size(), 1u);
    EXPECT_TRUE(t.select(Kind::Line, IsCurve).empty());
}

TEST(ObjtDraw, SurvivesInconsistentSettings)
{
    RenderFixture fx;
    fx.declare(2);
    fx.grid(2, 2);
    fx.addGraph("g", 9, {2, 0, 7});  // variables beyond nVar draw as variable 1
    fx.s.nGrph = 3;                   // more graphs than records
    fx.s.iFsiz = 9;
    fx.s.iFont = -1;
    fx.s.iLast = 12;
    fx.s.iStep = 0;
    RecordingTarget t(300, 200);
    ObjtDraw(fx.s, t);
    EXPECT_EQ(fx.s.drErr, 0);
    EXPECT_EQ(t.select(Kind::Rectangle).size(), 1u);
    EXPECT_EQ(fx.s.GrphTab[1].xVar, 9);  // the record keeps its numbers
    EXPECT_DOUBLE_EQ(fx.s.GrphTab[1].Xaxis.Alo, fx.s.VarTab[1].Alo[1]);
}

}  // namespace
}  // namespace zan::render
