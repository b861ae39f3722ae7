// The window timer on Qt.
#ifndef ZAN_PLATFORM_QT_TIMER_H
#define ZAN_PLATFORM_QT_TIMER_H

#include "platform/timer.h"

#include <QTimer>

namespace zan {

class QtTimer : public Timer {
public:
    QtTimer();
    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }

private:
    void restart();

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = false;
};

}  // namespace zan

#endif
