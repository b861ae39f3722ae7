#include "interact/selection_model.h"
#include "interact/tests/selection_fixture.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

using testing::SelectionSession;

std::vector<int> Vars(const SelRow& r)
{
    std::vector<int> v;
    for (const SelCell& c : r.cells)
        v.push_back(c.var);
    return v;
}

std::vector<std::string> Titles(const SelectionModel& m)
{
    std::vector<std::string> t;
    for (const SelRow& r : m.rows())
        t.push_back(r.title);
    return t;
}

void SelectOnly(SelectionModel& m, std::initializer_list<int> vars)
{
    for (int i = 0; i < static_cast<int>(m.items().size()); ++i)
        m.SelectItem(i, std::find(vars.begin(), vars.end(), m.items()[static_cast<size_t>(i)].var) != vars.end());
}

TEST(SelectionEdit, HeaderClickPutsOrRemovesTheVariableInSelectedRows)
{
    // Rows: {x, lines...}; rows 1 and 2 selected, row 3 not.
    const struct {
        int h;
        std::initializer_list<int> picked;  // variables selected on the left
        std::vector<int> row1, row2, row3;
        const char* title2;
    } cases[] = {
        {3, {5}, {1, 2, 5}, {1, 3, 5, 4}, {1, 2}, "Beta delta gamma"},  // Y2: append or replace
        {4, {5}, {1, 2}, {1, 3, 2, 5}, {1, 2}, "Beta alpha delta"},     // Y3 past the end of row 1
        {1, {6}, {6, 2}, {6, 3, 2, 4}, {1, 2}, "Beta alpha gamma"},     // X of every selected row
        {2, {}, {1, 2}, {1, 2, 4}, {1, 2}, "alpha gamma"},              // Y1 removed where there are more
        {5, {}, {1, 2}, {1, 3, 2, 4}, {1, 2}, "Beta alpha gamma"},      // Y4 missing: lines kept
        {1, {}, {1, 2}, {1, 3, 2, 4}, {1, 2}, "hand"},                  // X with nothing: no change
        {67, {5}, {1, 2}, {1, 3, 2, 4}, {1, 2}, "hand"},                // past "Y64"
    };
    for (const auto& c : cases) {
        Session s = SelectionSession({{1, 2}, {1, 3, 2, 4}, {1, 2}});
        SelectionModel m(s);
        m.Activate("");
        m.EditRowTitle(1, "hand");
        SelectOnly(m, c.picked);
        m.SelectRow(0, true);
        m.SelectRow(1, true);
        m.HeaderClick(c.h);
        EXPECT_EQ(Vars(m.rows()[0]), c.row1) << c.h;
        EXPECT_EQ(Vars(m.rows()[1]), c.row2) << c.h;
        EXPECT_EQ(Vars(m.rows()[2]), c.row3) << c.h;
        EXPECT_EQ(m.rows()[1].title, c.title2) << c.h;
        EXPECT_EQ(m.rows()[1].nLine + 1, static_cast<int>(m.rows()[1].cells.size()));
        EXPECT_EQ(m.rows()[2].title, "graph 3") << "unselected rows keep their titles";
    }
}

TEST(SelectionEdit, HeaderClickNeverGoesPast64LinesAndSelectAllMarksEveryRow)
{
    std::vector<int> full = {1};
    for (int j = 0; j < kMaxLines; ++j)
        full.push_back(2);
    Session s = SelectionSession({{1, 2}, {1, 2}});
    s.GrphTab[1].nLine = kMaxLines;
    for (int j = 1; j <= kMaxLines; ++j)
        s.GrphTab[1].Lines[static_cast<size_t>(j)] = 2;
    SelectionModel m(s);
    m.Activate("");
    m.HeaderClick(0);
    EXPECT_TRUE(m.rows()[0].selected && m.rows()[1].selected);
    SelectOnly(m, {4});
    m.HeaderClick(kMaxLines + 1 + 1);
    EXPECT_EQ(Vars(m.rows()[0]), full);
    m.HeaderClick(kMaxLines + 1);  // "Y64" filled: replaced
    EXPECT_EQ(m.rows()[0].cells.back().var, 4);
}

TEST(SelectionEdit, DropAddsVariablesByRowButtonAndCtrl)
{
    const struct {
        const char* what;
        int pos;
        bool newRow, ctrl;
        std::vector<std::string> titles;
        int shown;
    } cases[] = {
        {"left button onto row 2", 1, true, false,
         {"graph 1", "alpha", "Beta", "gamma", "graph 2", "graph 3"}, 4},
        {"left button with Ctrl", 1, true, true, {"graph 1", "alpha Beta gamma", "graph 2", "graph 3"}, 1},
        {"other button onto row 2", 1, false, false, {"graph 1", "graph 2 alpha", "graph 3 Beta", "gamma"}, 3},
        {"other button with Ctrl", 1, false, true, {"graph 1", "graph 2 alpha Beta gamma", "graph 3"}, 1},
        {"empty area", -1, false, false, {"graph 1", "graph 2", "graph 3", "alpha", "Beta", "gamma"}, 5},
        {"empty area with Ctrl", 7, false, true, {"graph 1", "graph 2", "graph 3", "alpha Beta gamma"}, 3},
    };
    for (const auto& c : cases) {
        Session s = SelectionSession({{1, 5}, {1, 5}, {1, 5}});
        SelectionModel m(s);
        m.Activate("");
        SelectOnly(m, {2, 3, 4});
        m.SelectRow(0, true);
        EXPECT_EQ(m.Drop(c.pos, c.newRow, c.ctrl), c.shown) << c.what;
        EXPECT_EQ(Titles(m), c.titles) << c.what;
        EXPECT_FALSE(m.rows()[0].selected) << c.what;
        EXPECT_TRUE(m.applyEnabled());
        for (const SelRow& r : m.rows()) {
            EXPECT_EQ(r.nLine + 1, static_cast<int>(r.cells.size())) << c.what;
            EXPECT_EQ(r.cells[0].var, 1) << c.what;
        }
    }
}

TEST(SelectionEdit, DropStopsAt64LinesAndSkipsVanishedVariables)
{
    Session s = SelectionSession({{1, 2}}, 70);
    s.GrphTab[1].nLine = kMaxLines - 1;
    SelectionModel m(s);
    m.Activate("");
    SelectOnly(m, {3, 4, 5});
    m.Drop(0, false, true);
    EXPECT_EQ(m.rows()[0].nLine, kMaxLines);
    EXPECT_EQ(m.rows()[0].cells.back().var, 3);
    EXPECT_EQ(m.rows().size(), 1u);

    s.nVar = 3;  // a reload of the data left fewer variables
    m.Drop(-1, true, false);
    ASSERT_EQ(m.rows().size(), 2u);
    EXPECT_EQ(Vars(m.rows()[1]), (std::vector<int>{1, 3}));
}

TEST(SelectionEdit, MovesKeepTheSelectedRowsAsOneBlock)
{
    const struct {
        bool down;
        std::vector<int> selected;  // rows from 1
        std::vector<std::string> order;
        int shown;
    } cases[] = {
        {false, {2, 5}, {"2", "5", "1", "3", "4", "6"}, 0},
        {false, {1, 3}, {"1", "3", "2", "4", "5", "6"}, 0},
        {true, {5, 6}, {"1", "2", "3", "4", "5", "6"}, 5},
        {true, {1, 3}, {"2", "4", "1", "3", "5", "6"}, 3},
        {true, {2}, {"1", "3", "2", "4", "5", "6"}, 2},
        {false, {}, {"1", "2", "3", "4", "5", "6"}, -1},
    };
    for (const auto& c : cases) {
        Session s = SelectionSession({{1, 2}, {1, 2}, {1, 2}, {1, 2}, {1, 2}, {1, 2}});
        for (int g = 1; g <= 6; ++g)
            s.GrphTab[g].Title = std::to_string(g);
        SelectionModel m(s);
        m.Activate("");
        for (int r : c.selected)
            m.SelectRow(r - 1, true);
        EXPECT_EQ(c.down ? m.MoveDown() : m.MoveUp(), c.shown);
        EXPECT_EQ(Titles(m), c.order);
        int selected = 0;
        for (const SelRow& r : m.rows())
            selected += r.selected;
        EXPECT_EQ(selected, static_cast<int>(c.selected.size()));
        EXPECT_EQ(m.applyEnabled(), !c.selected.empty());
    }
}

TEST(SelectionEdit, RepeatedMovesDownStopAtTheBottom)
{
    Session s = SelectionSession({{1, 2}, {1, 3}, {1, 4}});
    SelectionModel m(s);
    m.Activate("");
    m.SelectRow(0, true);
    for (int i = 0; i < 5; ++i)
        m.MoveDown();
    EXPECT_EQ(Titles(m), (std::vector<std::string>{"graph 2", "graph 3", "graph 1"}));
}

} // namespace
} // namespace zan
