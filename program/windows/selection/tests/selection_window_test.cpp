#include "windows/plot/plot_window.h"
#include "windows/selection/selection_list_models.h"
#include "windows/selection/selection_views.h"
#include "windows/selection/selection_window.h"
#include "interact/tests/selection_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace zan {
namespace {

class SelectionWindowTest : public ::testing::Test {
protected:
    SelectionWindowTest() : s(testing::SelectionSession({{1, 2}, {1, 3}, {1, 4}})), w(s)
    {
        w.onRedrawPlot = [this] { ++redraws; };
        w.Open();
        QApplication::processEvents();
    }

    QModelIndex Item(SelectionListView* view, int row, int column = 0)
    {
        return view->model()->index(row, column);
    }
    QPoint Centre(SelectionListView* view, int row, int column = 0)
    {
        return view->visualRect(Item(view, row, column)).center();
    }
    void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent e(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }

    Session s;
    SelectionWindow w;
    int redraws = 0;
};

TEST_F(SelectionWindowTest, ControlsCarryTheirCaptionsAndTips)
{
    EXPECT_EQ(w.windowTitle(), "Select Graph Variables.");
    const std::pair<QWidget*, const char*> tips[] = {
        {w.ListView1, "All Variables"}, {w.ListView2, "Selected Variables"}, {w.Text1, "Search variables."},
        {w.Text2, "Screen Title"}, {w.Command2, "Add to selected variables."},
        {w.Command3, "Remove selected variables."}, {w.Command4, "Clear selection list."},
        {w.Command5, "Cancel selection."}, {w.Command6, "Apply selection."}, {w.Command1, "Close window."},
        {w.UpDown1, "Move selected variables up or down."}};
    for (const auto& [control, tip] : tips)
        EXPECT_EQ(control->toolTip(), tip);
    EXPECT_EQ(w.ListView2->model()->columnCount(), 66);
    EXPECT_EQ(w.ListView2->model()->headerData(65, Qt::Horizontal).toString(), "Y64");
    EXPECT_EQ(w.Text2->text(), "Run 1");
    EXPECT_EQ(w.ListView1->selectionModel()->selectedRows().size(), 5) << "all but the time";
    EXPECT_FALSE(w.Command6->isEnabled());
}

TEST_F(SelectionWindowTest, TypedSearchThenEnterAddsTheMatchesAndApplyRedraws)
{
    QTest::keyClicks(w.Text1, "ALPHA");
    EXPECT_EQ(w.ListView1->model()->rowCount(), 6) << "the search waits for the typing to stop";
    QTest::qWait(320);
    EXPECT_EQ(w.ListView1->model()->rowCount(), 2);
    QTest::keyClick(w.Text1, Qt::Key_Return);
    EXPECT_TRUE(w.Text1->text().isEmpty());
    ASSERT_EQ(w.ListView2->model()->rowCount(), 5);
    EXPECT_EQ(Item(w.ListView2, 4, 2).data().toString(), "ALPHA2");
    EXPECT_TRUE(w.Command6->isEnabled());
    EXPECT_EQ(s.nGrph, 3) << "nothing applied before Apply";

    QTest::mouseClick(w.Command6, Qt::LeftButton);
    EXPECT_EQ(s.nGrph, 5);
    EXPECT_EQ(s.GrphTab[4].Lines[1], 2);
    EXPECT_EQ(redraws, 1);
    EXPECT_FALSE(w.Command6->isEnabled());
    EXPECT_TRUE(w.isVisible());
}

TEST_F(SelectionWindowTest, DragFromTheVariableListOntoARowAddsALine)
{
    std::unique_ptr<QMimeData> dragged;
    w.ListView1->startDrag = [&](QMimeData* mime) { dragged.reset(mime); };
    QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, Centre(w.ListView1, 3));  // "gamma"
    const QPoint from = Centre(w.ListView1, 3);
    QWidget* list1 = w.ListView1->viewport();
    Mouse(list1, QEvent::MouseButtonPress, from, Qt::RightButton, Qt::RightButton);
    Mouse(list1, QEvent::MouseMove, from + QPoint(3, 3), Qt::NoButton, Qt::RightButton);
    EXPECT_FALSE(dragged) << "six pixels are not yet a drag";
    Mouse(list1, QEvent::MouseMove, from + QPoint(30, 3), Qt::NoButton, Qt::RightButton);
    ASSERT_TRUE(dragged);

    // Dropped on the "Y1" cell of the second row: a further line of that graph.
    const QPoint onto = Centre(w.ListView2, 1, 2);
    QDragEnterEvent enter(onto, Qt::CopyAction, dragged.get(), Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(w.ListView2->viewport(), &enter);
    QDragMoveEvent move(onto, Qt::CopyAction, dragged.get(), Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(w.ListView2->viewport(), &move);
    EXPECT_EQ(w.ListView2->dropRow(), 1) << "the row under the pointer is marked";
    QDropEvent drop(QPointF(onto), Qt::CopyAction, dragged.get(), Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(w.ListView2->viewport(), &drop);
    EXPECT_EQ(w.ListView2->dropRow(), -1);
    ASSERT_EQ(w.ListView2->model()->rowCount(), 3);
    EXPECT_EQ(Item(w.ListView2, 1, 3).data().toString(), "gamma");
    EXPECT_EQ(Item(w.ListView2, 1, 0).data().toString(), "graph 2 gamma");
    EXPECT_TRUE(w.Command6->isEnabled());
    EXPECT_EQ(s.GrphTab[2].nLine, 1);

    // Over the header the windowing system hands the drag to the list
    // itself, not to its rows: the rows stay.
    const QPoint top(Centre(w.ListView2, 0).x(), w.ListView2->header()->height() / 2);
    QDragEnterEvent headerEnter(top, Qt::CopyAction, dragged.get(), Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(w.ListView2, &headerEnter);
    QDropEvent headerDrop(QPointF(top), Qt::CopyAction, dragged.get(), Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(w.ListView2, &headerDrop);
    EXPECT_EQ(w.ListView2->model()->rowCount(), 3);
    EXPECT_EQ(Item(w.ListView2, 0, 0).data().toString(), "graph 1");

    // A drag from the graph list itself changes nothing.
    std::unique_ptr<QMimeData> own(MakeListDrag("ListView2"));
    QDragEnterEvent ownEnter(Centre(w.ListView2, 0), Qt::CopyAction, own.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.ListView2->viewport(), &ownEnter);
    QDropEvent ownDrop(QPointF(Centre(w.ListView2, 0)), Qt::CopyAction, own.get(), Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(w.ListView2->viewport(), &ownDrop);
    EXPECT_EQ(w.ListView2->model()->rowCount(), 3);
}

TEST_F(SelectionWindowTest, EscapeCancelsTheEdits)
{
    QTest::mouseClick(w.ListView2->viewport(), Qt::LeftButton, {}, Centre(w.ListView2, 0));
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_EQ(w.ListView2->model()->rowCount(), 2);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.ListView2, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(s.nGrph, 3);
    EXPECT_EQ(redraws, 0);
}

TEST_F(SelectionWindowTest, HeaderClickAndArrowsEditTheRows)
{
    QTest::mouseClick(w.ListView2->viewport(), Qt::LeftButton, {}, Centre(w.ListView2, 2));
    QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, Centre(w.ListView1, 4));  // "delta"
    QHeaderView* header = w.ListView2->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(3) + 5, header->height() / 2));  // "Y2"
    EXPECT_EQ(Item(w.ListView2, 2, 0).data().toString(), "gamma delta");
    QTest::mousePress(w.UpDown1->up(), Qt::LeftButton);
    QTest::mouseRelease(w.UpDown1->up(), Qt::LeftButton);
    EXPECT_EQ(Item(w.ListView2, 1, 0).data().toString(), "gamma delta");
    EXPECT_EQ(w.ListView2->selectionModel()->selectedRows().value(0).row(), 1);
}

TEST_F(SelectionWindowTest, SecondClickOnASelectedVariableRenamesIt)
{
    QWidget* list1 = w.ListView1->viewport();
    QTest::mouseClick(list1, Qt::LeftButton, {}, Centre(w.ListView1, 2));  // "Beta"
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(list1, Qt::LeftButton, {}, Centre(w.ListView1, 2));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    auto* editor = w.ListView1->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr) << "the label edit started";
    editor->selectAll();
    QTest::keyClicks(editor, "speed");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(20);
    EXPECT_EQ(s.VarTab[3].Name, "speed");
    EXPECT_EQ(Item(w.ListView2, 1, 2).data().toString(), "speed");
    EXPECT_EQ(s.GrphTab[2].Title, "speed") << "titles rebuilt from the line names";
    EXPECT_TRUE(w.Command6->isEnabled());
}

TEST_F(SelectionWindowTest, DoubleClickAddsTheVariableAndClearReloadSwitch)
{
    QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, Centre(w.ListView1, 5));
    QTest::mouseDClick(w.ListView1->viewport(), Qt::LeftButton, {}, Centre(w.ListView1, 5));
    ASSERT_EQ(w.ListView2->model()->rowCount(), 4);
    EXPECT_EQ(Item(w.ListView2, 3, 0).data().toString(), "ALPHA2");

    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_EQ(w.ListView2->model()->rowCount(), 0);
    EXPECT_EQ(w.Command4->text(), "Reload");
    EXPECT_FALSE(w.Command6->isEnabled());
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_EQ(w.ListView2->model()->rowCount(), 3);
    EXPECT_EQ(w.Command4->text(), "Clear");
}

TEST(PlotWindowSelect, SelectMenuOpensTheWindowWithoutWaiting)
{
    Session s = testing::SelectionSession({{1, 2}});
    PlotWindow plot(s);
    QMenuBar bar;
    plot.BuildMenus(&bar);
    plot.menus().mnuSelect->trigger();
    ASSERT_NE(plot.selectWindow(), nullptr);
    EXPECT_TRUE(plot.selectWindow()->isVisible());
    EXPECT_FALSE(plot.selectWindow()->isModal());
    plot.UnloadSelect();
    EXPECT_FALSE(plot.selectWindow()->isVisible());
}

} // namespace
} // namespace zan
