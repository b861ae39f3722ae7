// Entry point of the viewer: the options in front of the data file names,
// then either the headless page export or the frame window.
#include "dialogs/frame_window.h"
#include "session/command_line.h"
#include "session/startup_services.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const zan::ProgramArgs options = zan::ParseProgramArgs(args);
    if (options.help) {
        std::fputs(zan::HelpText().c_str(), stdout);
        return 0;
    }
    if (!options.error.empty()) {
        std::fprintf(stderr, "zan: %s\n%s", options.error.c_str(), zan::HelpText().c_str());
        return 2;
    }

    QApplication app(argc, argv);
    zan::Session session;
    zan::ProgramServices services;
    zan::FrameWindow frame(session, services, zan::CommandLineText(options.files));
    QObject::connect(&frame, &zan::FrameWindow::unloaded, &app, &QCoreApplication::quit);
    if (!frame.Load())
        return 0;
    return app.exec();
}
