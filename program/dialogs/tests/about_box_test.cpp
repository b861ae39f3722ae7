#include "dialogs/about_text.h"
#include "dialogs/plot_window.h"
#include "session/tests/session_fakes.h"

#include <QAction>
#include <QMenuBar>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace zan {
namespace {

class VersionedLibrary : public testing::FakeLibrary {
public:
    std::string Version() override { return version; }
    std::string version;
};

TEST(AboutBox, NamesTheProgramBothVersionsAndTheSettingsFile)
{
    Session s;
    s.Fpath = "/data/runs/";
    s.Finit = "Zan_b.ini";
    VersionedLibrary library;
    library.version = "2.3";
    EXPECT_EQ(AboutText(s, library), "Zan\nViewer for the results of simulation runs\n\n"
                                     "Version " ZAN_PROJECT_VERSION "\nData library version 2.3\n\n"
                                     "Settings file: /data/runs/Zan_b.ini");
    library.version.clear();
    EXPECT_NE(AboutText(s, library).find("Data library version unknown\n"), std::string::npos);
    // The library linked in is the one built with the program.
    EXPECT_EQ(TheLibrary().Version(), ZAN_PROJECT_VERSION);
    EXPECT_EQ(ProgramVersion(), ZAN_PROJECT_VERSION);
}

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
