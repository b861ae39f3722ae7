// A window timer: ticks every interval milliseconds while enabled, on the
// user-interface thread, one tick at a time.
#ifndef ZAN_PLATFORM_TIMER_H
#define ZAN_PLATFORM_TIMER_H

#include <functional>
#include <utility>

namespace zan {

class Timer {
public:
    virtual ~Timer() = default;

    void onTick(std::function<void()> handler) { handler_ = std::move(handler); }

    // Changing the interval of an enabled timer starts its wait again. An
    // interval of 0 keeps the timer from ticking even while it is enabled.
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    // Enabling starts the wait from the beginning, also when the timer was
    // enabled already; disabling drops a pending tick.
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;

protected:
    // Runs the handler. A tick that arrives while the handler is still
    // running (it may let pending events run) is dropped, not nested.
    void tick()
    {
        if (running_ || !handler_) return;
        running_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{running_};
        handler_();
    }

private:
    std::function<void()> handler_;
    bool running_ = false;
};

}  // namespace zan

#endif
