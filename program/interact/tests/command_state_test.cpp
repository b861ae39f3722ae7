#include "interact/command_state.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

Session Paged(int nGrph, int cols, int rows, int page)
{
    Session s;
    s.nGrph = nGrph;
    s.nCols = cols;
    s.nRows = rows;
    s.nCell = cols * rows;
    s.iPage = page;
    s.VarTab.assign(1);
    return s;
}

TEST(ButnStat, PageAndZoomButtonsFollowTheSession)
{
    struct Case {
        int nGrph, page, iZlvl, mZlvl;
        bool prev, next, zoomOut, zoomIn;
    };
    const Case cases[] = {
        {20, 1, 1, 1, false, true, false, false},   // first page, no deeper level
        {20, 4, 1, 1, true, false, false, false},   // last of four pages
        {6, 1, 1, 1, false, false, false, false},   // all graphs on one page
        {20, 2, 3, 5, true, true, true, true},
        {20, 2, 5, 5, true, true, true, false},
        {0, 1, 1, 1, false, false, false, false},   // no graphs: one empty page
    };
    for (const Case& c : cases) {
        Session s = Paged(c.nGrph, 2, 3, c.page);
        s.iZlvl = c.iZlvl;
        s.mZlvl = c.mZlvl;
        const CommandState st = ButnStat(s);
        EXPECT_EQ(st.prev, c.prev) << c.nGrph << " " << c.page;
        EXPECT_EQ(st.next, c.next) << c.nGrph << " " << c.page;
        EXPECT_EQ(st.zoomOut, c.zoomOut) << c.iZlvl;
        EXPECT_EQ(st.zoomIn, c.zoomIn) << c.iZlvl;
    }
}

TEST(ButnStat, PanButtonsFollowThePanningLimitsOfTheTime)
{
    Session s = Paged(1, 1, 1, 1);
    VarRecord& t = s.VarTab[1];
    t.Dmin[1] = 0;
    t.Dmax[1] = 100;
    t.Rlo[1] = 0;
    t.Rhi[1] = 100;
    t.Alo[1] = 0;
    t.Ahi[1] = 40;
    CommandState st = ButnStat(s);
    EXPECT_FALSE(st.panLeft);
    EXPECT_TRUE(st.panRight);
    t.Alo[1] = 60;
    t.Ahi[1] = 100;
    st = ButnStat(s);
    EXPECT_TRUE(st.panLeft);
    EXPECT_FALSE(st.panRight);
}

TEST(ButnStat, CheckMarksFollowTheOptions)
{
    Session s = Paged(1, 1, 1, 1);
    s.iLast = 7;
    s.iMark = 5;
    s.iFont = 2;
    s.iFsiz = 4;
    s.iFclr = 1;
    s.iAuto = -1;
    s.iTran = -1;
    s.iTitScrn = 1;
    s.iTitGrph = 0;
    s.iTitFiles = -1;  // only 1 counts as shown
    const CommandState st = ButnStat(s);
    EXPECT_EQ(st.last, 7);
    EXPECT_EQ(st.marks, 5);
    EXPECT_EQ(st.font, 2);
    EXPECT_EQ(st.text, 4);
    EXPECT_EQ(st.colour, 1);
    EXPECT_TRUE(st.autoLoad);
    EXPECT_FALSE(st.autoNext);
    EXPECT_TRUE(st.transpose);
    EXPECT_TRUE(st.titScrn);
    EXPECT_FALSE(st.titGrph);
    EXPECT_FALSE(st.titFiles);
}

TEST(NumberBoxes, DrawRateTakesTheRoundedNumberFromOneTo16000)
{
    struct Case {
        const char* text;
        bool applied;
        int step;
    };
    const Case cases[] = {
        {"16000", true, 16000}, {"16001", false, 5}, {"0", false, 5},        {"-3", false, 5},
        {"", false, 5},         {"abc", false, 5},   {"99999999999999", false, 5},
        {" 12 ", true, 12},     {"5", false, 5},     {"2.6", true, 3},       {"3x", true, 3},
        {"2.5", true, 2},       {"3.5", true, 4},    {"1e3", true, 1000},    {"0.4", false, 5},
        {"16000.5", true, 16000}, {"16000.6", false, 5}, {"x3", false, 5},   {" ", false, 5},
        {"-0.4", false, 5},     {"1e400", false, 5},
    };
    for (const Case& c : cases) {
        Session s;
        s.iStep = 5;
        std::string shown;
        EXPECT_EQ(EditDrawRate(s, c.text, shown), c.applied) << c.text;
        EXPECT_EQ(s.iStep, c.step) << c.text;
        EXPECT_EQ(shown, std::to_string(c.step)) << c.text;
    }
}

TEST(NumberBoxes, RateExponentOffersPowersOfTen)
{
    EXPECT_EQ(RateOfExponent("0"), "1");
    EXPECT_EQ(RateOfExponent("3"), "1000");
    EXPECT_EQ(RateOfExponent("4"), "10000");
    EXPECT_EQ(RateOfExponent("5"), "");
    EXPECT_EQ(RateOfExponent("x"), "");
}

TEST(NumberBoxes, GridKeepsAtMostThreeColumnsMoreThanRows)
{
    Session s = Paged(30, 2, 3, 1);
    s.cGrph = 14;
    EXPECT_TRUE(EditCols(s, "6"));
    EXPECT_EQ(s.nCols, 6);
    EXPECT_EQ(s.nRows, 3);
    EXPECT_EQ(s.nCell, 18);
    EXPECT_EQ(s.iPage, 1);  // graph 14 is on the first page of 18
    EXPECT_EQ(s.cWind, 14);
    EXPECT_TRUE(EditRows(s, "1"));
    EXPECT_EQ(s.nRows, 1);
    EXPECT_EQ(s.nCols, 4);
    EXPECT_EQ(s.nCell, 4);
    EXPECT_EQ(s.iPage, 4);  // graph 14 is on page 4 of 4 graphs a page
    EXPECT_EQ(s.cWind, 2);
    for (const char* bad : {"0", "7", "a", "", "-2", "4", "0.4", "6.6", "x2"}) {
        EXPECT_FALSE(EditCols(s, bad)) << bad;
        EXPECT_FALSE(EditRows(s, bad == std::string("4") ? "1" : bad)) << bad;
    }
    EXPECT_EQ(s.nCols, 4);
    EXPECT_EQ(s.nRows, 1);
    // The numeric value, rounded: "2.6" and "3x" are 3.
    EXPECT_TRUE(EditRows(s, "2.6"));
    EXPECT_EQ(s.nRows, 3);
    EXPECT_TRUE(EditCols(s, "2.5"));
    EXPECT_EQ(s.nCols, 2);
    EXPECT_TRUE(EditCols(s, "3x"));
    EXPECT_EQ(s.nCols, 3);
}

}  // namespace
}  // namespace zan
