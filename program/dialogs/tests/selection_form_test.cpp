#include "dialogs/selection_form.h"
#include "dialogs/tests/selection_fixture.h"
#include "platform/fakes.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

class SelectionFormTest : public ::testing::Test {
protected:
    SelectionFormTest() : s(testing::SelectionSession({{1, 2}, {1, 3}, {1, 4}})), form(s, box, t1, t2, t3)
    {
        form.onChanged = [this](int row) {
            ++changes;
            shown = row;
        };
        form.onFitColumn = [this] { ++fits; };
        form.onRedrawPlot = [this] { ++redraws; };
        form.onUnload = [this] { form.Unload(1234.4, -56.6); };
        form.Load();
        form.Activate("");
    }
    std::vector<std::string> Titles() const
    {
        std::vector<std::string> t;
        for (const SelRow& r : const_cast<SelectionForm&>(form).model().rows())
            t.push_back(r.title);
        return t;
    }

    Session s;
    FakeMessageBox box;
    FakeTimer t1, t2, t3;
    SelectionForm form;
    int changes = 0;
    int shown = -2;
    int fits = 0;
    int redraws = 0;
};

TEST_F(SelectionFormTest, SearchWaitsForTheLastKeyThenFitsTheColumn)
{
    t3.elapse(300);
    EXPECT_EQ(fits, 1) << "column fit after load";
    form.SearchChanged("a");
    t1.elapse(200);
    form.SearchChanged("al");
    t1.elapse(200);
    EXPECT_EQ(form.model().items().size(), 6u) << "still the full list";
    t1.elapse(20);
    EXPECT_EQ(form.model().items().size(), 2u);
    EXPECT_FALSE(t1.isEnabled());
    t3.elapse(299);
    EXPECT_EQ(fits, 1);
    t3.elapse(1);
    EXPECT_EQ(fits, 2);
}

TEST_F(SelectionFormTest, AddAndApplyActOnTheTypedSearchBeforeItsDelayHasRun)
{
    // Typed and confirmed at once: the graphs are the matches, not the
    // whole list shown before the search ran.
    form.ClearOrReload();
    form.SearchChanged("alpha");
    t1.elapse(100);
    form.Add();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"alpha", "ALPHA2"}));
    EXPECT_FALSE(t1.isEnabled());

    form.SearchChanged("gam");
    form.Apply();
    EXPECT_EQ(form.model().items().size(), 1u);
    EXPECT_FALSE(t1.isEnabled());

    // A double click acts on the list as it is shown.
    form.SearchChanged("delta");
    form.model().SelectItem(0, true);
    form.AddShown();
    EXPECT_EQ(Titles().back(), "gamma");
    EXPECT_TRUE(t1.isEnabled());
}

TEST_F(SelectionFormTest, ApplyAlwaysRedrawsCloseOnlyAfterChanges)
{
    form.Apply();
    EXPECT_EQ(redraws, 1);
    EXPECT_FALSE(form.model().applyEnabled());
    form.Activate("");
    form.Close();
    EXPECT_EQ(redraws, 1) << "unchanged rows: no redraw";
    EXPECT_EQ(s.iStop, 1234);
    EXPECT_EQ(s.iSlft, -57);

    form.Activate("");
    form.model().SelectRow(0, true);
    form.Remove();
    form.Close();
    EXPECT_EQ(redraws, 2);
    EXPECT_EQ(s.nGrph, 2);
}

TEST_F(SelectionFormTest, CancelAndEscapeNeverApply)
{
    for (bool escape : {false, true}) {
        form.Activate("");
        form.model().SelectRow(0, true);
        form.Remove();
        if (escape)
            EXPECT_TRUE(form.Escape());
        else
            form.Cancel();
        EXPECT_EQ(s.nGrph, 3);
        EXPECT_EQ(redraws, 0);
    }
}

TEST_F(SelectionFormTest, CloseWhileASearchIsPendingDropsTheSearch)
{
    form.SearchChanged("Beta");
    form.Close();
    EXPECT_FALSE(t1.isEnabled());
    t1.elapse(1000);
    EXPECT_EQ(form.model().items().size(), 6u);
    EXPECT_EQ(s.nGrph, 3);
}

TEST_F(SelectionFormTest, HeldArrowMovesAtOnceAfter500MsThenEvery110Ms)
{
    form.model().SelectRow(0, true);
    form.ArrowPressed(true);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"graph 2", "graph 1", "graph 3"}));
    EXPECT_EQ(shown, 1);
    t2.elapse(499);
    EXPECT_EQ(Titles()[1], "graph 1");
    t2.elapse(1);
    EXPECT_EQ(Titles()[2], "graph 1");
    EXPECT_EQ(t2.interval(), 110);
    t2.elapse(330);
    EXPECT_EQ(t2.ticks, 4);
    form.ArrowReleased();
    EXPECT_FALSE(t2.isEnabled());
    EXPECT_EQ(t2.interval(), 500);
    form.ArrowPressed(false);
    EXPECT_EQ(Titles()[1], "graph 1");
}

TEST_F(SelectionFormTest, UsedNameIsReportedAsAnError)
{
    EXPECT_FALSE(form.Rename("alpha", "Beta"));
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "Name already used.");
    EXPECT_EQ(box.shown[0].title, "Error");
    EXPECT_TRUE(form.Rename("alpha", "speed"));
    EXPECT_EQ(box.shown.size(), 1u);
}

TEST_F(SelectionFormTest, LabelEditStartsOnlyOnTheItemSelectedAtThePress)
{
    form.NoteDownText("Beta");
    EXPECT_FALSE(form.MayStartRename("alpha"));
    EXPECT_TRUE(form.MayStartRename("alpha")) << "a second click on the same item";
}

TEST_F(SelectionFormTest, DropUsesTheButtonsAndKeysOfTheDrag)
{
    DragGesture& d = form.drag();
    d.Press(100, 100);
    EXPECT_FALSE(d.Move(190, 100, true, false)) << "90 twips is not yet a drag";
    EXPECT_TRUE(d.Move(100, 191, false, true));
    EXPECT_FALSE(d.lDrag);
    EXPECT_FALSE(d.Move(400, 400, false, false)) << "one drag per press";
    EXPECT_TRUE(d.lNewRow && d.lCtrl);
    for (int i = 0; i < 6; ++i)
        form.model().SelectItem(i, i == 1 || i == 2);
    form.Drop(1);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"graph 1", "alpha Beta", "graph 2", "graph 3"}));
    EXPECT_EQ(shown, 1);
}

TEST(SelectionLayout, ListsAndButtonsFollowTheWindowSize)
{
    const SelectionLayout l = LayOutSelection(10720, 9000);
    EXPECT_DOUBLE_EQ(l.list1.width, 2000);
    EXPECT_DOUBLE_EQ(l.list1.height, 7155);
    EXPECT_DOUBLE_EQ(l.list2.left, 2480);
    EXPECT_DOUBLE_EQ(l.list2.width, 7760);
    EXPECT_DOUBLE_EQ(l.buttons[0].top, 450 + 7200 + 180);
    EXPECT_DOUBLE_EQ(l.buttons[4].left, 2480 + 4 * (7760 / 5.0 + 48));
    EXPECT_DOUBLE_EQ(l.buttons[2].width, 7760 / 5.0 - 192);
    EXPECT_DOUBLE_EQ(l.search.top, l.add.top - 480);
    EXPECT_DOUBLE_EQ(l.upDown.left, 2480 - 225);
    EXPECT_DOUBLE_EQ(l.upDown.top, 450 + 3600 - 240);
    const SelectionLayout tiny = LayOutSelection(100, 100);
    EXPECT_EQ(tiny.list1.width, 0);
    EXPECT_EQ(tiny.list2.height, 0);
}

TEST(SelectionLayout, ColumnFitLeavesRoomForTheScrollBarAndIgnoresOnePixel)
{
    EXPECT_DOUBLE_EQ(FitColumnWidth(3000, 0, 15, 17, true), 3000 - 21 * 15);
    EXPECT_DOUBLE_EQ(FitColumnWidth(3000, 0, 15, 17, false), 3000 - 60);
    EXPECT_DOUBLE_EQ(FitColumnWidth(3000, 2950, 15, 17, false), 2950);
    EXPECT_DOUBLE_EQ(FitColumnWidth(30, 100, 15, 17, true), 0);
}

TEST(SelectionLayout, StoredPositionIsClampedIntoTheScreen)
{
    Session s;
    ScreenArea screen;  // 1920 x 1080 pixels at 15 twips
    const struct {
        int top, left;
        double placedTop, placedLeft;
    } cases[] = {{300, 450, 300, 450}, {-100, -5, 0, 0}, {99999, 99999, 0.9 * 1080 * 15, 0.9 * 1920 * 15}};
    for (const auto& c : cases) {
        s.iStop = c.top;
        s.iSlft = c.left;
        const FramePlacement p = PlaceSelection(s, screen);
        EXPECT_DOUBLE_EQ(p.top, c.placedTop);
        EXPECT_DOUBLE_EQ(p.left, c.placedLeft);
    }
}

} // namespace
} // namespace zan
