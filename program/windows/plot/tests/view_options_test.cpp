#include "windows/plot/plot_window.h"
#include "interact/view_options.h"

#include <QAction>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace zan {
namespace {

TEST(ViewOptions, ChoicesChangeOnlyWhenDifferentAndTitlesToggle)
{
    int field = 2;
    EXPECT_FALSE(ChooseOption(field, 2));
    EXPECT_TRUE(ChooseOption(field, 5));
    EXPECT_EQ(field, 5);
    const std::pair<int, int> flags[] = {{1, 0}, {0, 1}, {-1, 1}, {7, 1}};
    for (auto [before, after] : flags) {
        int flag = before;
        ToggleTitle(flag);
        EXPECT_EQ(flag, after) << before;
    }
    Session s;
    ToggleTranspose(s);
    EXPECT_EQ(s.iTran, -1);
    ToggleTranspose(s);
    EXPECT_EQ(s.iTran, 0);
}

TEST(ViewOptions, WatchIntervalFollowsTheLastWindow)
{
    const int expected[] = {550, 550, 550, 660, 880, 1100, 1320, 1540};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(WatchInterval(i), expected[i]) << i;
}

TEST(ViewOptions, ClearRemovesTheMarkersAndRedrawsOnlyWithData)
{
    Session s;
    s.nPins = 4;
    s.lderr = 1;
    EXPECT_FALSE(ClearMarkers(s));
    EXPECT_EQ(s.nPins, 0);
    s.nPins = 2;
    s.lderr = 0;
    EXPECT_TRUE(ClearMarkers(s));
}

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
