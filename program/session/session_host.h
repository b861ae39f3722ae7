#pragma once

// What the session procedures need from the windows around them. The main
// window implements it; tests use a scripted fake. Everything has a harmless
// default except the message box and the settings store.

#include "platform/message_box.h"

#include <string>

namespace zan::platform {
class SettingsStore;
}

namespace zan {

using MsgButtons = MessageButtons;  // YesNo: No is the default button
using MsgIcon = MessageIcon;
using MsgResult = MessageAnswer;

// The frame window as it stands, twips.
struct FrameGeometry {
    int state = 0;  // 0 normal, 1 minimised, 2 maximised
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
};

class SessionHost {
public:
    virtual ~SessionHost() = default;

    virtual MsgResult Message(const std::string& text, const std::string& title,
                              MsgButtons buttons, MsgIcon icon) = 0;
    // Per-user store holding where the last settings file was written.
    virtual const platform::SettingsStore& Store() const = 0;

    // Lets pending window events run once.
    virtual void ProcessEvents() {}
    // Ends the program at once, without saving.
    virtual void EndProgram() {}

    // Progress window of a long load.
    virtual void ShowProgress() {}
    virtual void SetProgressText(const std::string& /*text*/) {}
    virtual void HideProgress() {}
    virtual void SetBusyPointer(bool /*busy*/) {}
    // While a file loads on another thread: shows the progress window with
    // the file's name, the percentage read and a Cancel button, and lets the
    // events of that window run (input to other windows and timers wait, so
    // nothing else reaches the library meanwhile). True once Cancel was
    // pressed. HideProgress takes the window away again.
    virtual bool ShowLoadProgress(const std::string& /*fileName*/, int /*percent*/) { return false; }
    // The label telling whether the data are decimated (red when they are).
    virtual void ShowDecimated(bool /*decimated*/) {}
    // After every load that ends with data: the files that did not load
    // plainly, in short (label) and one line each (lines); both empty when
    // every file did. Shown once, with the first page drawn after the load.
    virtual void ShowLoadNote(const std::string& /*label*/, const std::string& /*lines*/) {}

    virtual FrameGeometry Frame() const { return {}; }
    // The program's arguments as one text.
    virtual std::string CommandLine() const { return {}; }
    // The file-watch timer.
    virtual void SetWatchTimer(int /*intervalMs*/, bool /*enabled*/) {}
    // The boxes "Draw Rate", "Cols" and "Rows".
    virtual void ShowGridBoxes(int /*step*/, int /*cols*/, int /*rows*/) {}
};

}  // namespace zan
