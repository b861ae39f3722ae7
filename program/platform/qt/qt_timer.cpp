#include "platform/qt/qt_timer.h"

namespace zan {

QtTimer::QtTimer()
{
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void QtTimer::setInterval(int milliseconds)
{
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    restart();
}

void QtTimer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    restart();
}

void QtTimer::restart()
{
    timer_.stop();
    if (enabled_ && interval_ > 0) timer_.start(interval_);
}

}  // namespace zan
