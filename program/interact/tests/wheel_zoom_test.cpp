#include "interact/wheel_zoom.h"

#include "interact/zoom_history.h"
#include "platform/fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zan {
namespace {

struct RecordingHost : MouseHost {
    double PictureWidth() const override { return 400; }
    void PictDraw() override { ++draws; }
    void ButnStat() override { ++states; }
    void DrawDelayed(int ms) override { delays.push_back(ms); }
    int draws = 0, states = 0;
    std::vector<int> delays;
};

// One graph in the left half of a 400 x 340 picture, cell 20..180 wide:
// time 0..100 (ticks of 20) at level 1, the line 0..10.
Session Page(double xlo = 0, double xhi = 100)
{
    Session s;
    s.nCols = 2;
    s.nRows = 1;
    s.nCell = 2;
    s.nGrph = 1;
    s.nVar = 2;
    s.VarTab.assign(2);
    for (int v = 1; v <= 2; ++v) {
        VarRecord& r = s.VarTab[v];
        const double hi = v == 1 ? 100 : 10;
        r.Dmin[1] = r.Vlo[1] = r.Alo[1] = r.Rlo[1] = 0;
        r.Dmax[1] = r.Vhi[1] = r.Ahi[1] = r.Rhi[1] = hi;
        r.Astp[1] = hi / 5;
        r.Anum[1] = 5;
    }
    s.Ytitl = 20;
    s.Yarea = 300;
    s.Yfoot = 320;
    s.lderr = 0;
    s.drErr = 0;
    s.GrphTab.assign(1);
    GraphRecord& g = s.GrphTab[1];
    g.xVar = 1;
    g.nLine = 1;
    g.Lines[1] = 2;
    g.Xaxis.Alo = xlo;
    g.Xaxis.Ahi = xhi;
    g.Yaxis.Alo = 0;
    g.Yaxis.Ahi = 10;
    CellRecord& c = s.CellTab[1];
    c.Left = 20;
    c.Width = 160;
    c.Right = 180;
    c.Top = 40;
    c.Height = 200;
    c.Bottom = 240;
    return s;
}

// The picture column of a time on the graph of Page.
double Column(double t, double xlo = 0, double xhi = 100) { return 20 + (t - xlo) / (xhi - xlo) * 160; }

struct Wheel {
    explicit Wheel(Session session) : s(std::move(session)), zoom(s, m, host, settle) {}
    Session s;
    MouseState m;
    RecordingHost host;
    FakeTimer settle;
    WheelZoom zoom;
};

TEST(WheelZoom, AGestureMakesOneLevelAroundThePointerWhenItSettles)
{
    const double k = kWheelZoomIn;
    struct Case {
        const char* label;
        int events;
        int turn;  // of each event
        double lo, hi;  // the time window asked for
    } cases[] = {
        {"one notch of a mouse wheel", 1, 120, 25 - 25 * k, 25 + 75 * k},
        {"a trackpad's forty small steps", 40, 3, 25 - 25 * k, 25 + 75 * k},
        {"three notches at once", 3, 120, 25 - 25 * k * k * k, 25 + 75 * k * k * k},
        {"less than a notch zooms by one", 2, 10, 25 - 25 * k, 25 + 75 * k},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Session s = Page();
        s.VarTab[2].Alo[1] = -2;  // set by hand
        s.VarTab[2].Ahi[1] = 12;
        s.VarTab[2].Lfix[1] = 1;
        Wheel w(std::move(s));
        for (int i = 0; i < c.events; ++i) {
            w.zoom.Wheel(Column(25), 100 + i % 3, 0, c.turn, false);
            w.settle.elapse(kWheelSettleMs / 2);
        }
        EXPECT_EQ(w.s.iZlvl, 1);  // nothing while the gesture goes on
        w.settle.elapse(kWheelSettleMs);
        ASSERT_EQ(w.s.iZlvl, 2);
        EXPECT_EQ(w.s.mZlvl, 2);
        EXPECT_NEAR(w.s.VarTab[1].Vlo[2], c.lo, 1e-9);
        EXPECT_NEAR(w.s.VarTab[1].Vhi[2], c.hi, 1e-9);
        // The line keeps its axis and its hand-set range.
        EXPECT_EQ(w.s.VarTab[2].Alo[2], -2);
        EXPECT_EQ(w.s.VarTab[2].Ahi[2], 12);
        EXPECT_EQ(w.s.VarTab[2].Lfix[2], 1);
        EXPECT_EQ(w.s.drErr, 3);
        EXPECT_EQ(w.host.delays, std::vector<int>{110});
        EXPECT_EQ(w.settle.ticks, 1);
        w.settle.elapse(10 * kWheelSettleMs);
        EXPECT_EQ(w.s.iZlvl, 2);
        PrvZoom(w.s);
        EXPECT_EQ(w.s.iZlvl, 1);
    }
}

TEST(WheelZoom, ANotchThatTheAxisDivisionWouldUndoTakesAnotherNotch)
{
    // 0..120 in ticks of 20: 18..102 divides back into 0..120.
    const double k = kWheelZoomIn;
    ASSERT_EQ(k, 0.7);
    Wheel w(Page(0, 120));
    w.zoom.Wheel(Column(60, 0, 120), 100, 0, 120, false);
    w.settle.fire();
    ASSERT_EQ(w.s.iZlvl, 2);
    EXPECT_NEAR(w.s.VarTab[1].Vlo[2], 60 - 60 * k * k, 1e-9);
    EXPECT_NEAR(w.s.VarTab[1].Vhi[2], 60 + 60 * k * k, 1e-9);
    EXPECT_LT(w.s.VarTab[1].Ahi[2] - w.s.VarTab[1].Alo[2], 120);
}

TEST(WheelZoom, TurningTowardsTheUserWidensWithinTheRangeOfAllData)
{
    struct Case {
        const char* label;
        double xlo, xhi, at;
        bool level;
        double lo, hi;
    } cases[] = {
        {"around the pointer", 40, 60, 50, true, 50 - 10 / kWheelZoomIn, 50 + 10 / kWheelZoomIn},
        {"moved inside at the start", 0, 20, 5, true, 0, 20 / kWheelZoomIn},
        {"moved inside at the end", 80, 100, 95, true, 100 - 20 / kWheelZoomIn, 100},
        {"never wider than all data", 10, 95, 50, true, 0, 100},
        {"all data shown already", 0, 100, 50, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Wheel w(Page(c.xlo, c.xhi));
        w.zoom.Wheel(Column(c.at, c.xlo, c.xhi), 100, 0, -120, false);
        w.settle.fire();
        ASSERT_EQ(w.s.iZlvl, c.level ? 2 : 1);
        if (!c.level) {
            EXPECT_TRUE(w.host.delays.empty());
            continue;
        }
        EXPECT_NEAR(w.s.VarTab[1].Vlo[2], c.lo, 1e-9);
        EXPECT_NEAR(w.s.VarTab[1].Vhi[2], c.hi, 1e-9);
    }
}

TEST(WheelZoom, ShiftOrASidewaysWheelPansByTheStepOfTheButtons)
{
    struct Case {
        const char* label;
        int dx, dy;
        bool shift;
        double alo;  // of the time axis after the gesture, from 40..60 in ticks of 4
    } cases[] = {
        {"Shift and a notch away from the user pans left", 0, 120, true, 32},
        {"Shift and a notch towards the user pans right", 0, -120, true, 48},
        {"three notches pan three steps", 0, -360, true, 64},
        {"a sideways wheel pans without Shift", 120, 0, false, 32},
        {"to the limit and no further", 0, -1200, true, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Session s = Page(40, 60);
        s.CurGrph = s.GrphTab[1];
        SetZoom(s, 40, 60, 0, 10);  // time 40..60 in ticks of 4 at level 2
        Wheel w(std::move(s));
        ASSERT_EQ(w.s.VarTab[1].Astp[2], 4);
        w.zoom.Wheel(Column(50, 40, 60), 100, c.dx, c.dy, c.shift);
        w.settle.fire();
        EXPECT_EQ(w.s.iZlvl, 2);
        EXPECT_EQ(w.s.mZlvl, 2);
        EXPECT_EQ(w.s.VarTab[1].Alo[2], c.alo);
        EXPECT_EQ(w.s.VarTab[1].Ahi[2] - w.s.VarTab[1].Alo[2], 20);
        EXPECT_EQ(w.host.draws, 1);
        EXPECT_EQ(w.host.states, 1);
    }
    // At the start of the data there is nothing to pan to and nothing to draw.
    Wheel w(Page());
    w.zoom.Wheel(Column(50), 100, 0, 120, true);
    w.settle.fire();
    EXPECT_EQ(w.s.VarTab[1].Alo[1], 0);
    EXPECT_EQ(w.host.draws, 0);
}

TEST(WheelZoom, AGestureThatEndsDuringADrawingWaitsForItAndOthersAreDropped)
{
    {
        SCOPED_TRACE("a page being drawn");
        Wheel w(Page());
        w.zoom.Wheel(Column(25), 100, 0, 120, false);
        w.s.drErr = 2;
        w.settle.elapse(3 * kWheelSettleMs);
        EXPECT_EQ(w.s.iZlvl, 1);
        EXPECT_TRUE(w.settle.isEnabled());
        w.s.drErr = 0;
        w.settle.fire();
        EXPECT_EQ(w.s.iZlvl, 2);
    }
    struct Case {
        const char* label;
        void (*set)(Session&, MouseState&);
        double x, y;
    } dropped[] = {
        {"a band being dragged", [](Session&, MouseState& m) { m.bBand = true; }, Column(25), 100},
        {"no data loaded", [](Session& s, MouseState&) { s.lderr = 1; }, Column(25), 100},
        {"at the deepest level", [](Session& s, MouseState&) { s.iZlvl = s.mZlvl = kZoomLevels; }, Column(25), 100},
        {"over the title band", [](Session&, MouseState&) {}, Column(25), 10},
        {"over the empty cell", [](Session&, MouseState&) {}, 300, 100},
    };
    for (const Case& c : dropped) {
        SCOPED_TRACE(c.label);
        Wheel w(Page());
        w.zoom.Wheel(c.x, c.y, 0, 120, false);
        c.set(w.s, w.m);
        const int level = w.s.iZlvl;
        w.settle.elapse(3 * kWheelSettleMs);
        EXPECT_EQ(w.s.iZlvl, level);
        EXPECT_EQ(w.s.mZlvl, level);
        EXPECT_TRUE(w.host.delays.empty());
        EXPECT_FALSE(w.settle.isEnabled());
    }
}

TEST(WheelZoom, SwitchingBetweenZoomAndPanEndsTheGestureSoFar)
{
    Session s = Page();
    Wheel w(std::move(s));
    w.zoom.Wheel(Column(50), 100, 0, 120, false);
    EXPECT_EQ(w.s.iZlvl, 1);
    w.s.drErr = 0;
    w.zoom.Wheel(Column(50), 100, 0, -120, true);
    // The zoom is made at once; the pan waits for the zoomed page.
    EXPECT_EQ(w.s.iZlvl, 2);
    EXPECT_EQ(w.host.draws, 0);
    w.s.drErr = 0;
    w.settle.fire();
    EXPECT_EQ(w.host.draws, 1);
}

}  // namespace
}  // namespace zan
