#include "platform/qt/qt_window_services.h"

#include <QCoreApplication>
#include <QWidget>

namespace zan {

void QtMousePointer::setShape(PointerShape shape)
{
    shape_ = shape;
    if (!window_) return;
    if (shape == PointerShape::Hourglass) window_->setCursor(Qt::WaitCursor);
    else window_->unsetCursor();
}

void QtPendingEvents::runPending() { QCoreApplication::processEvents(); }

}  // namespace zan
