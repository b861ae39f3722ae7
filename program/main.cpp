// Entry point of the viewer: the options in front of the data file names,
// then either the page export without a window or the frame window.
#include "windows/plot/file_drop_target.h"
#include "windows/frame/frame_window.h"
#include "windows/plot/plot_window_host.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_screen_metrics.h"
#include "render/page_export.h"
#include "session/command_line.h"
#include "session/data_library.h"
#include "session/startup_services.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const zan::ProgramArgs options = zan::ParseProgramArgs(args);
    if (options.help) {
        std::fputs(zan::HelpText().c_str(), stdout);
        return 0;
    }
    if (!options.error.empty()) {
        std::fprintf(stderr, "zan: %s\n\n%s", options.error.c_str(), zan::HelpText().c_str());
        return 2;
    }
    if (options.exportPage) {
        // No window is shown, so no display is needed (unless one was asked for).
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        QApplication app(argc, argv);
        return zan::ExportPage(options, std::cout, std::cerr);
    }

    QApplication app(argc, argv);
    // The menu entry zan.desktop and its icon stand for the windows as well.
    QGuiApplication::setDesktopFileName("zan");
    QApplication::setWindowIcon(QIcon::fromTheme("zan"));
    const std::string cmdLine = zan::CommandLineText(options.files);
    zan::WindowHost host(cmdLine);
    zan::QtFileDialog dialog;
    zan::QtScreenMetrics screen;
    zan::ProgramServices services(host, zan::TheLibrary(), dialog, host.messageBox(), screen);
    services.endRequested = [&host] { return host.endRequested(); };
    zan::Session session;
    zan::FrameWindow frame(session, services, cmdLine, &host);
    QObject::connect(&frame, &zan::FrameWindow::unloaded, &app, &QCoreApplication::quit);
    // Owned by the frame: files dropped onto it open like the menu "Open".
    new zan::FileDropTarget(frame, session, services, host.messageBox());
    if (!frame.Load())
        return 0;
    return app.exec();
}
