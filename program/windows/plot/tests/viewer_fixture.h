// The viewer's windows over the real library and the demo run, with fake
// dialogs, for tests that drive the windows offscreen.
#pragma once

#include "windows/frame/frame_window.h"
#include "windows/plot/plot_window.h"
#include "windows/plot/plot_window_host.h"
#include "platform/fakes.h"
#include "session/command_line.h"
#include "session/data_library.h"
#include "session/startup_services.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace zan::testing {

struct Viewer {
    explicit Viewer(const std::string& cmdLine)
        : host(cmdLine), services(host, TheLibrary(), dialog, messages, screen), frame(session, services, cmdLine, &host)
    {
        services.endRequested = [this] { return host.endRequested(); };
    }
    WindowHost host;
    FakeFileDialog dialog;
    FakeMessageBox messages;
    FakeScreenMetrics screen;
    ProgramServices services;
    Session session;
    FrameWindow frame;
};

// Writes the demo run into a temporary folder and starts the viewer on the
// files named; the settings pointer goes to that folder as well. Leaving
// quits without writing settings.
class ViewerTest : public ::testing::Test {
protected:
    void Start(const QStringList& names)
    {
        ASSERT_TRUE(dir.isValid());
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
        ASSERT_EQ(QProcess::execute(ZAN_EXAMPLES_BIN, {dir.path()}), 0);
        std::vector<std::string> files;
        for (const QString& name : names)
            files.push_back(dir.filePath(name).toStdString());
        viewer = std::make_unique<Viewer>(CommandLineText(files));
        ASSERT_TRUE(viewer->frame.Load());
        ASSERT_TRUE(Settled());
    }
    void TearDown() override
    {
        if (viewer && viewer->frame.plotWindow()) {
            viewer->session.iQuit = 1;
            viewer->frame.close();
        }
        viewer.reset();
        if (oldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    PlotWindow& plot() { return *viewer->frame.plotWindow(); }

    // Runs pending events until the delayed drawing is done; false when it
    // is still pending after five seconds.
    bool Settled()
    {
        QElapsedTimer clock;
        clock.start();
        do
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        while (viewer->frame.plotWindow()->Timer1.isActive() && clock.elapsed() < 5000);
        return !viewer->frame.plotWindow()->Timer1.isActive();
    }

    QTemporaryDir dir;
    QByteArray oldConfig;
    std::unique_ptr<Viewer> viewer;
};

}  // namespace zan::testing
