#include "dialogs/plot_window_picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

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
    // One image pixel per screen pixel: on a screen of device pixel ratio 2
    // the page is drawn at twice the resolution and shown at the same size.
    const double ratio = devicePixelRatioF();
    image_ = QImage(std::max(static_cast<int>(std::lround(width() * ratio)), 1),
                    std::max(static_cast<int>(std::lround(height() * ratio)), 1), QImage::Format_RGB32);
    image_.fill(Qt::white);
}

QPointF PlotPicture::ToImage(const QPointF& position) const
{
    return position * devicePixelRatioF();
}

void PlotPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const double ratio = devicePixelRatioF();
    painter.drawImage(QRectF(0, 0, image_.width() / ratio, image_.height() / ratio), image_);
    if (!band_.isNull()) {
        // The band is in image pixels; dark grey inverts over the white page
        // and shows over the curves.
        painter.scale(1.0 / ratio, 1.0 / ratio);
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
    const QPointF at = ToImage(event->position());
    emit mouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()), at.x(), at.y());
}

void PlotPicture::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = ToImage(event->position());
    emit mouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()), at.x(), at.y());
}

void PlotPicture::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = ToImage(event->position());
    emit mouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()), at.x(), at.y());
}

void PlotPicture::mouseDoubleClickEvent(QMouseEvent*)
{
    emit doubleClick();
}

void PlotPicture::wheelEvent(QWheelEvent* event)
{
    const QPointF at = ToImage(event->position());
    const QPoint turn = event->angleDelta();
    emit wheel(at.x(), at.y(), turn.x(), turn.y(), ShiftCode(event->modifiers()));
    event->accept();
}

} // namespace zan
