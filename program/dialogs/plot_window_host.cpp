#include "dialogs/plot_window_host.h"

#include "dialogs/frame_window.h"
#include "dialogs/plot_window.h"

#include <QCoreApplication>
#include <QLabel>

#include <cmath>

namespace zan {

WindowHost::WindowHost(std::string cmdLine) : cmdLine_(std::move(cmdLine)) {}

WindowHost::~WindowHost() = default;

void WindowHost::Attach(FrameWindow* frame, PlotWindow* plot)
{
    frame_ = frame;
    plot_ = plot;
}

MsgResult WindowHost::Message(const std::string& text, const std::string& title, MsgButtons buttons,
                              MsgIcon icon)
{
    const MessageButtons kind = buttons == MsgButtons::YesNo ? MessageButtons::YesNo : MessageButtons::Ok;
    const MessageIcon symbol = icon == MsgIcon::Question   ? MessageIcon::Question
                               : icon == MsgIcon::Critical ? MessageIcon::Critical
                                                           : MessageIcon::None;
    switch (messages_.show(text, title, kind, symbol)) {
    case MessageAnswer::Yes:
        return MsgResult::Yes;
    case MessageAnswer::No:
        return MsgResult::No;
    default:
        return MsgResult::Ok;
    }
}

void WindowHost::ProcessEvents()
{
    QCoreApplication::processEvents();
}

void WindowHost::EndProgram()
{
    endRequested_ = true;
    // While the event loop runs this ends it; during start-up the frame sees
    // the request and does not go on.
    QCoreApplication::exit(0);
}

void WindowHost::ShowProgress()
{
    if (!progress_)
        progress_ = std::make_unique<QtProgressWindow>(frame_);
    progress_->show();
}

void WindowHost::SetProgressText(const std::string& text)
{
    if (progress_)
        progress_->setLabel(text);
}

void WindowHost::HideProgress()
{
    if (progress_)
        progress_->hide();
}

bool WindowHost::ShowLoadProgress(const std::string& fileName, int percent)
{
    if (!progress_)
        progress_ = std::make_unique<QtProgressWindow>(frame_);
    progress_->setLoad(fileName, percent);
    // The window is modal, so input reaches only it; timers wait as well.
    QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
    return progress_->cancelled();
}

void WindowHost::SetBusyPointer(bool busy)
{
    if (!frame_)
        return;
    if (busy)
        frame_->setCursor(Qt::WaitCursor);
    else
        frame_->unsetCursor();
}

void WindowHost::ShowDecimated(bool decimated)
{
    if (plot_)
        plot_->Label2->setStyleSheet(decimated ? "color: red" : "");
}

void WindowHost::ShowLoadNote(const std::string& label, const std::string& lines)
{
    if (plot_)
        plot_->ShowLoadNote(label, lines);
}

FrameGeometry WindowHost::Frame() const
{
    FrameGeometry g;
    if (!frame_)
        return g;
    g.state = frame_->State();
    g.top = static_cast<int>(std::lround(frame_->Top()));
    g.left = static_cast<int>(std::lround(frame_->Left()));
    g.height = static_cast<int>(std::lround(frame_->Height()));
    g.width = static_cast<int>(std::lround(frame_->Width()));
    return g;
}

void WindowHost::SetWatchTimer(int intervalMs, bool enabled)
{
    if (!plot_)
        return;
    plot_->Timer5.setInterval(intervalMs);
    if (enabled)
        plot_->Timer5.start();
    else
        plot_->Timer5.stop();
}

void WindowHost::ShowGridBoxes(int step, int cols, int rows)
{
    if (!plot_)
        return;
    plot_->ShowBoxes(step, cols, rows);
}

} // namespace zan
