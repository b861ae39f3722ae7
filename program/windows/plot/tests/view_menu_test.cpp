// The View menu of the main window.
#include "windows/plot/plot_window.h"

#include <QAction>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace zan {
namespace {

TEST(ViewOptions, MenuEntriesSetTheSessionAndMoveTheCheckMarks)
{
    Session s;
    PlotWindow w(s);
    QMenuBar bar;
    w.BuildMenus(&bar);
    const PlotMenus& m = w.menus();
    m.mnuLasts[7]->trigger();
    EXPECT_EQ(s.iLast, 7);
    EXPECT_EQ(w.Timer5.interval(), 1540);
    EXPECT_TRUE(m.mnuLasts[7]->isChecked());
    EXPECT_FALSE(m.mnuLasts[0]->isChecked());
    m.mnuFonts[1]->trigger();
    EXPECT_EQ(s.iFont, 1);
    EXPECT_FALSE(m.mnuFonts[4]->isChecked());
    m.mnuTitGrph->trigger();
    EXPECT_EQ(s.iTitGrph, 0);
    EXPECT_FALSE(m.mnuTitGrph->isChecked());
    m.mnuTran->trigger();
    EXPECT_EQ(s.iTran, -1);
    EXPECT_TRUE(m.mnuTran->isChecked());
    // Choosing the checked entry again leaves it checked.
    m.mnuMarks[0]->trigger();
    EXPECT_EQ(s.iMark, 0);
    EXPECT_TRUE(m.mnuMarks[0]->isChecked());
}

} // namespace
} // namespace zan
