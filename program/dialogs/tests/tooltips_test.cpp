// Every button and box tells what it does when the pointer rests on it.
#include "dialogs/fixed_scale_dialog.h"
#include "dialogs/legend_dialog.h"
#include "dialogs/move_window.h"
#include "dialogs/plot_window_updown.h"
#include "dialogs/tests/plot_window_fixture.h"
#include "session/tests/session_fakes.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace zan {
namespace {

// The tip shown when the pointer rests on the middle of a widget.
std::string Hover(QWidget* w)
{
    const QPoint at = w->rect().center();
    QHelpEvent e(QEvent::ToolTip, at, w->mapToGlobal(at));
    QApplication::sendEvent(w, &e);
    return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
}

// The tip of an entry when the pointer rests on it in its open menu.
std::string Hover(QMenu* menu, QAction* entry)
{
    const QPoint at = menu->actionGeometry(entry).center();
    QHelpEvent e(QEvent::ToolTip, at, menu->mapToGlobal(at));
    QApplication::sendEvent(menu, &e);
    return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
}

// The buttons, boxes, lists and spin controls a user can reach in a window.
std::vector<QWidget*> Controls(QWidget* window)
{
    std::vector<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QComboBox*>(w) || qobject_cast<UpDown*>(w);
        // The line edit inside a list and the hidden exponent box are no controls of their own.
        if (control && !w->isHidden() && !qobject_cast<QComboBox*>(w->parentWidget())) controls.push_back(w);
    }
    return controls;
}

void ExpectEveryControlTipped(QWidget* window, int atLeast)
{
    const std::vector<QWidget*> controls = Controls(window);
    EXPECT_GE(static_cast<int>(controls.size()), atLeast);
    for (QWidget* w : controls) {
        const QString name = qobject_cast<QAbstractButton*>(w) ? qobject_cast<QAbstractButton*>(w)->text()
                                                                 : QString(w->metaObject()->className());
        SCOPED_TRACE(name.toStdString());
        // A control without a tip of its own shows the one of the control it is part of.
        QString tip;
        for (QWidget* p = w; tip.isEmpty() && p && p != window; p = p->parentWidget()) tip = p->toolTip();
        ASSERT_FALSE(tip.isEmpty());
        EXPECT_EQ(Hover(w), tip.toStdString());
    }
}

TEST(Tooltips, EveryButtonAndBoxOfTheWindowsTellsWhatItDoes)
{
    testing::PlotWindowFixture fx;
    SCOPED_TRACE("main window");
    ExpectEveryControlTipped(fx.w.get(), 17);  // 8 buttons, 3 boxes, 3 spin controls of 2 arrows
    EXPECT_EQ(Hover(fx.w->Command3), "Back to the previous zoom level (keypad -)");
    EXPECT_EQ(Hover(fx.w->UpDown1->findChild<QAbstractButton*>()), "Draw rate 1, 10, 100, 1000 or 10000");
    QLabel* rate = nullptr;
    for (QLabel* label : fx.w->Frame1->findChildren<QLabel*>())
        if (label->text() == "Draw Rate ") rate = label;
    ASSERT_NE(rate, nullptr);
    EXPECT_EQ(Hover(rate), "Draw every n-th sample of each curve: 1 draws all, more draws faster");
    // The tips the boxes always had stay as they were.
    EXPECT_EQ(Hover(fx.w->Text1), "Set Drawing rate of data.");
    EXPECT_EQ(Hover(fx.w->Text2), "Set Columns Number.");
    EXPECT_EQ(Hover(fx.w->Text3), "Set Rows Number.");

    testing::FakeLibrary library;
    MoveWindow move(fx.s, library);
    move.Load();
    move.show();
    {
        SCOPED_TRACE("move window");
        ExpectEveryControlTipped(&move, 9);
        EXPECT_EQ(Hover(move.Command1[4]), "Clear All");
        EXPECT_EQ(Hover(move.Command1[1]), "Move the line up by a twentieth of its axis");
    }
    fx.s.CurGrph = fx.s.GrphTab[1];
    FixedScaleDialog scale(fx.s, {});
    scale.show();
    {
        SCOPED_TRACE("fixed scale window");
        ExpectEveryControlTipped(&scale, 6);
        EXPECT_EQ(Hover(scale.Command2), "Set fixed simmetric line scaling.");
        EXPECT_EQ(Hover(scale.Text1[0]), "Top of the y axis");
    }
    LegendDialog legend(fx.s, {});
    legend.show();
    {
        SCOPED_TRACE("legend window");
        ExpectEveryControlTipped(&legend, 1);
    }
}

TEST(Tooltips, MenuEntriesWhoseCaptionDoesNotTellShowATip)
{
    Session s;
    s.lderr = 1;
    PlotWindow w(s);
    QMenuBar bar;
    w.BuildMenus(&bar);
    const PlotMenus& m = w.menus();
    m.mnuFile->popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return m.mnuFile->isVisible(); }, 2000));
    EXPECT_EQ(Hover(m.mnuFile, m.mnuRezoom), "Back to the whole range of the data; scales set by hand are dropped");
    EXPECT_EQ(Hover(m.mnuFile, m.mnuQuit), "Leave without saving the settings");
    m.mnuFile->hide();
    QToolTip::hideText();
    ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    QMenu* sizes = m.mnuTexts[0]->menu() ? nullptr : qobject_cast<QMenu*>(m.mnuTexts[0]->parent());
    ASSERT_NE(sizes, nullptr);
    sizes->popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sizes->isVisible(); }, 2000));
    // "Huge" says it all: no tip repeats it.
    EXPECT_EQ(Hover(sizes, m.mnuTexts[0]), "");
    sizes->hide();
}

}  // namespace
}  // namespace zan
