// The viewer's whole life on the demo data: start from the command line,
// draw, close, and start again with the settings written at the close.
#include "windows/frame/frame_window.h"
#include "windows/plot/plot_window.h"
#include "windows/plot/plot_window_host.h"
#include "windows/plot/plot_window_picture.h"
#include "windows/selection/selection_window.h"
#include "platform/fakes.h"
#include "render/tests/ink_pixels.h"
#include "session/command_line.h"
#include "session/data_library.h"
#include "session/startup_services.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace zan {
namespace {

class FixedScreen : public ScreenMetrics {
public:
    PixelRect virtualScreen() const override { return {0, 0, 1600, 1000}; }
    double twipsPerPixelX() const override { return 15; }
    double twipsPerPixelY() const override { return 15; }
    int scrollBarWidth() const override { return 16; }
};

struct ViewerProcess {
    explicit ViewerProcess(const std::string& cmdLine)
        : host(cmdLine), services(host, TheLibrary(), dialog, messages, screen), frame(session, services, cmdLine, &host)
    {
        services.endRequested = [this] { return host.endRequested(); };
    }
    WindowHost host;
    FakeFileDialog dialog;
    FakeMessageBox messages;
    FixedScreen screen;
    ProgramServices services;
    Session session;
    FrameWindow frame;
};

// Runs the event loop until done() holds or the time is up.
template <class Done>
bool WaitFor(Done done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

using zan::testing::InkPixels;

TEST(ViewerRun, ShowsTheDemoRunAndRestoresItsLayoutAtTheNextStart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_EQ(QProcess::execute(ZAN_EXAMPLES_BIN, {dir.path()}), 0);
    // The pointer to the settings file written last goes to a folder of the test.
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    const std::string cmdLine = CommandLineText({dir.filePath("flight.csv").toStdString(),
                                                 dir.filePath("flight2.csv").toStdString()});
    {
        QFile ini(dir.filePath("Zan.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Startup]\nWin State= 0\nTop= 1500\nLeft= 3000\nWidth= 10500\nHeight= 7500\n");
    }
    {
        ViewerProcess run(cmdLine);
        ASSERT_TRUE(run.frame.Load());
        EXPECT_EQ(run.session.nFile, 2);
        EXPECT_EQ(run.frame.State(), kNormalState);
        EXPECT_EQ(run.frame.size(), QSize(700, 500));
        EXPECT_EQ(run.frame.pos(), QPoint(200, 100));
        PlotWindow* plot = run.frame.plotWindow();
        ASSERT_NE(plot, nullptr);
        EXPECT_TRUE(WaitFor([&] { return !plot->Timer1.isActive(); }, 3000));
        EXPECT_GT(InkPixels(plot->Picture1->image()), 2000);
        EXPECT_EQ(plot->Label2->text(), "Page 1/4");

        // Save, print and the clipboard, all into the current folder of the run.
        const QString before = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        const QImage shown = plot->Picture1->image().copy();
        plot->Command8->click();
        EXPECT_EQ(plot->Label2->text(), "Out000.bmp");
        EXPECT_EQ(QImage(dir.filePath("Out000.bmp"), "BMP").size(), shown.size());
        plot->menus().mnuCopy->trigger();
        plot->menus().mnuPaste->trigger();
        EXPECT_EQ(plot->Picture1->image(), shown);
        plot->Command6->click();
        const bool printed = plot->Label2->text() == "Page 1/4" ||
                             (plot->Label2->text().startsWith("Printed to ") && QFile::exists(dir.filePath("Print000.pdf")));
        EXPECT_TRUE(printed) << plot->Label2->text().toStdString();
        QDir::setCurrent(before);
        run.session.iPage = 2;
        run.frame.resize(820, 610);
        run.frame.close();
    }
    {
        QFile ini(dir.filePath("Zan.ini"));
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        const QByteArray text = ini.readAll();
        EXPECT_TRUE(text.contains("Page= 2")) << text.toStdString();
        EXPECT_TRUE(text.contains("Width= 12300")) << text.toStdString();
    }
    {
        ViewerProcess run(cmdLine);
        ASSERT_TRUE(run.frame.Load());
        EXPECT_EQ(run.session.iPage, 2);
        EXPECT_EQ(run.frame.size(), QSize(820, 610));
        // Maximising and restoring comes back to the remembered normal size.
        run.frame.showMaximized();
        WaitFor([&] { return run.frame.State() == kMaximisedState; }, 1000);
        EXPECT_EQ(run.session.iFwdt, 12300);
        run.frame.showNormal();
        WaitFor([&] { return run.frame.State() == kNormalState; }, 1000);
        EXPECT_EQ(run.frame.size(), QSize(820, 610));
        run.session.iPage = 3;
        run.frame.plotWindow()->menus().mnuQuit->trigger();
    }
    {
        QFile ini(dir.filePath("Zan.ini"));
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        EXPECT_TRUE(ini.readAll().contains("Page= 2")) << "Quit must leave the settings as they were";
    }
    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST(ViewerRun, PageBuiltFromScratchInTheSelectionWindowComesBackAtTheNextStart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_EQ(QProcess::execute(ZAN_EXAMPLES_BIN, {dir.path()}), 0);
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    const std::string cmdLine = CommandLineText({dir.filePath("flight.csv").toStdString()});
    {
        ViewerProcess run(cmdLine);
        ASSERT_TRUE(run.frame.Load());
        PlotWindow* plot = run.frame.plotWindow();
        ASSERT_NE(plot, nullptr);
        EXPECT_TRUE(WaitFor([&] { return !plot->Timer1.isActive(); }, 3000));
        plot->menus().mnuSelect->trigger();
        SelectionWindow* select = plot->selectWindow();
        ASSERT_NE(select, nullptr);
        QTest::mouseClick(select->Command4, Qt::LeftButton);  // "Clear"
        QTest::keyClicks(select->Text1, "PITCH");
        QTest::qWait(300);
        QTest::keyClick(select->Text1, Qt::Key_Return);
        QTest::mouseClick(select->Command6, Qt::LeftButton);  // "Apply"
        EXPECT_EQ(run.session.nGrph, 2);
        EXPECT_TRUE(WaitFor([&] { return !plot->Timer1.isActive(); }, 3000));
        EXPECT_EQ(plot->Label2->text(), "Page 1/1");
        EXPECT_FALSE(plot->Command2->isEnabled()) << "no next page";
        select->move(120, 80);
        run.frame.close();  // the open window is closed first; the layout is written
    }
    {
        ViewerProcess run(cmdLine);
        ASSERT_TRUE(run.frame.Load());
        ASSERT_EQ(run.session.nGrph, 2);
        EXPECT_EQ(run.session.GrphTab[1].Title, "pitch");
        EXPECT_EQ(run.session.GrphTab[2].Title, "pitch_rate");
        EXPECT_EQ(run.session.iSlft, 120 * 15);
        EXPECT_EQ(run.session.iStop, 80 * 15);
        run.frame.plotWindow()->menus().mnuQuit->trigger();
    }
    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
}

} // namespace
} // namespace zan
