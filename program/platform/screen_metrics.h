// Facts of the screen that window placement needs.
#ifndef ZAN_PLATFORM_SCREEN_METRICS_H
#define ZAN_PLATFORM_SCREEN_METRICS_H

namespace zan {

// A rectangle in pixels: left and top edge, width and height.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class ScreenMetrics {
public:
    virtual ~ScreenMetrics() = default;
    // The rectangle that holds all screens together.
    virtual PixelRect virtualScreen() const = 0;
    // Window positions and sizes are kept in twips, 1440 to the inch; these
    // convert them from the screen's own dots per inch.
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    // Width of a vertical scroll bar in pixels.
    virtual int scrollBarWidth() const = 0;
};

}  // namespace zan

#endif
