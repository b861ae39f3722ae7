#include "interact/selection_model.h"
#include "interact/tests/selection_fixture.h"
#include "session/graph_settings.h"
#include "session/settings_file.h"
#include "session/tests/session_fakes.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

using testing::SelectionSession;

std::vector<int> Selected(const SelectionModel& m)
{
    std::vector<int> vars;
    for (const SelItem& i : m.items())
        if (i.selected)
            vars.push_back(i.var);
    return vars;
}

std::vector<std::string> Titles(const SelectionModel& m)
{
    std::vector<std::string> t;
    for (const SelRow& r : m.rows())
        t.push_back(r.title);
    return t;
}

std::vector<int> Lines(const SelRow& r)
{
    std::vector<int> v;
    for (const SelCell& c : r.cells)
        v.push_back(c.var);
    return v;
}

void SelectOnly(SelectionModel& m, std::initializer_list<int> vars)
{
    for (int i = 0; i < static_cast<int>(m.items().size()); ++i)
        m.SelectItem(i, std::find(vars.begin(), vars.end(), m.items()[static_cast<size_t>(i)].var) != vars.end());
}

TEST(SelectionModel, FillAllSelectsEveryMatchButTheTimeWithoutFilter)
{
    Session s = SelectionSession({});
    SelectionModel m(s);
    const struct {
        const char* filter;
        std::vector<int> shown;
        std::vector<int> selected;
    } cases[] = {
        {"", {1, 2, 3, 4, 5, 6}, {2, 3, 4, 5, 6}},
        {"  ALPHA ", {2, 6}, {2, 6}},
        {"T", {1, 3, 5}, {1, 3, 5}},
        {"zzz", {}, {}},
    };
    for (const auto& c : cases) {
        m.FillAll(c.filter);
        std::vector<int> shown;
        for (const SelItem& i : m.items())
            shown.push_back(i.var);
        EXPECT_EQ(shown, c.shown) << c.filter;
        EXPECT_EQ(Selected(m), c.selected) << c.filter;
    }
    EXPECT_EQ(m.Name(2), "alpha");
}

TEST(SelectionModel, HeaderOfTheVariableListSelectsAllButTheFirstOnlyWithoutFilter)
{
    Session s = SelectionSession({});
    SelectionModel m(s);
    for (const char* filter : {"", "a"}) {
        m.FillAll(filter);
        for (int i = 0; i < static_cast<int>(m.items().size()); ++i)
            m.SelectItem(i, false);
        m.SelectAllItems();
        EXPECT_EQ(m.items().front().selected, *filter != 0) << filter;
        EXPECT_TRUE(m.items().back().selected) << filter;
    }
}

TEST(SelectionModel, FillSelectedMirrorsTheGraphTableUnselected)
{
    Session s = SelectionSession({{1, 2}, {3, 4, 5}});
    s.GrphTab[2].Title = "  two  ";
    SelectionModel m(s);
    m.FillSelected();
    EXPECT_EQ(m.title(), "Run 1");
    ASSERT_EQ(m.rows().size(), 2u);
    EXPECT_EQ(m.rows()[1].title, "two");
    EXPECT_EQ(m.rows()[1].nLine, 2);
    EXPECT_EQ(Lines(m.rows()[1]), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(m.rows()[1].cells[1].text, "gamma");
    EXPECT_EQ(m.rows()[0].cells[1].text, "alpha");
    EXPECT_FALSE(m.rows()[0].selected);
}

TEST(SelectionModel, AddMakesOneGraphPerSelectedVariableAgainstTheTime)
{
    for (bool hadRows : {false, true}) {
        Session s = hadRows ? SelectionSession({{1, 2}}) : SelectionSession({});
        SelectionModel m(s);
        m.FillAll("");
        m.FillSelected();
        SelectOnly(m, {3, 5});
        const int last = m.AddSelected();
        const size_t before = hadRows ? 1 : 0;
        ASSERT_EQ(m.rows().size(), before + 2);
        EXPECT_EQ(last, static_cast<int>(before) + 1);
        const SelRow& r = m.rows()[before + 1];
        EXPECT_EQ(r.title, "delta");
        EXPECT_EQ(Lines(r), (std::vector<int>{1, 5}));
        EXPECT_EQ(r.cells[0].text, "time");
        // New rows are marked only when the list had rows before.
        EXPECT_EQ(r.selected, hadRows);
        EXPECT_TRUE(m.applyEnabled());
        EXPECT_TRUE(m.clearCaption());
        EXPECT_TRUE(s.GrphTab.size() == static_cast<int>(before)) << "nothing applied yet";
    }
}

TEST(SelectionModel, RemoveClearAndReloadSwitchTheCaptionAndApply)
{
    Session s = SelectionSession({{1, 2}, {1, 3}});
    SelectionModel m(s);
    m.Activate("");
    m.SelectRow(0, true);
    m.Remove();
    EXPECT_EQ(Titles(m), (std::vector<std::string>{"graph 2"}));
    EXPECT_TRUE(m.clearCaption());
    EXPECT_TRUE(m.applyEnabled());
    m.SelectRow(0, true);
    m.Remove();
    EXPECT_FALSE(m.clearCaption());
    EXPECT_FALSE(m.applyEnabled());

    m.ClearOrReload();  // "Reload"
    EXPECT_EQ(m.rows().size(), 2u);
    EXPECT_TRUE(m.clearCaption());
    EXPECT_TRUE(m.applyEnabled());
    m.SelectItem(0, true);
    m.ClearOrReload();  // "Clear"
    EXPECT_TRUE(m.rows().empty());
    EXPECT_FALSE(m.applyEnabled());
    EXPECT_FALSE(m.items()[0].selected);
    EXPECT_EQ(Selected(m), (std::vector<int>{2, 3, 4, 5, 6}));
}

TEST(SelectionModel, RenameRefusesEmptyUnchangedAndUsedNames)
{
    const struct {
        const char* edited;
        std::string typed;
        RenameResult result;
        const char* stored;  // name of variable 3 afterwards
    } cases[] = {
        {"Beta", "   ", RenameResult::Refused, "Beta"},
        {"Beta", " Beta ", RenameResult::Refused, "Beta"},
        {"Beta", "gamma", RenameResult::NameUsed, "Beta"},
        {"Beta", "alpha", RenameResult::NameUsed, "Beta"},
        {"Beta", "beta", RenameResult::Renamed, "beta"},
        {"Beta", "a,b \"c\"\nd", RenameResult::Renamed, "a,b 'c' d"},
        {"Beta", std::string(200, 'x'), RenameResult::Renamed, nullptr},
        {"nobody", "new", RenameResult::NotFound, "Beta"},
    };
    for (const auto& c : cases) {
        Session s = SelectionSession({{1, 3}, {1, 2, 3}});
        SelectionModel m(s);
        m.Activate("");
        m.SetApplyEnabled(true);
        EXPECT_EQ(m.Rename(c.edited, c.typed), c.result) << c.typed;
        const std::string expected = c.stored ? c.stored : std::string(80, 'x');
        EXPECT_EQ(s.VarTab[3].Name, expected) << c.typed;
        EXPECT_EQ(m.applyEnabled(), c.result != RenameResult::Refused && c.result != RenameResult::NameUsed)
            << c.typed;
        if (c.result == RenameResult::Renamed) {
            // Renamed everywhere at once, and every title rebuilt from line names.
            EXPECT_EQ(m.rows()[1].cells[2].text, expected);
            EXPECT_EQ(m.rows()[1].title, StorableText("alpha " + expected));
            EXPECT_EQ(s.GrphTab[1].Title, expected);
        }
    }
}

TEST(SelectionModel, NameCutTo80CharactersCannotDuplicateAnother)
{
    Session s = SelectionSession({});
    s.VarTab[4].Name = std::string(80, 'y');
    SelectionModel m(s);
    m.Activate("");
    EXPECT_EQ(m.Rename("Beta", std::string(120, 'y')), RenameResult::NameUsed);
}

TEST(SelectionModel, RenameMayStartOnlyOnTheItemSelectedAtThePress)
{
    EXPECT_TRUE(SelectionModel::MayStartRename(" alpha", "alpha "));
    EXPECT_FALSE(SelectionModel::MayStartRename("Beta", "alpha"));
    EXPECT_FALSE(SelectionModel::MayStartRename("", "alpha"));
}

TEST(SelectionModel, ApplyRebuildsTheGraphTableOnlyWhenRowsDiffer)
{
    Session s = SelectionSession({{1, 2}, {1, 3, 4}});
    s.GrphTab[1].Xaxis.Vhi = 5;
    SelectionModel m(s);
    m.Activate("");
    m.SetTitle("  New title ");
    EXPECT_FALSE(m.ApplySel());  // rows equal: only the title goes
    EXPECT_EQ(s.ScrTitle, "New title");
    EXPECT_TRUE(m.noApply());
    EXPECT_FALSE(m.applyEnabled());
    EXPECT_EQ(s.GrphTab[1].Xaxis.Vhi, 5);

    m.EditRowTitle(0, "renamed");
    EXPECT_TRUE(m.ApplySel());
    EXPECT_FALSE(m.noApply());
    EXPECT_EQ(s.GrphTab[1].Title, "renamed");
    EXPECT_EQ(s.GrphTab[1].Xaxis.Vhi, 0) << "records start afresh";
    EXPECT_EQ(s.GrphTab[2].nLine, 2);
    EXPECT_EQ(s.GrphTab[2].Lines[2], 4);
}

TEST(SelectionModel, ApplyLeavesTheTableAloneForEmptyOrVanishedRows)
{
    for (bool empty : {true, false}) {
        Session s = SelectionSession({{1, 2}, {1, 6}});
        SelectionModel m(s);
        m.Activate("");
        if (empty) {
            m.ClearOrReload();
        } else {
            m.SelectItem(0, false);
            m.AddSelected();
            s.nVar = 5;  // the data were reloaded with fewer variables
        }
        EXPECT_FALSE(m.ApplySel());
        EXPECT_TRUE(m.noApply());
        EXPECT_EQ(s.nGrph, 2);
        EXPECT_EQ(s.GrphTab[2].Lines[1], 6);
    }
}

TEST(SelectionModel, ApplyKeepsThePageAndCurrentGraphWithinTheGraphs)
{
    Session s = SelectionSession({{1, 2}, {1, 2}, {1, 2}, {1, 2}, {1, 2}, {1, 2}, {1, 2}, {1, 2}});
    s.nCell = 2;
    s.iPage = 4;
    s.cGrph = 8;
    SelectionModel m(s);
    m.Activate("");
    for (int r = 0; r < 5; ++r)
        m.SelectRow(r, true);
    m.Remove();
    ASSERT_TRUE(m.ApplySel());
    EXPECT_EQ(s.nGrph, 3);
    EXPECT_EQ(s.iPage, 2);
    EXPECT_EQ(s.cGrph, 3);
    EXPECT_EQ(s.cWind, 1);
}

TEST(SelectionModel, AwkwardNamesAndTitlesReadBackFromTheSettings)
{
    testing::TempFolder dir;
    testing::FakeHost host(dir.file("config"));
    testing::FakeLibrary library;
    Session s = SelectionSession({{1, 2}});
    s.Fpath = dir.folder();
    SelectionModel m(s);
    m.Activate("");
    ASSERT_EQ(m.Rename("alpha", "p,q \"r\"\r\ns"), RenameResult::Renamed);
    m.SetTitle("Screen \"one\"\nline");
    SelectOnly(m, {2, 3});
    m.AddSelected();
    m.EditRowTitle(2, std::string(150, 'z') + "\"");
    ASSERT_TRUE(m.ApplySel());
    ASSERT_TRUE(IniWrite(s, host, library));

    Session back = SelectionSession({});
    back.Fpath = dir.folder();
    back.ScrTitle.clear();
    IniGrphs(back);
    EXPECT_EQ(back.ScrTitle, "Screen 'one' line");
    ASSERT_EQ(back.nGrph, 3);
    for (int g = 1; g <= 3; ++g) {
        EXPECT_EQ(back.GrphTab[g].Title, s.GrphTab[g].Title) << g;
        EXPECT_EQ(back.GrphTab[g].Lines[1], s.GrphTab[g].Lines[1]) << g;
    }
    EXPECT_EQ(back.GrphTab[1].Title, "p,q 'r' s");
    EXPECT_EQ(back.GrphTab[3].Title, std::string(80, 'z'));
}

} // namespace
} // namespace zan
