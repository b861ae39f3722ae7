// Letting pending window events run in the middle of a long operation, so
// that the windows repaint and timers and input are served.
#ifndef ZAN_PLATFORM_PENDING_EVENTS_H
#define ZAN_PLATFORM_PENDING_EVENTS_H

namespace zan {

class PendingEvents {
public:
    virtual ~PendingEvents() = default;
    virtual void runPending() = 0;
};

}  // namespace zan

#endif
