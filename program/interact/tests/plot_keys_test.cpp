#include "interact/plot_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace zan {
namespace {

struct RecordingKeys : KeyHost {
    void Redraw() override { ++redraws; }
    void ShowSelect() override { ++selects; }
    int redraws = 0;
    int selects = 0;
};

// 20 graphs of 6 a page (4 pages), zoom level 3 of 5, time panned to the middle.
Session Ready(int page)
{
    Session s;
    s.nGrph = 20;
    s.nCols = 2;
    s.nRows = 3;
    s.nCell = 6;
    s.iPage = page;
    s.iZlvl = 3;
    s.mZlvl = 5;
    s.VarTab.assign(1);
    for (int L = 1; L <= 5; ++L) {
        VarRecord& t = s.VarTab[1];
        t.Dmin[L] = 0;
        t.Dmax[L] = 100;
        t.Rlo[L] = 0;
        t.Rhi[L] = 100;
        t.Alo[L] = 40;
        t.Ahi[L] = 60;
        t.Astp[L] = 5;
        t.Anum[L] = 4;
    }
    return s;
}

TEST(PlotKeys, TheKeyTable)
{
    struct Case {
        int key;
        int page;
        int newPage;
        int newLevel;
        double newAlo;
        int redraws;
    };
    const Case cases[] = {
        {kKeyPageUp, 2, 1, 3, 40, 1},     {kKeyUp, 1, 1, 3, 40, 0},
        {kKeyPageDown, 3, 4, 3, 40, 1},   {kKeyDown, 4, 4, 3, 40, 0},
        {kKeyEnd, 1, 4, 3, 40, 1},        {kKeyEnd, 3, 1, 3, 40, 1},
        {kKeyHome, 3, 1, 3, 40, 1},       {kKeyLeft, 1, 1, 3, 30, 1},
        {kKeyRight, 1, 1, 3, 50, 1},      {kKeyInsert, 1, 1, 5, 40, 1},
        {kKeyPad0, 1, 1, 5, 40, 1},       {kKeyPadDivide, 1, 1, 5, 40, 1},
        {kKeyDelete, 1, 1, 1, 40, 1},     {kKeyPadMultiply, 1, 1, 1, 40, 1},
        {kKeyPadDecimal, 1, 1, 1, 40, 1}, {kKeyPadAdd, 1, 1, 4, 40, 1},
        {kKeyPadSubtract, 1, 1, 2, 40, 1},
    };
    for (const Case& c : cases) {
        Session s = Ready(c.page);
        RecordingKeys host;
        EXPECT_EQ(FormKeyDown(s, host, c.key), 0) << c.key;
        EXPECT_EQ(s.iPage, c.newPage) << c.key;
        EXPECT_EQ(s.iZlvl, c.newLevel) << c.key;
        EXPECT_DOUBLE_EQ(s.VarTab[1].Alo[3], c.newAlo) << c.key;
        EXPECT_EQ(host.redraws, c.redraws) << c.key;
        EXPECT_FALSE(s.bKeyb);
    }
}

TEST(PlotKeys, HomeGoesToThePageOfThePickedGraph)
{
    Session s = Ready(1);
    s.bGrph = 15;
    s.cGrph = 15;
    RecordingKeys host;
    FormKeyDown(s, host, kKeyHome);
    EXPECT_EQ(s.iPage, 3);
}

TEST(PlotKeys, F3OpensTheSelectionAndOtherKeysPassThrough)
{
    Session s = Ready(2);
    RecordingKeys host;
    EXPECT_EQ(FormKeyDown(s, host, kKeyF3), 0);
    EXPECT_EQ(host.selects, 1);
    for (int other : {65, 13, 116, 112})
        EXPECT_EQ(FormKeyDown(s, host, other), other);
    EXPECT_EQ(host.redraws, 0);
    EXPECT_EQ(s.iPage, 2);
}

TEST(PlotKeys, AKeyWhileAnotherIsHandledIsSwallowed)
{
    Session s = Ready(2);
    s.bKeyb = true;
    RecordingKeys host;
    EXPECT_EQ(FormKeyDown(s, host, kKeyPageDown), 0);
    EXPECT_EQ(FormKeyDown(s, host, 65), 0);
    EXPECT_EQ(s.iPage, 2);
    EXPECT_EQ(host.redraws, 0);
}

}  // namespace
}  // namespace zan
