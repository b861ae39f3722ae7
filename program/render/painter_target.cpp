#include "render/painter_target.h"

#include "render/font_faces.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPen>
#include <QVector>

namespace zan::render {

namespace {

// Dash and gap of a dashed one-pixel line, in pixels.
constexpr double kDash = 18.0;
constexpr double kGap = 6.0;

}  // namespace

QColor ToQColor(Rgb colour)
{
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

PainterTarget::PainterTarget(QPaintDevice& device)
    : width_(device.width()), height_(device.height())
{
    painter_.begin(&device);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBrush(Qt::NoBrush);
    font_ = MakeQFont(FontSpec{"Arial", 0, 0});
}

PainterTarget::~PainterTarget()
{
    if (painter_.isActive()) painter_.end();
}

PenSpec PainterTarget::currentPen() const
{
    if (selectedPen_) return *selectedPen_;
    return PenSpec{drawStyle_, 0, foreColor_};
}

void PainterTarget::applyPen(const PenSpec& wanted)
{
    QPen pen(ToQColor(wanted.colour));
    if (wanted.width <= 1) {
        // A flat cap leaves out the end pixel of a one-pixel line.
        pen.setWidth(0);
        pen.setCapStyle(Qt::FlatCap);
    } else {
        pen.setWidth(wanted.width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    if (wanted.style == PenStyle::Dashed) {
        const double unit = wanted.width <= 1 ? 1.0 : wanted.width;
        pen.setDashPattern(QVector<qreal>{kDash / unit, kGap / unit});
    }
    painter_.setPen(pen);
}

void PainterTarget::selectFont(const FontSpec& font)
{
    font_ = MakeQFont(font);
    escapement_ = font.escapement;
}

void PainterTarget::releaseFont()
{
    font_ = MakeQFont(FontSpec{"Arial", 0, 0});
    escapement_ = 0;
}

TextSize PainterTarget::measureText(const std::string& text)
{
    QFontMetricsF fm(font_, painter_.device());
    const QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return TextSize{static_cast<int>(fm.horizontalAdvance(s) + 0.5), static_cast<int>(fm.height() + 0.5)};
}

void PainterTarget::textOut(int x, int y, const std::string& text)
{
    QFontMetricsF fm(font_, painter_.device());
    const QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    const double w = fm.horizontalAdvance(s);
    double dx = 0.0;
    if ((align_ & kAlignCenter) == kAlignCenter) {
        dx = -w / 2.0;
    } else if ((align_ & kAlignRight) == kAlignRight) {
        dx = -w;
    }
    double dy = fm.ascent();
    if ((align_ & kAlignBaseline) == kAlignBaseline) {
        dy = 0.0;
    } else if ((align_ & kAlignBottom) == kAlignBottom) {
        dy = -fm.descent();
    }
    const Point d = toDevice(x, y);
    painter_.save();
    painter_.setFont(font_);
    painter_.setPen(ToQColor(textColor_));
    painter_.translate(d.x, d.y);
    if (escapement_ != 0) painter_.rotate(-escapement_ / 10.0);
    painter_.drawText(QPointF(dx, dy), s);
    painter_.restore();
}

void PainterTarget::lineTo(int x, int y)
{
    const Point a = toDevice(pos_.x, pos_.y);
    const Point b = toDevice(x, y);
    pos_ = {x, y};
    if (a == b) return;
    applyPen(currentPen());
    painter_.drawLine(QPoint(a.x, a.y), QPoint(b.x, b.y));
}

void PainterTarget::setPixel(int x, int y, Rgb colour)
{
    const Point d = toDevice(x, y);
    painter_.fillRect(QRect(d.x, d.y, 1, 1), ToQColor(colour));
}

void PainterTarget::rectangle(int left, int top, int right, int bottom)
{
    const Point a = toDevice(left, top);
    const Point b = toDevice(right, bottom);
    const PenSpec pen = currentPen();
    applyPen(pen);
    if (pen.width <= 1) {
        if (b.x - a.x < 1 || b.y - a.y < 1) return;
        painter_.drawRect(QRect(a.x, a.y, b.x - a.x - 1, b.y - a.y - 1));
    } else {
        painter_.drawRect(QRectF(a.x, a.y, b.x - a.x - 1, b.y - a.y - 1));
    }
}

void PainterTarget::setClip(const Rect& device)
{
    painter_.setClipRect(QRect(device.left, device.top, device.right - device.left, device.bottom - device.top));
}

void PainterTarget::clearClip()
{
    painter_.setClipping(false);
}

}  // namespace zan::render
