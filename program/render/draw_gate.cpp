#include "render/draw_gate.h"

namespace zan::render {

void DrawGate::Page()
{
    page_ = true;
    Serve();
}

void DrawGate::Overlay(bool letEventsRun)
{
    if (!overlay_)
        overlayEvents_ = letEventsRun;
    else
        overlayEvents_ = overlayEvents_ && letEventsRun;
    overlay_ = true;
    Serve();
}

void DrawGate::After(std::function<void()> action)
{
    after_.push_back(std::move(action));
    Serve();
}

void DrawGate::Serve()
{
    if (running_)
        return;
    running_ = true;
    // Whatever a drawing throws, the gate opens again.
    struct Reopen {
        bool& running;
        ~Reopen() { running = false; }
    } reopen{running_};
    for (;;) {
        const bool drawable = !d_.mayDraw || d_.mayDraw();
        if (drawable && page_) {
            page_ = false;
            overlay_ = false;
            ++pages_;
            if (d_.page)
                d_.page();
        } else if (drawable && overlay_) {
            overlay_ = false;
            if (d_.overlay)
                d_.overlay(overlayEvents_);
        } else if (!after_.empty()) {
            const std::function<void()> action = std::move(after_.front());
            after_.pop_front();
            if (action)
                action();
        } else {
            break;
        }
    }
    running_ = false;
    if (d_.idle)
        d_.idle();
}

}  // namespace zan::render
