#include "platform/qt/qt_screen_metrics.h"

#include <QApplication>
#include <QRect>
#include <QScreen>
#include <QStyle>

namespace zan {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kUsualTwipsPerPixel = 15.0;  // 96 dots per inch, when no screen answers

double twipsPerPixel(double dotsPerInch)
{
    return dotsPerInch > 0.0 ? kTwipsPerInch / dotsPerInch : kUsualTwipsPerPixel;
}

}  // namespace

PixelRect QtScreenMetrics::virtualScreen() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {0, 0, 1024, 768};
    const QRect r = screen->virtualGeometry();
    return {r.left(), r.top(), r.width(), r.height()};
}

double QtScreenMetrics::twipsPerPixelX() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return twipsPerPixel(screen ? screen->logicalDotsPerInchX() : 0.0);
}

double QtScreenMetrics::twipsPerPixelY() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return twipsPerPixel(screen ? screen->logicalDotsPerInchY() : 0.0);
}

int QtScreenMetrics::scrollBarWidth() const
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

}  // namespace zan
