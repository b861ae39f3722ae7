#include "windows/plot/plot_window.h"
#include "session/tests/session_fakes.h"

#include <QAction>
#include <QMenuBar>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace zan {
namespace {

TEST(AboutBox, HelpShowsItWithoutWaitingAndOnlyOnce)
{
    Session s;
    s.Fpath = "/data/";
    PlotWindow w(s);
    QMenuBar bar;
    w.BuildMenus(&bar);
    w.menus().mnuHelp->trigger();
    w.menus().mnuHelp->trigger();
    const QList<QMessageBox*> boxes = w.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->isVisible());
    EXPECT_FALSE(boxes[0]->isModal());
    EXPECT_TRUE(boxes[0]->text().endsWith("Settings file: /data/Zan.ini")) << boxes[0]->text().toStdString();
    boxes[0]->close();
}

}  // namespace
}  // namespace zan
