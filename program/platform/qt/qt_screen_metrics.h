// Screen facts on Qt.
#ifndef ZAN_PLATFORM_QT_SCREEN_METRICS_H
#define ZAN_PLATFORM_QT_SCREEN_METRICS_H

#include "platform/screen_metrics.h"

namespace zan {

// Positions of Qt windows are in device-independent pixels, so twips are
// taken from the logical dots per inch the screen reports (96 gives 15
// twips per pixel), not from a fixed value.
class QtScreenMetrics : public ScreenMetrics {
public:
    PixelRect virtualScreen() const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    int scrollBarWidth() const override;
};

}  // namespace zan

#endif
