// The File menu, the watch timer, the extraction commands and the move
// window wired to the main window: the commands themselves are plain
// procedures (FileCommands, ExtrFile, MoveLines).
#pragma once

#include "platform/qt_file_dialog.h"
#include "session/file_commands.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace zan {

class MoveWindow;
class PlotWindow;

class PlotFiles : public QObject, private CommandWindow {
    Q_OBJECT
public:
    PlotFiles(PlotWindow& plot, StartupServices& services, SessionHost& host, DataLibrary& library);

    FileCommands& commands() { return commands_; }
    // Opens the move window, made on first use, and brings it up.
    void ShowMove();
    MoveWindow* moveWindow() const { return move_; }
    // ExtrFile of the given kind; the written files are named in the page label.
    void Extract(int kind);

private:
    void Connect();
    void PictDraw() override;
    void ButnStat() override;
    void FormResize() override;
    void ShowBoxes() override;
    void ShowNote(const std::string& text) override;
    // The command, after which the keys go back to the plot, not to
    // whichever box took the focus while a dialog or the progress window
    // was up (hiding the picture for a new layout hands its focus on).
    std::function<void()> ThenFocusPlot(std::function<void()> command);

    PlotWindow& plot_;
    SessionHost& host_;
    DataLibrary& library_;
    QtFileDialog dialog_;
    FileCommands commands_;
    QPointer<MoveWindow> move_;
};

}  // namespace zan
