#include "render/bar_flow.h"

#include <gtest/gtest.h>

#include <climits>

namespace zan {
namespace {

// Two buttons, then after a gap a label kept with its box and arrows.
std::vector<BarItem> Bar()
{
    return {
        {50, 20, false, 0},  // A
        {50, 20, false, 0},  // B
        {30, 14, false, 8},  // label
        {40, 20, true, 0},   // box
        {20, 20, true, 0},   // arrows
    };
}

struct FlowCase {
    const char* what;
    int available;
    int rows;
    int width;
    int height;
    std::vector<int> lefts;
    std::vector<int> tops;
};

TEST(BarFlow, WrapsWhereTheRowIsFullAndKeepsLabelsWithTheirBoxes)
{
    const std::vector<FlowCase> cases = {
        {"wide: one row, the gap before the label kept", 1000, 1, 210, 20, {0, 53, 114, 147, 190}, {0, 0, 3, 0, 0}},
        {"exactly wide enough", 210, 1, 210, 20, {0, 53, 114, 147, 190}, {0, 0, 3, 0, 0}},
        {"narrow: the label group moves down whole, centred, without its gap", 209, 2, 103, 44,
         {0, 53, 3, 36, 79}, {0, 0, 27, 24, 24}},
        {"narrower than one group: a row each, nothing cut", 60, 3, 96, 68,
         {23, 23, 0, 33, 76}, {0, 24, 51, 48, 48}},
    };
    for (const FlowCase& c : cases) {
        const BarPlacement p = FlowBar(Bar(), c.available, 3, 4);
        EXPECT_EQ(p.rows, c.rows) << c.what;
        EXPECT_EQ(p.width, c.width) << c.what;
        EXPECT_EQ(p.height, c.height) << c.what;
        ASSERT_EQ(p.items.size(), 5u) << c.what;
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(p.items[i].left, c.lefts[i]) << c.what << ", item " << i;
            EXPECT_EQ(p.items[i].top, c.tops[i]) << c.what << ", item " << i;
            EXPECT_EQ(p.items[i].width, Bar()[i].width) << c.what << ", item " << i;
        }
    }
}

TEST(BarFlow, NarrowestBarIsTheWidestGroupThatStaysTogether)
{
    EXPECT_EQ(NarrowestBar(Bar(), 3), 96);
    EXPECT_EQ(FlowBar(Bar(), NarrowestBar(Bar(), 3), 3, 4).width, 96);
    EXPECT_EQ(NarrowestBar({}, 3), 0);
    const BarPlacement none = FlowBar({}, INT_MAX, 3, 4);
    EXPECT_EQ(none.rows, 0);
    EXPECT_EQ(none.height, 0);
}

}  // namespace
}  // namespace zan
