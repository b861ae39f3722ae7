#include "interact/plot_mouse.h"

#include "interact/zoom_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zan {
namespace {

struct RecordingMouse : MouseHost {
    double PictureWidth() const override { return 400; }
    void ShowBand(double x1, double y1, double x2, double y2) override { bands.push_back({x1, y1, x2, y2}); }
    void HideBand() override { ++bandHidden; }
    void ObjtRect(bool) override { ++rings; }
    void PictDraw() override { ++draws; }
    void DrawDelayed(int ms) override { delays.push_back(ms); }
    void SetLiveLabel(const std::string& caption) override { live = caption; }
    void ShowFixedScale(double, double) override { ++fixedScale; }
    void ShowLegend(double, double) override { ++legend; }
    std::vector<std::vector<double>> bands;
    int bandHidden = 0, rings = 0, draws = 0, fixedScale = 0, legend = 0;
    std::vector<int> delays;
    std::string live;
};

// A 2 x 2 page of 3 graphs on a 400-pixel picture: cells between y 20 and
// 320, files legend below. Every graph shows time 0..100 against 0..10.
Session Page()
{
    Session s;
    s.nCols = 2;
    s.nRows = 2;
    s.nCell = 4;
    s.nGrph = 3;
    s.nVar = 2;
    s.VarTab.assign(2);
    for (int v = 1; v <= 2; ++v) {
        s.VarTab[v].Vlo[1] = s.VarTab[v].Alo[1] = 0;
        s.VarTab[v].Vhi[1] = s.VarTab[v].Ahi[1] = v == 1 ? 100 : 10;
    }
    s.Ytitl = 20;
    s.Yarea = 300;
    s.Yfoot = 320;
    s.drErr = 0;
    s.GrphTab.assign(3);
    for (int g = 1; g <= 3; ++g) {
        GraphRecord& r = s.GrphTab[g];
        r.xVar = 1;
        r.nLine = 1;
        r.Lines[1] = 2;
        r.Xaxis.Alo = 0;
        r.Xaxis.Ahi = 100;
        r.Yaxis.Alo = 0;
        r.Yaxis.Ahi = 10;
        r.Xfmt = "#######0.0";
        r.Yfmt = "#######0.00";
        CellRecord& c = s.CellTab[static_cast<size_t>(g)];
        c.Left = (g - 1) % 2 * 200 + 20;
        c.Width = 160;
        c.Right = c.Left + 160;
        c.Top = (g - 1) / 2 * 150 + 30;
        c.Height = 100;
        c.Bottom = c.Top + 100;
    }
    return s;
}

TEST(PlotMouse, APressPicksTheGraphAndASecondPressClearsThePick)
{
    Session s = Page();
    MouseState m;
    RecordingMouse host;
    MouseDown(s, m, host, kLeftButton, 0, 300, 100);
    EXPECT_TRUE(m.bBand);
    EXPECT_EQ(s.cGrph, 2);
    EXPECT_EQ(s.bGrph, 2);
    EXPECT_EQ(s.CurCell.Left, 220);
    EXPECT_EQ(host.rings, 1);
    MouseUp(s, m, host, 300, 100);
    MouseDown(s, m, host, kLeftButton, 0, 300, 100);
    EXPECT_EQ(s.bGrph, 0);
}

TEST(PlotMouse, APressOnAnEmptyCellOrOutsideTheCellsChangesNothing)
{
    for (double y : {250.0, 10.0, 330.0}) {  // empty cell 4, title band, files legend
        Session s = Page();
        s.bGrph = 1;
        s.cGrph = 1;
        MouseState m;
        RecordingMouse host;
        MouseDown(s, m, host, kLeftButton, 0, 300, y);
        EXPECT_FALSE(m.bBand) << y;
        EXPECT_EQ(s.bGrph, 1) << y;
        EXPECT_EQ(s.cGrph, 1) << y;
        EXPECT_EQ(host.rings, 0) << y;
        m.xCur = 300;
        m.yCur = y;
        DblClick(s, m, host);
        EXPECT_EQ(s.nPins, 0) << y;
        MouseUp(s, m, host, 300, y);
        EXPECT_EQ(host.delays.size(), 0u) << y;
        EXPECT_EQ(s.iZlvl, 1) << y;
    }
}

TEST(PlotMouse, ALeftDragZoomsTheGraphToTheBandClampedIntoItsCell)
{
    Session s = Page();
    MouseState m;
    RecordingMouse host;
    MouseDown(s, m, host, kLeftButton, 0, 60, 50);   // x 25, y 8
    MouseMove(s, m, host, 500, 250);                  // beyond the cell: clamped to 180, 130
    ASSERT_FALSE(host.bands.empty());
    EXPECT_EQ(host.bands.back(), (std::vector<double>{60, 50, 180, 130}));
    MouseUp(s, m, host, 500, 250);
    EXPECT_EQ(host.bandHidden, 1);
    EXPECT_EQ(s.iZlvl, 2);
    EXPECT_DOUBLE_EQ(s.VarTab[1].Vlo[2], 25);
    EXPECT_DOUBLE_EQ(s.VarTab[1].Vhi[2], 100);
    EXPECT_DOUBLE_EQ(s.VarTab[2].Vlo[2], 0);
    EXPECT_DOUBLE_EQ(s.VarTab[2].Vhi[2], 8);
    EXPECT_EQ(s.drErr, 3);
    EXPECT_EQ(host.delays, (std::vector<int>{110}));
    EXPECT_FALSE(m.bBand);
}

TEST(PlotMouse, TheMouseRestsUntilTheZoomedPageIsDrawn)
{
    Session s = Page();
    s.drErr = 3;
    MouseState m;
    RecordingMouse host;
    MouseDown(s, m, host, kLeftButton, 0, 60, 50);
    MouseMove(s, m, host, 100, 80);
    EXPECT_FALSE(m.bBand);
    EXPECT_TRUE(host.live.empty());
    EXPECT_EQ(host.rings, 0);

    // A release while a drawing runs ends the band without zooming.
    s.drErr = 0;
    MouseDown(s, m, host, kLeftButton, 0, 60, 50);
    MouseMove(s, m, host, 100, 80);
    s.drErr = 2;
    MouseUp(s, m, host, 100, 80);
    EXPECT_FALSE(m.bBand);
    EXPECT_EQ(host.bandHidden, 1);
    EXPECT_EQ(s.iZlvl, 1);
}

TEST(PlotMouse, AVerticalDragIsAClickAndARightClickOpensTheWindowUnderIt)
{
    struct Case {
        int button;
        int shift;
        double y;
        int fixedScale;
        int legend;
    };
    const Case cases[] = {
        {kLeftButton, 0, 50, 0, 0},
        {kRightButton, 0, 50, 1, 0},
        {kLeftButton, 1, 50, 1, 0},   // Shift makes the left button a right one
        {kRightButton, 0, 330, 0, 1}, // on the files legend
        {kRightButton, 0, 10, 0, 0},  // on the title band
    };
    for (const Case& c : cases) {
        Session s = Page();
        MouseState m;
        RecordingMouse host;
        MouseDown(s, m, host, c.button, c.shift, 60, c.y);
        MouseMove(s, m, host, 60, c.y + 30);
        MouseUp(s, m, host, 60, c.y);
        EXPECT_EQ(host.fixedScale, c.fixedScale) << c.button << " " << c.y;
        EXPECT_EQ(host.legend, c.legend) << c.button << " " << c.y;
        EXPECT_EQ(s.iZlvl, 1);
        EXPECT_TRUE(host.delays.empty());
    }
}

TEST(PlotMouse, ADragAcrossCellsStaysWithThePressedGraph)
{
    Session s = Page();
    MouseState m;
    RecordingMouse host;
    MouseDown(s, m, host, kLeftButton, 0, 100, 50);
    MouseMove(s, m, host, 300, 50);  // over graph 2
    EXPECT_EQ(s.CurCell.Left, 20);
    EXPECT_EQ(host.live.substr(0, 8), "X= 100.0");
}

TEST(PlotMouse, APageDrawnDuringTheDragLeavesTheBandWithThePressedGraph)
{
    Session s = Page();
    s.GrphTab[3].Xaxis.Alo = -10;
    s.GrphTab[3].Xaxis.Ahi = 0;
    MouseState m;
    RecordingMouse host;
    MouseDown(s, m, host, kLeftButton, 0, 60, 50);
    // A redraw makes the last drawn cell and graph current.
    s.CurCell = s.CellTab[3];
    s.CurGrph = s.GrphTab[3];
    MouseMove(s, m, host, 500, 250);
    EXPECT_EQ(host.bands.back(), (std::vector<double>{60, 50, 180, 130}));
    s.CurCell = s.CellTab[3];
    s.CurGrph = s.GrphTab[3];
    MouseUp(s, m, host, 500, 250);
    EXPECT_DOUBLE_EQ(s.VarTab[1].Vlo[2], 25);
    EXPECT_DOUBLE_EQ(s.VarTab[1].Vhi[2], 100);
    EXPECT_DOUBLE_EQ(s.VarTab[2].Vhi[2], 8);
}

TEST(PlotMouse, DoubleClickTwiceAtOnePlaceAddsThenRemovesAMarker)
{
    Session s = Page();
    MouseState m;
    RecordingMouse host;
    m.xCur = 60;
    m.yCur = 50;
    DblClick(s, m, host);
    ASSERT_EQ(s.nPins, 1);
    EXPECT_DOUBLE_EQ(s.Pins[1], 25);
    EXPECT_EQ(s.bGrph, s.cGrph);
    m.xCur = 100;
    DblClick(s, m, host);
    EXPECT_EQ(s.nPins, 2);
    m.xCur = 60.9;  // within a pixel of the first marker
    DblClick(s, m, host);
    ASSERT_EQ(s.nPins, 1);
    EXPECT_DOUBLE_EQ(s.Pins[1], 50);
    EXPECT_EQ(host.draws, 1);
}

TEST(PlotMouse, TheHundredAndFirstMarkerIsNotAdded)
{
    Session s = Page();
    s.nPins = 100;
    for (int k = 1; k <= 100; ++k) s.Pins[static_cast<size_t>(k)] = 1000 + k;  // beyond the axis
    MouseState m;
    RecordingMouse host;
    m.xCur = 60;
    m.yCur = 50;
    DblClick(s, m, host);
    EXPECT_EQ(s.nPins, 100);
    EXPECT_DOUBLE_EQ(s.Pins[100], 1100);
}

TEST(PlotMouse, MarkersOnlyOnGraphsOverTheTime)
{
    Session s = Page();
    s.GrphTab[1].xVar = 2;
    MouseState m;
    RecordingMouse host;
    m.xCur = 60;
    m.yCur = 50;
    DblClick(s, m, host);
    EXPECT_EQ(s.nPins, 0);
    EXPECT_EQ(host.rings, 1);
}

TEST(PlotMouse, LiveLabelShowsThePositionAndTheDistanceFromTheLastMarker)
{
    Session s = Page();
    s.nPins = 1;
    s.Pins[1] = 12.5;
    MouseState m;
    RecordingMouse host;
    MouseMove(s, m, host, 52, 30);  // x 20, y 10
    EXPECT_EQ(host.live, "X= 20.00   D=7.50\r\nY= 10.000");
    EXPECT_DOUBLE_EQ(m.xWrd, 20);
    host.live.clear();
    MouseMove(s, m, host, 52.5, 30.5);  // less than a pixel: not a move
    EXPECT_TRUE(host.live.empty());
}

TEST(PlotMouse, HeldPanRepeatsUntilTheLimit)
{
    Session s = Page();
    VarRecord& t = s.VarTab[1];
    t.Dmin[1] = 0;
    t.Dmax[1] = 100;
    t.Rlo[1] = 0;
    t.Rhi[1] = 100;
    t.Alo[1] = 20;
    t.Ahi[1] = 40;
    t.Astp[1] = 5;
    t.Anum[1] = 4;
    s.bRept = true;
    EXPECT_TRUE(RepeatPan(s, -1));
    EXPECT_TRUE(RepeatPan(s, -1));
    EXPECT_FALSE(RepeatPan(s, -1));
    EXPECT_DOUBLE_EQ(t.Alo[1], 0);
    s.bRept = false;
    EXPECT_FALSE(RepeatPan(s, +1));
    EXPECT_DOUBLE_EQ(t.Alo[1], 0);
}

}  // namespace
}  // namespace zan
