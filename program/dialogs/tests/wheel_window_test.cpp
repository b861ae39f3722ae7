// Real wheel events sent to the picture of the main window.
#include "dialogs/tests/plot_window_fixture.h"

#include "interact/wheel_zoom.h"

#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace zan {
namespace {

struct WheelWindow : testing::PlotWindowFixture {
    void wheel(QPointF at, QPoint turn, Qt::KeyboardModifiers mods = {})
    {
        QWheelEvent e(at, w->Picture1->mapToGlobal(at), QPoint(), turn, Qt::NoButton, mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w->Picture1, &e);
    }
    // Waits for the gesture to settle into a new level, then draws it.
    bool settledAt(int level)
    {
        const bool reached = QTest::qWaitFor([&] { return s.iZlvl == level; }, 5000);
        settle();
        return reached;
    }
    double timeLo(int level) const { return s.VarTab[1].Alo[static_cast<size_t>(level)]; }
    double timeHi(int level) const { return s.VarTab[1].Ahi[static_cast<size_t>(level)]; }
};

TEST(WheelWindow, TheWheelZoomsTheTimeAroundThePointerAndZoomOutStepsBack)
{
    WheelWindow fx;
    const QImage before = fx.w->Picture1->image().copy();
    // The pointer over time 150 of 0..200 on the first graph.
    fx.wheel(fx.inCell(1, 0.75, 0.5), QPoint(0, 120));
    EXPECT_EQ(fx.s.iZlvl, 1);  // not before the gesture settles
    ASSERT_TRUE(fx.settledAt(2));
    EXPECT_GT(fx.timeLo(2), 0);
    EXPECT_LT(fx.timeHi(2) - fx.timeLo(2), fx.timeHi(1) - fx.timeLo(1));
    EXPECT_LE(fx.timeLo(2), 150);
    EXPECT_GE(fx.timeHi(2), 150);
    EXPECT_NE(fx.w->Picture1->image(), before);
    ASSERT_TRUE(fx.w->Command3->isEnabled());
    fx.w->Command3->click();
    EXPECT_EQ(fx.s.iZlvl, 1);
    EXPECT_EQ(fx.w->Picture1->image(), before);
}

TEST(WheelWindow, ATrackpadBurstOfSmallStepsMakesOneLevel)
{
    WheelWindow fx;
    for (int i = 0; i < 40; ++i) fx.wheel(fx.inCell(1, 0.5, 0.5), QPoint(0, 3));
    ASSERT_TRUE(fx.settledAt(2));
    QTest::qWait(3 * kWheelSettleMs);
    EXPECT_EQ(fx.s.iZlvl, 2);
    EXPECT_EQ(fx.s.mZlvl, 2);
}

TEST(WheelWindow, ShiftAndTheWheelPanLikeTheArrowButtons)
{
    WheelWindow fx;
    fx.wheel(fx.inCell(1, 0.5, 0.5), QPoint(0, 720));
    ASSERT_TRUE(fx.settledAt(2));
    const double lo = fx.timeLo(2);
    const double step = fx.s.VarTab[1].Astp[2];
    for (int direction : {-1, +1}) {
        SCOPED_TRACE(direction);
        fx.wheel(fx.inCell(1, 0.5, 0.5), QPoint(0, -120 * direction), Qt::ShiftModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return fx.timeLo(2) != lo; }, 5000));
        EXPECT_DOUBLE_EQ(fx.timeLo(2), lo + 2 * direction * step);
        EXPECT_EQ(fx.s.iZlvl, 2);
        // "<" and ">" pan by the same step.
        (direction < 0 ? fx.w->Command5 : fx.w->Command4)->click();
        EXPECT_DOUBLE_EQ(fx.timeLo(2), lo);
    }
}

}  // namespace
}  // namespace zan
