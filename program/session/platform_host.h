#pragma once

// A SessionHost built from the platform's services: message box, progress
// window, pending events, mouse pointer and settings store. The main window
// derives from it to add what only it knows (frame geometry, command line,
// watch timer, boxes, decimation label, ending the program).

#include "platform/message_box.h"
#include "platform/mouse_pointer.h"
#include "platform/pending_events.h"
#include "platform/progress_window.h"
#include "platform/settings_store.h"
#include "session/session_host.h"

namespace zan {

class PlatformHost : public SessionHost {
public:
    PlatformHost(MessageBox& messages, ProgressWindow& progress, PendingEvents& events,
                 MousePointer& pointer, const platform::SettingsStore& store)
        : messages_(messages), progress_(progress), events_(events), pointer_(pointer), store_(store) {}

    MsgResult Message(const std::string& text, const std::string& title, MsgButtons buttons,
                      MsgIcon icon) override {
        return messages_.show(text, title, buttons, icon);
    }
    const platform::SettingsStore& Store() const override { return store_; }
    void ProcessEvents() override { events_.runPending(); }
    void ShowProgress() override { progress_.show(); }
    void SetProgressText(const std::string& text) override { progress_.setLabel(text); }
    void HideProgress() override { progress_.hide(); }
    bool ShowLoadProgress(const std::string& fileName, int percent) override {
        progress_.setLoad(fileName, percent);
        events_.runPending();
        return progress_.cancelled();
    }
    void SetBusyPointer(bool busy) override {
        pointer_.setShape(busy ? PointerShape::Hourglass : PointerShape::Normal);
    }

private:
    MessageBox& messages_;
    ProgressWindow& progress_;
    PendingEvents& events_;
    MousePointer& pointer_;
    const platform::SettingsStore& store_;
};

}  // namespace zan
