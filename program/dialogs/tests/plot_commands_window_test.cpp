// The File commands run from the viewer's menus on the demo run: where the
// keyboard focus goes afterwards and what the page label says.
#include "dialogs/plot_window_picture.h"
#include "dialogs/tests/viewer_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>

namespace zan {
namespace {

class PlotCommands : public testing::ViewerTest {
protected:
    void SetUp() override
    {
        Start({"flight.bin"});
        QApplication::setActiveWindow(&viewer->frame);
    }
    // The focus within the frame, whether or not it is the active window.
    QWidget* focused() { return viewer->frame.focusWidget(); }
};

TEST_F(PlotCommands, KeysGoBackToThePlotAfterOpenAndExtraction)
{
    PlotWindow& w = plot();
    w.Text1->setFocus();
    ASSERT_EQ(focused(), w.Text1);
    viewer->dialog.chooseMany(dir.path().toStdString(), {"flight.csv"});
    w.menus().mnuOpen->trigger();
    ASSERT_TRUE(Settled());
    EXPECT_EQ(viewer->session.Flist[1], path("flight.csv"));
    EXPECT_EQ(focused(), w.Picture1);

    w.Text2->setFocus();
    w.menus().mnuExtrCsv->trigger();
    EXPECT_EQ(focused(), w.Picture1);
    // The written file is named where "Save" names its bitmap.
    EXPECT_EQ(w.Label2->text(), "flight_ext000.csv");
    EXPECT_TRUE(QFile::exists(dir.filePath("flight_ext000.csv")));

    // A new layout of the window keeps the focus where it was (hiding the
    // picture meanwhile hands the focus on in the active window).
    QApplication::setActiveWindow(&viewer->frame);
    w.Picture1->setFocus();
    w.FormResize();
    ASSERT_TRUE(Settled());
    EXPECT_EQ(focused(), w.Picture1);
}

}  // namespace
}  // namespace zan
