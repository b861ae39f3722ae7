#include "interact/view_options.h"

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

} // namespace
} // namespace zan
