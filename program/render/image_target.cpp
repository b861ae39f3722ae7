#include "render/image_target.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace zan::render {

namespace {

// Dash and gap of a dashed one-pixel line, in pixels along its longer axis.
constexpr int kDash = 18;
constexpr int kPeriod = 24;

QImage& Prepared(QImage& image)
{
    const QImage::Format f = image.format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_RGB32);
    return image;
}

uint32_t ToArgb(Rgb c)
{
    return 0xff000000u | (static_cast<uint32_t>(RedOf(c)) << 16) | (static_cast<uint32_t>(GreenOf(c)) << 8) |
           static_cast<uint32_t>(BlueOf(c));
}

Rect Intersect(const Rect& a, const Rect& b)
{
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

}  // namespace

ImageTarget::ImageTarget(QImage& image) : PainterTarget(Prepared(image))
{
    // The painter has detached the image already, so these are the very
    // pixels it paints into.
    bits_ = image.bits();
    stride_ = image.bytesPerLine();
    bounds_ = Rect{0, 0, image.width(), image.height()};
    clip_ = bounds_;
}

void ImageTarget::setClip(const Rect& device)
{
    PainterTarget::setClip(device);
    clip_ = Intersect(bounds_, device);
}

void ImageTarget::clearClip()
{
    PainterTarget::clearClip();
    clip_ = bounds_;
}

void ImageTarget::setPixel(int x, int y, Rgb colour)
{
    const Point d = toDevice(x, y);
    put(d.x, d.y, ToArgb(colour));
}

void ImageTarget::fillColumn(int x, int y0, int y1, Rgb colour)
{
    const Point a = toDevice(x, std::min(y0, y1));
    const Point b = toDevice(x, std::max(y0, y1));
    if (a.x < clip_.left || a.x >= clip_.right) return;
    const int top = std::max(a.y, clip_.top);
    const int bottom = std::min(b.y + 1, clip_.bottom);
    const uint32_t argb = ToArgb(colour);
    for (int py = top; py < bottom; ++py)
        reinterpret_cast<uint32_t*>(bits_ + static_cast<std::ptrdiff_t>(py) * stride_)[a.x] = argb;
}

void ImageTarget::putLayer(const QImage& layer, Point at)
{
    const int top = std::max(at.y, clip_.top);
    const int bottom = std::min(at.y + layer.height(), clip_.bottom);
    const int left = std::max(at.x, clip_.left);
    const int right = std::min(at.x + layer.width(), clip_.right);
    for (int py = top; py < bottom; ++py) {
        const auto* src = reinterpret_cast<const uint32_t*>(layer.constScanLine(py - at.y));
        auto* dst = reinterpret_cast<uint32_t*>(bits_ + static_cast<std::ptrdiff_t>(py) * stride_);
        for (int px = left; px < right; ++px) {
            const uint32_t v = src[px - at.x];
            if ((v >> 24) == 0xff) dst[px] = v;
        }
    }
}

bool ImageTarget::holds(const Rect& logical, Rgb colour) const
{
    const Point a = toDevice(logical.left, logical.top);
    const Point b = toDevice(logical.right, logical.bottom);
    const int left = std::max(a.x, clip_.left);
    const int right = std::min(b.x + 1, clip_.right);
    const int top = std::max(a.y, clip_.top);
    const int bottom = std::min(b.y + 1, clip_.bottom);
    const uint32_t argb = ToArgb(colour);
    for (int py = top; py < bottom; ++py) {
        const auto* row = reinterpret_cast<const uint32_t*>(bits_ + static_cast<std::ptrdiff_t>(py) * stride_);
        for (int px = left; px < right; ++px)
            if (row[px] != argb) return false;
    }
    return true;
}

Rect ImageTarget::logicalClip() const
{
    const Point o = toDevice(0, 0);
    return Rect{clip_.left - o.x, clip_.top - o.y, clip_.right - o.x, clip_.bottom - o.y};
}

void ImageTarget::lineTo(int x, int y)
{
    const PenSpec pen = currentPen();
    if (pen.width > 1) {
        PainterTarget::lineTo(x, y);
        return;
    }
    const Point a = toDevice(currentPosition().x, currentPosition().y);
    const Point b = toDevice(x, y);
    moveTo(x, y);
    rasterLine(a, b, ToArgb(pen.colour), pen.style == PenStyle::Dashed);
}

void ImageTarget::rectangle(int left, int top, int right, int bottom)
{
    const PenSpec pen = currentPen();
    if (pen.width > 1 || pen.style != PenStyle::Solid) {
        PainterTarget::rectangle(left, top, right, bottom);
        return;
    }
    const Point a = toDevice(left, top);
    const Point b = toDevice(right, bottom);
    if (b.x - a.x < 1 || b.y - a.y < 1) return;
    const uint32_t argb = ToArgb(pen.colour);
    for (int px = a.x; px < b.x; ++px) {
        put(px, a.y, argb);
        put(px, b.y - 1, argb);
    }
    for (int py = a.y; py < b.y; ++py) {
        put(a.x, py, argb);
        put(b.x - 1, py, argb);
    }
}

// Pixel i (0 .. n-1, n the longer extent) of the line lies i steps along the
// longer axis and round(i * shorter / longer) steps along the shorter one,
// halves away from the start. Only the steps inside the clip are visited.
void ImageTarget::rasterLine(Point a, Point b, uint32_t argb, bool dashed)
{
    const int dx = b.x - a.x;
    const int dy = b.y - a.y;
    const int64_t adx = std::abs(dx);
    const int64_t ady = std::abs(dy);
    const bool xMajor = adx >= ady;
    const int64_t n = xMajor ? adx : ady;
    if (n == 0) return;
    const int64_t am = xMajor ? ady : adx;
    const int sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int sMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t m0 = xMajor ? a.x : a.y;
    const int64_t n0 = xMajor ? a.y : a.x;
    const int64_t cLo = xMajor ? clip_.left : clip_.top;
    const int64_t cHi = xMajor ? clip_.right : clip_.bottom;
    const int64_t kLo = xMajor ? clip_.top : clip_.left;
    const int64_t kHi = xMajor ? clip_.bottom : clip_.right;
    if (cHi <= cLo || kHi <= kLo) return;

    int64_t first = 0;
    int64_t last = n - 1;
    if (sMajor > 0) {
        first = std::max(first, cLo - m0);
        last = std::min(last, cHi - 1 - m0);
    } else {
        first = std::max(first, m0 - (cHi - 1));
        last = std::min(last, m0 - cLo);
    }
    if (first > last) return;

    const int64_t twoN = 2 * n;
    int64_t num = 2 * first * am + n;
    int64_t minor = n0 + sMinor * (num / twoN);
    int64_t err = num % twoN;
    int64_t major = m0 + sMajor * first;
    for (int64_t i = first; i <= last; ++i) {
        const bool beyond = sMinor > 0 ? minor >= kHi : minor < kLo;
        if (beyond) break;
        const bool inside = minor >= kLo && minor < kHi;
        if (inside && (!dashed || i % kPeriod < kDash)) {
            const int px = static_cast<int>(xMajor ? major : minor);
            const int py = static_cast<int>(xMajor ? minor : major);
            reinterpret_cast<uint32_t*>(bits_ + static_cast<std::ptrdiff_t>(py) * stride_)[px] = argb;
        }
        major += sMajor;
        err += 2 * am;
        if (err >= twoN) {
            err -= twoN;
            minor += sMinor;
        }
    }
}

}  // namespace zan::render
