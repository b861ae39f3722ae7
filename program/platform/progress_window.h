// A small modeless window that shows how far a long operation is, such as
// "3 of 7" while files load.
#ifndef ZAN_PLATFORM_PROGRESS_WINDOW_H
#define ZAN_PLATFORM_PROGRESS_WINDOW_H

#include <string>

namespace zan {

class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    virtual void show() = 0;
    // The label is shown at once, without waiting for the event loop.
    virtual void setLabel(const std::string& text) = 0;
    virtual void hide() = 0;
    // Turns the window into the progress of one file's load: its name, the
    // percentage read and a Cancel button; input to other windows waits
    // until hide().
    virtual void setLoad(const std::string& /*fileName*/, int /*percent*/) {}
    // True once Cancel was pressed since the window was last hidden.
    virtual bool cancelled() const { return false; }
};

}  // namespace zan

#endif
