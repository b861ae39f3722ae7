#include "session/session_state.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

TEST(SessionState, FreshSessionHasTheStartValues) {
    Session s;
    EXPECT_EQ(s.Finit, "Zan.ini");
    ASSERT_FALSE(s.Fpath.empty());
    EXPECT_EQ(s.Fpath.back(), '/');
    EXPECT_EQ(s.nCols * s.nRows, s.nCell);
    EXPECT_EQ(s.lderr, 1);
    EXPECT_EQ(s.drErr, 1);
    EXPECT_EQ(s.iFclrCmd, -1);
    EXPECT_EQ(s.iZlvl, 1);
    EXPECT_EQ(s.mZlvl, 1);
    EXPECT_EQ(s.iWstt, 2);
}

TEST(SessionState, PageCellAndGraphFollowEachOther) {
    struct Case {
        int nCols, nRows, nGrph, cGrph, page, wind;
    };
    const Case cases[] = {
        {2, 3, 10, 1, 1, 1}, {2, 3, 10, 6, 1, 6}, {2, 3, 10, 7, 2, 1},
        {2, 2, 5, 5, 2, 1},  {1, 1, 3, 3, 3, 1},  {6, 6, 40, 37, 2, 1},
    };
    for (const Case& c : cases) {
        Session s;
        s.nCols = c.nCols;
        s.nRows = c.nRows;
        s.nCell = c.nCols * c.nRows;
        s.nGrph = c.nGrph;
        s.cGrph = c.cGrph;
        SetPage(s);
        SetWind(s);
        EXPECT_EQ(s.iPage, c.page) << c.cGrph;
        EXPECT_EQ(s.cWind, c.wind) << c.cGrph;
        s.cGrph = 0;
        SetGrph(s);
        EXPECT_EQ(s.cGrph, c.cGrph);
    }
}

TEST(SessionState, SetGrphStopsAtTheLastGraph) {
    Session s;
    s.nCols = 2;
    s.nRows = 2;
    s.nCell = 4;
    s.nGrph = 5;
    s.iPage = 2;
    s.cWind = 3;
    SetGrph(s);
    EXPECT_EQ(s.cGrph, 5);
    s.nGrph = 0;
    SetGrph(s);
    EXPECT_EQ(s.cGrph, 1);
}

TEST(SessionState, TablesCountFromOne) {
    Table<GraphRecord> t;
    t.assign(2);
    t[2].xVar = 7;
    t.resize(3);
    EXPECT_EQ(t.size(), 3);
    EXPECT_EQ(t[2].xVar, 7);
    EXPECT_EQ(t[3].xVar, 0);
    EXPECT_FALSE(t.contains(0));
    EXPECT_TRUE(t.contains(3));
}

}  // namespace
}  // namespace zan
