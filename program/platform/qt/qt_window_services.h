// The pointer shape and the pending events on Qt.
#ifndef ZAN_PLATFORM_QT_WINDOW_SERVICES_H
#define ZAN_PLATFORM_QT_WINDOW_SERVICES_H

#include "platform/mouse_pointer.h"
#include "platform/pending_events.h"

class QWidget;

namespace zan {

// Sets the pointer of one window (the frame window).
class QtMousePointer : public MousePointer {
public:
    explicit QtMousePointer(QWidget* window) : window_(window) {}
    void setShape(PointerShape shape) override;
    PointerShape shape() const override { return shape_; }

private:
    QWidget* window_;
    PointerShape shape_ = PointerShape::Normal;
};

class QtPendingEvents : public PendingEvents {
public:
    void runPending() override;
};

}  // namespace zan

#endif
