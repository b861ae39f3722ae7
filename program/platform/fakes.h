// Scripted stand-ins for the platform services, for tests without a display:
// each answers from a queue the test fills and records what it was asked.
#ifndef ZAN_PLATFORM_FAKES_H
#define ZAN_PLATFORM_FAKES_H

#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/mouse_pointer.h"
#include "platform/pending_events.h"
#include "platform/progress_window.h"
#include "platform/screen_metrics.h"
#include "platform/timer.h"

#include <algorithm>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace zan {

// Answers with the queued results in order; when the queue is empty, the
// user cancels.
class FakeFileDialog : public FileDialog {
public:
    void choose(std::string text) { answers.push_back({FileDialogResult::Outcome::Chosen, std::move(text)}); }
    void chooseMany(const std::string& folder, const std::vector<std::string>& names)
    {
        choose(selectionText(folder, names));
    }
    void cancel() { answers.push_back({FileDialogResult::Outcome::Cancelled, {}}); }
    void rejectName() { answers.push_back({FileDialogResult::Outcome::InvalidFileName, {}}); }

    FileDialogResult show(const FileDialogRequest& request) override
    {
        requests.push_back(request);
        if (answers.empty()) return {};
        FileDialogResult result = answers.front();
        answers.pop_front();
        return result;
    }

    std::deque<FileDialogResult> answers;
    std::vector<FileDialogRequest> requests;
};

// Answers with the queued answers in order; when the queue is empty, an OK
// box answers Ok and a question its default, No.
class FakeMessageBox : public MessageBox {
public:
    struct Shown {
        std::string text;
        std::string title;
        MessageButtons buttons;
        MessageIcon icon;
    };

    MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                       MessageIcon icon) override
    {
        shown.push_back({text, title, buttons, icon});
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        if (answers.empty()) return MessageAnswer::No;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<MessageAnswer> answers;  // for Yes/No questions only
    std::vector<Shown> shown;
};

// Time passes only when the test says so: elapse() ticks once for every
// interval that completes while the timer stays enabled.
class FakeTimer : public Timer {
public:
    void setInterval(int milliseconds) override
    {
        interval_ = milliseconds < 0 ? 0 : milliseconds;
        waited_ = 0;
    }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override
    {
        enabled_ = enabled;
        waited_ = 0;
    }
    bool isEnabled() const override { return enabled_; }

    void elapse(int milliseconds)
    {
        while (enabled_ && interval_ > 0 && milliseconds > 0) {
            const int step = std::min(milliseconds, interval_ - waited_);
            waited_ += step;
            milliseconds -= step;
            if (waited_ == interval_) {
                waited_ = 0;
                ++ticks;
                tick();
            }
        }
    }
    // The next tick at once, if the timer is enabled with an interval.
    void fire()
    {
        if (enabled_ && interval_ > 0) elapse(interval_ - waited_);
    }

    int ticks = 0;

private:
    int interval_ = 0;
    int waited_ = 0;
    bool enabled_ = false;
};

class FakeProgressWindow : public ProgressWindow {
public:
    void show() override { visible = true; }
    void setLabel(const std::string& text) override { labels.push_back(text); }
    void hide() override { visible = false; }
    void setLoad(const std::string& fileName, int percent) override
    {
        visible = true;
        loads.push_back(fileName + " " + std::to_string(percent));
    }
    bool cancelled() const override { return cancel; }

    bool visible = false;
    bool cancel = false;
    std::vector<std::string> labels;
    std::vector<std::string> loads;
};

class FakeScreenMetrics : public ScreenMetrics {
public:
    PixelRect virtualScreen() const override { return screen; }
    double twipsPerPixelX() const override { return twipsX; }
    double twipsPerPixelY() const override { return twipsY; }
    int scrollBarWidth() const override { return scrollBar; }

    PixelRect screen{0, 0, 1920, 1080};
    double twipsX = 15.0;
    double twipsY = 15.0;
    int scrollBar = 17;
};

class FakeMousePointer : public MousePointer {
public:
    void setShape(PointerShape s) override { shapes.push_back(s); }
    PointerShape shape() const override { return shapes.empty() ? PointerShape::Normal : shapes.back(); }

    std::vector<PointerShape> shapes;  // every shape set, in order
};

class FakePendingEvents : public PendingEvents {
public:
    void runPending() override { ++runs; }
    int runs = 0;
};

}  // namespace zan

#endif
