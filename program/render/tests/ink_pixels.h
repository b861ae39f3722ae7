// Pixels of a picture that are not white: a page with curves, labels and
// titles has thousands, a blank or failed one none.
#ifndef ZAN_RENDER_TESTS_INK_PIXELS_H
#define ZAN_RENDER_TESTS_INK_PIXELS_H

#include <QImage>

namespace zan::testing {

inline int InkPixels(const QImage& image)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += (image.pixel(x, y) & 0xffffff) != 0xffffff;
    return ink;
}

}  // namespace zan::testing

#endif
