// Entry point of the viewer: the options in front of the data file names,
// then either the page export without a window or the frame window.
#include "dialogs/frame_window.h"
#include "dialogs/plot_window_host.h"
#include "platform/qt_file_dialog.h"
#include "platform/qt_screen_metrics.h"
#include "render/page_export.h"
#include "session/command_line.h"
#include "session/data_library.h"
#include "session/startup_services.h"

#include <QApplication>

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
    const std::string cmdLine = zan::CommandLineText(options.files);
    zan::WindowHost host(cmdLine);
    zan::QtFileDialog dialog;
    zan::QtScreenMetrics screen;
    zan::ProgramServices services(host, zan::TheLibrary(), dialog, host.messageBox(), screen);
    services.endRequested = [&host] { return host.endRequested(); };
    zan::Session session;
    zan::FrameWindow frame(session, services, cmdLine, &host);
    QObject::connect(&frame, &zan::FrameWindow::unloaded, &app, &QCoreApplication::quit);
    if (!frame.Load())
        return 0;
    return app.exec();
}
