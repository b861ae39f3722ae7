// What the session procedures get from the windows: message boxes, the
// loading progress window, the pointer, the frame's geometry, the watch
// timer and the number boxes of the main window.
#pragma once

#include "platform/qt_message_box.h"
#include "platform/qt_progress_window.h"
#include "platform/settings_store.h"
#include "session/session_host.h"

#include <memory>

namespace zan {

class FrameWindow;
class PlotWindow;

class WindowHost : public SessionHost {
public:
    explicit WindowHost(std::string cmdLine);
    ~WindowHost() override;

    // The windows, once they exist; calls before that do nothing.
    void Attach(FrameWindow* frame, PlotWindow* plot);

    MsgResult Message(const std::string& text, const std::string& title, MsgButtons buttons,
                      MsgIcon icon) override;
    const platform::SettingsStore& Store() const override { return store_; }
    void ProcessEvents() override;
    void EndProgram() override;
    void ShowProgress() override;
    void SetProgressText(const std::string& text) override;
    void HideProgress() override;
    bool ShowLoadProgress(const std::string& fileName, int percent) override;
    void SetBusyPointer(bool busy) override;
    void ShowDecimated(bool decimated) override;
    void ShowLoadNote(const std::string& label, const std::string& lines) override;
    FrameGeometry Frame() const override;
    std::string CommandLine() const override { return cmdLine_; }
    void SetWatchTimer(int intervalMs, bool enabled) override;
    void ShowGridBoxes(int step, int cols, int rows) override;

    // The user chose to end the program (after a failed load).
    bool endRequested() const { return endRequested_; }
    QtMessageBox& messageBox() { return messages_; }

private:
    std::string cmdLine_;
    platform::SettingsStore store_;
    QtMessageBox messages_;
    std::unique_ptr<QtProgressWindow> progress_;
    FrameWindow* frame_ = nullptr;
    PlotWindow* plot_ = nullptr;
    bool endRequested_ = false;
};

} // namespace zan
