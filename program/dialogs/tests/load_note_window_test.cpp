// The facts of a load that did not go plainly, in the page label of the
// first page drawn after it.
#include "dialogs/tests/plot_window_fixture.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace zan {
namespace {

TEST(LoadNoteWindow, ShowsWithTheFirstDrawingAfterTheLoadAndGivesWayToTheNext)
{
    testing::PlotWindowFixture fx;
    fx.w->ShowLoadNote("b.csv: names from line 3, 9 rows stored, 0 skipped (and 1 more file)",
                       "b.csv: names from line 3, 9 rows stored, 0 skipped\nc.csv: names from line 1, 8 rows stored, 1 skipped");
    EXPECT_EQ(fx.w->Label2->text(), "Page 1/2");
    fx.w->PictDraw();
    EXPECT_EQ(fx.w->Label2->text(), "b.csv: names from line 3, 9 rows stored, 0 skipped (and 1 more file)");
    EXPECT_EQ(fx.w->Label2->toolTip(),
              "b.csv: names from line 3, 9 rows stored, 0 skipped\nc.csv: names from line 1, 8 rows stored, 1 skipped");
    fx.key(Qt::Key_PageDown);
    EXPECT_EQ(fx.w->Label2->text(), "Page 2/2");
    EXPECT_EQ(fx.w->Label2->toolTip(), "");
    // Told once: the page drawn next shows no note again.
    fx.key(Qt::Key_PageUp);
    EXPECT_EQ(fx.w->Label2->text(), "Page 1/2");
}

}  // namespace
}  // namespace zan
