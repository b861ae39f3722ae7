// Drawing target on the persistent screen image. One-pixel lines, pixels and
// rectangles are written straight into the image memory (the curves are
// millions of short lines); text and wide pens go through the painter.
#ifndef ZAN_RENDER_IMAGE_TARGET_H
#define ZAN_RENDER_IMAGE_TARGET_H

#include "render/painter_target.h"

#include <QImage>

#include <cstddef>
#include <cstdint>

namespace zan::render {

class ImageTarget : public PainterTarget {
public:
    // The image is converted to 32-bit RGB first when it has another format.
    explicit ImageTarget(QImage& image);

    void lineTo(int x, int y) override;
    void setPixel(int x, int y, Rgb colour) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void setClip(const Rect& device) override;
    void clearClip() override;

    // Sets the pixels of logical column x from row y0 to row y1, both
    // included, inside the clip: what a vertical one-pixel line would set.
    void fillColumn(int x, int y0, int y1, Rgb colour);
    // The clip in logical units: columns left..right-1, rows top..bottom-1.
    Rect logicalClip() const;
    // Sets, inside the clip, the pixels that are opaque in layer, with the
    // layer's top-left pixel on device pixel at.
    void putLayer(const QImage& layer, Point at);
    // Whether every pixel of the logical rectangle (right and bottom
    // included) that lies inside the clip has the colour already.
    bool holds(const Rect& logical, Rgb colour) const;

private:
    // One-pixel line between device points, end pixel excluded.
    void rasterLine(Point a, Point b, uint32_t argb, bool dashed);
    void put(int x, int y, uint32_t argb)
    {
        if (x >= clip_.left && x < clip_.right && y >= clip_.top && y < clip_.bottom)
            reinterpret_cast<uint32_t*>(bits_ + static_cast<std::ptrdiff_t>(y) * stride_)[x] = argb;
    }

    uchar* bits_ = nullptr;
    std::ptrdiff_t stride_ = 0;
    Rect bounds_;
    Rect clip_;  // always inside bounds_
};

}  // namespace zan::render

#endif
