#include "dialogs/plot_window_picture.h"

#include <QMouseEvent>
#include <QPainter>

namespace zan {

namespace {

int ButtonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int ShiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier) ? 1 : 0;
}

} // namespace

PlotPicture::PlotPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    Erase();
}

void PlotPicture::Erase()
{
    image_ = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
    image_.fill(Qt::white);
}

void PlotPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, image_);
    if (!band_.isNull()) {
        // Dark grey inverts over the white page and shows over the curves.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QColor(128, 128, 128));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band_);
    }
}

void PlotPicture::ShowBand(const QRect& band)
{
    band_ = band;
    update();
}

void PlotPicture::HideBand()
{
    band_ = QRect();
    update();
}

void PlotPicture::resizeEvent(QResizeEvent*)
{
    // The old picture stays in the corner until the next drawing replaces it.
    const QImage old = image_;
    Erase();
    QPainter painter(&image_);
    painter.drawImage(0, 0, old);
}

void PlotPicture::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                   event->position().x(), event->position().y());
}

void PlotPicture::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()),
                   event->position().x(), event->position().y());
}

void PlotPicture::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                 event->position().x(), event->position().y());
}

void PlotPicture::mouseDoubleClickEvent(QMouseEvent*)
{
    emit doubleClick();
}

} // namespace zan
