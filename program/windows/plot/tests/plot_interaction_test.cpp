// Real mouse and key events sent to the main window over a loaded page.
#include "windows/plot/fixed_scale_dialog.h"
#include "windows/plot/legend_dialog.h"
#include "windows/plot/plot_window.h"
#include "windows/plot/plot_window_picture.h"
#include "windows/plot/tests/plot_window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace zan {
namespace {

using Window = testing::PlotWindowFixture;

TEST(PlotInteraction, DragZoomThenZoomOutGivesBackTheSamePicture)
{
    Window fx;
    const QImage before = fx.w->Picture1->image().copy();
    const QPointF from = fx.inCell(1, 0.2, 0.2);
    const QPointF to = fx.inCell(1, 0.6, 0.7);
    fx.mouse(QEvent::MouseButtonPress, Qt::LeftButton, from);
    const QImage pressed = fx.w->Picture1->image().copy();  // with the pick's ring
    fx.mouse(QEvent::MouseMove, Qt::NoButton, (from + to) / 2);
    fx.mouse(QEvent::MouseMove, Qt::NoButton, to);
    EXPECT_FALSE(fx.w->Picture1->band().isNull());
    fx.mouse(QEvent::MouseButtonRelease, Qt::LeftButton, to);
    EXPECT_EQ(fx.s.iZlvl, 2);
    EXPECT_EQ(fx.s.drErr, 3);
    // The band is gone and the picture untouched until the delayed drawing.
    EXPECT_TRUE(fx.w->Picture1->band().isNull());
    EXPECT_EQ(fx.w->Picture1->image(), pressed);
    fx.settle();
    EXPECT_EQ(fx.s.drErr, 0);
    EXPECT_NE(fx.w->Picture1->image(), before);
    // A second click on the graph clears the pick, then back to level 1.
    fx.click(Qt::LeftButton, from);
    EXPECT_EQ(fx.s.bGrph, 0);
    EXPECT_TRUE(fx.w->Command3->isEnabled());
    fx.w->Command3->click();
    EXPECT_EQ(fx.s.iZlvl, 1);
    EXPECT_EQ(fx.w->Picture1->image(), before);
    EXPECT_TRUE(fx.w->Command7->isEnabled());
    fx.w->Command7->click();
    EXPECT_EQ(fx.s.iZlvl, 2);
}

TEST(PlotInteraction, RightDragRescalesEveryVariableToTheTimeWindow)
{
    Window fx;
    fx.drag(Qt::RightButton, fx.inCell(1, 0.25, 0.5), fx.inCell(1, 0.5, 0.5));
    ASSERT_EQ(fx.s.iZlvl, 2);
    const VarRecord& c = fx.s.VarTab[4];
    EXPECT_GT(c.Dmin[2], 0);
    EXPECT_LT(c.Dmax[2], c.Dmax[1]);
}

TEST(PlotInteraction, EndOnTheFirstPageGoesToTheLastAndBack)
{
    Window fx;
    fx.key(Qt::Key_End);
    EXPECT_EQ(fx.s.iPage, 2);
    EXPECT_EQ(fx.w->Label2->text(), "Page 2/2");
    EXPECT_FALSE(fx.w->Command2->isEnabled());
    fx.key(Qt::Key_End);
    EXPECT_EQ(fx.s.iPage, 1);
    fx.key(Qt::Key_Minus, Qt::KeypadModifier);  // at level 1 already
    EXPECT_EQ(fx.s.iZlvl, 1);
}

TEST(PlotInteraction, DoubleClickTwiceAtOnePlaceAddsThenRemovesAMarker)
{
    Window fx;
    const QPointF at = fx.inCell(2, 0.4, 0.5);
    for (int expected : {1, 0}) {
        fx.click(Qt::LeftButton, at);
        fx.mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, at);
        fx.mouse(QEvent::MouseButtonRelease, Qt::LeftButton, at);
        EXPECT_EQ(fx.s.nPins, expected);
    }
}

TEST(PlotInteraction, RightClickOpensTheFixedScaleOnAGraphAndTheLegendBelow)
{
    Window fx;
    fx.click(Qt::LeftButton, fx.inCell(1, 0.5, 0.5));
    EXPECT_TRUE(fx.w->Popup.isNull());
    fx.click(Qt::RightButton, fx.inCell(1, 0.5, 0.5));
    auto* scale = qobject_cast<FixedScaleDialog*>(fx.w->Popup.data());
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(scale->windowTitle(), "Set Fixed Scale");
    // Sim on the graph of the right click applies at once.
    scale->Command2->click();
    const AxisState& y = fx.s.GrphTab[1].Yaxis;
    EXPECT_DOUBLE_EQ(y.Alo, -y.Ahi);
    scale->close();
    QApplication::processEvents();

    fx.click(Qt::RightButton, QPointF(50, fx.s.Yfoot + 2));
    auto* legend = qobject_cast<LegendDialog*>(fx.w->Popup.data());
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->Check1->text(), "Show File Path");
    legend->Check1->click();
    EXPECT_EQ(fx.s.lTitf, 1);
}

TEST(PlotInteraction, EnterInAFixedScaleBoxAppliesItAtOnce)
{
    Window fx;
    fx.click(Qt::RightButton, fx.inCell(2, 0.5, 0.5));
    auto* scale = qobject_cast<FixedScaleDialog*>(fx.w->Popup.data());
    ASSERT_NE(scale, nullptr);
    QLineEdit* lower = scale->Text1[kBoxYlo];
    lower->setText("-4");
    lower->setModified(true);  // as typing leaves it
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, {});
    QApplication::sendEvent(lower, &enter);
    const int line = fx.s.GrphTab[2].Lines[1];
    EXPECT_NEAR(fx.s.VarTab[line].Vlo[1], -4, 0.01);
    EXPECT_EQ(fx.s.VarTab[line].Lfix[1], 1);
    EXPECT_EQ(lower->text(), QString::fromStdString(FixedScaleTexts(fx.s, scale->scale())[kBoxYlo]));
    scale->Command2->click();  // "Sim" now uses the lower bound entered
    EXPECT_NEAR(fx.s.VarTab[line].Vhi[1], 4, 0.01);
    scale->close();
}

TEST(PlotInteraction, FixedScaleBoxesLeftUntypedKeepBoundsTheirFormatRounds)
{
    Window fx;
    fx.click(Qt::RightButton, fx.inCell(2, 0.5, 0.5));
    auto* scale = qobject_cast<FixedScaleDialog*>(fx.w->Popup.data());
    ASSERT_NE(scale, nullptr);
    auto type = [&](int box, const char* text, bool enter) {
        QLineEdit* e = scale->Text1[static_cast<size_t>(box)];
        e->setText(text);
        e->setModified(true);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(e, &out);
        if (enter) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, {});
            QApplication::sendEvent(e, &key);
        }
    };
    type(kBoxYhi, "3e-7", false);
    type(kBoxYlo, "1e-7", true);
    const int line = fx.s.GrphTab[2].Lines[1];
    ASSERT_NEAR(fx.s.VarTab[line].Vhi[1], 3e-7, 1e-9);
    // Shown rounded now; passing through the boxes and applying keeps them.
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(scale->Text1[kBoxYhi], &out);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, {});
    QApplication::sendEvent(scale->Text1[kBoxYlo], &key);
    EXPECT_NEAR(fx.s.VarTab[line].Vhi[1], 3e-7, 1e-9);
    EXPECT_NEAR(fx.s.VarTab[line].Vlo[1], 1e-7, 1e-9);
    scale->close();
}

TEST(PlotInteraction, LiveLabelFollowsThePointerAndSitsBesideTheBar)
{
    Window fx;
    fx.mouse(QEvent::MouseMove, Qt::NoButton, fx.inCell(1, 0.5, 0.5));
    EXPECT_TRUE(fx.w->LabelD->text().startsWith("X= "));
    EXPECT_TRUE(fx.w->LabelD->text().contains("\nY= "));
    EXPECT_TRUE(fx.w->Timer4.isActive());
    EXPECT_EQ(fx.w->LabelD->y(), fx.w->LabelL->y());
}

TEST(PlotInteraction, HoverLabelNamesTheSampleUnderThePointer)
{
    Window fx;
    // Graph 3 draws c = t^2/100; its sample at t = 100 is 100.
    fx.s.CurGrph = fx.s.GrphTab[3];
    fx.s.CurCell = fx.s.CellTab[3];
    const CellRecord& c = fx.s.CellTab[3];
    const AxisState& X = fx.s.GrphTab[3].Xaxis;
    const AxisState& Y = fx.s.GrphTab[3].Yaxis;
    const QPointF at(c.Left + (100 - X.Alo) / (X.Ahi - X.Alo) * c.Width,
                     c.Top + (Y.Ahi - 100) / (Y.Ahi - Y.Alo) * c.Height);
    fx.mouse(QEvent::MouseMove, Qt::NoButton, at);
    fx.w->Timer4.stop();
    fx.w->WhatFile();
    ASSERT_TRUE(fx.w->Label3->isVisible());
    EXPECT_TRUE(fx.w->Label3->text().contains("time: 100")) << fx.w->Label3->text().toStdString();
    EXPECT_LE(fx.w->Label3->geometry().right(), fx.w->Picture1->width());

    // The pointer jumps onto the tip and rests there: the plot still follows
    // it, and the tip comes back for the new place.
    const QPoint onTip = fx.w->Label3->geometry().center();
    QTest::mouseMove(fx.w->windowHandle(), fx.w->Picture1->mapTo(fx.w.get(), onTip));
    QApplication::processEvents();
    EXPECT_EQ(fx.w->Mouse.xCur, onTip.x());
    EXPECT_EQ(fx.w->Mouse.yCur, onTip.y());
    EXPECT_FALSE(fx.w->Label3->isVisible());
    EXPECT_TRUE(fx.w->Timer4.isActive());
}

TEST(PlotInteraction, AHeldPanButtonRepeatsUntilTheLimit)
{
    Window fx;
    // Zoomed into the first third of the time: room to pan right only.
    fx.drag(Qt::LeftButton, fx.inCell(1, 0.0, 0.1), fx.inCell(1, 0.3, 0.9));
    fx.settle();
    ASSERT_EQ(fx.s.iZlvl, 2);
    EXPECT_FALSE(fx.w->Command4->isEnabled());
    ASSERT_TRUE(fx.w->Command5->isEnabled());
    const VarRecord& t = fx.s.VarTab[1];
    const double width = t.Ahi[2] - t.Alo[2];
    const double start = t.Alo[2];

    const QPointF centre = QRectF(fx.w->Command5->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, fx.w->Command5->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, {});
    QApplication::sendEvent(fx.w->Command5, &press);
    EXPECT_GT(t.Alo[2], start);  // the press pans once at once
    EXPECT_TRUE(fx.w->Timer3.isActive());
    // Held long enough to reach the end of the data.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!fx.w->Command5->isEnabled())
            loop.quit();
    });
    poll.start(50);
    QTimer::singleShot(220 * 60, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_DOUBLE_EQ(t.Ahi[2], t.Rhi[2]);
    EXPECT_DOUBLE_EQ(t.Ahi[2] - t.Alo[2], width);
    // The next tick finds the button disabled and stops repeating.
    poll.stop();
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(fx.w->Timer3.isActive());
    EXPECT_FALSE(fx.w->Command5->isEnabled());
    QMouseEvent release(QEvent::MouseButtonRelease, centre, fx.w->Command5->mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, {});
    QApplication::sendEvent(fx.w->Command5, &release);
    EXPECT_FALSE(fx.s.bRept);
}

TEST(PlotInteraction, AClickedPanButtonLeavesNoRepeatToPanWhileTheOtherIsHeld)
{
    Window fx;
    fx.drag(Qt::LeftButton, fx.inCell(1, 0.3, 0.1), fx.inCell(1, 0.6, 0.9));
    fx.settle();
    const VarRecord& t = fx.s.VarTab[1];
    const double start = t.Alo[2];
    ASSERT_TRUE(fx.w->Command4->isEnabled() && fx.w->Command5->isEnabled());
    fx.w->Command5->click();
    EXPECT_GT(t.Alo[2], start);
    EXPECT_FALSE(fx.w->Timer3.isActive());
    // Held "<": its own repeat runs, and a repeat of ">" started anyway finds
    // its button up and pans nothing.
    const QPointF centre = QRectF(fx.w->Command4->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, fx.w->Command4->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, {});
    QApplication::sendEvent(fx.w->Command4, &press);
    EXPECT_DOUBLE_EQ(t.Alo[2], start);
    EXPECT_TRUE(fx.w->Timer2.isActive());
    fx.w->Timer3.start(0);
    QTest::qWait(20);
    EXPECT_DOUBLE_EQ(t.Alo[2], start);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, fx.w->Command4->mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, {});
    QApplication::sendEvent(fx.w->Command4, &release);
    EXPECT_FALSE(fx.w->Timer2.isActive());
    EXPECT_FALSE(fx.s.bRept);
}

TEST(PlotInteraction, TheLastLabelIsWhollyShownOnceItsWindowIsChosen)
{
    Window fx;
    fx.s.iLast = 5;
    fx.w->PictDraw();
    QCoreApplication::processEvents();
    fx.settle();
    const QLabel* label = fx.w->LabelL;
    EXPECT_TRUE(label->text().startsWith("Last"));
    EXPECT_GE(label->width(), label->sizeHint().width());
    EXPECT_LE(label->geometry().right(), fx.w->width() - 1);
    EXPECT_GT(label->x(), fx.w->Label2->geometry().right());
}

TEST(PlotInteraction, BoxesRevertWhatTheyCannotTake)
{
    Window fx;
    for (const char* bad : {"", "x", "-1", "0.4", "99999999999"}) {
        fx.w->Text2->setText(bad);
        fx.w->Text1->setText(bad);
        QApplication::processEvents();
        EXPECT_EQ(fx.w->Text2->text(), "2") << bad;
        EXPECT_EQ(fx.w->Text1->text(), "1") << bad;
    }
    fx.w->Text2->setText("6");
    EXPECT_EQ(fx.s.nCols, 6);
    EXPECT_EQ(fx.s.nRows, 3);
    EXPECT_EQ(fx.w->Text3->text(), "3");
}

TEST(PlotInteraction, BoxesTakeTheRoundedNumberOfWhatIsTyped)
{
    Window fx;
    fx.w->Text2->selectAll();
    QTest::keyClicks(fx.w->Text2, "3x");
    QApplication::processEvents();
    EXPECT_EQ(fx.s.nCols, 3);
    EXPECT_EQ(fx.w->Text2->text(), "3");
    fx.w->Text3->setText("2.6");
    QApplication::processEvents();
    EXPECT_EQ(fx.s.nRows, 3);
    EXPECT_EQ(fx.w->Text3->text(), "3");
    fx.w->Text1->setText("2.6");
    QApplication::processEvents();
    EXPECT_EQ(fx.s.iStep, 3);
    EXPECT_EQ(fx.w->Text1->text(), "3");
}

}  // namespace
}  // namespace zan
