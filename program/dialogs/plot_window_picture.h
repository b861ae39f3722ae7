// The plot picture of the main window: shows a persistent image that the
// drawing paints into and that save and copy take, and reports the mouse.
#pragma once

#include <QImage>
#include <QWidget>

namespace zan {

class PlotPicture : public QWidget {
    Q_OBJECT
public:
    explicit PlotPicture(QWidget* parent = nullptr);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    // Erases the image to the white background at the widget's size.
    void Erase();
    // Shows the image as it is now.
    void Refresh() { update(); }
    // The rubber band: an outline shown over the image, which stays as it is.
    void ShowBand(const QRect& band);
    void HideBand();
    const QRect& band() const { return band_; }
    // A position on the widget as a position on the image, whose pixels are
    // the screen's pixels (twice as many per unit at device pixel ratio 2).
    QPointF ToImage(const QPointF& position) const;

signals:
    // button: 1 left, 2 right, 4 middle; shift: 1 when Shift is held; x and
    // y in pixels of the image.
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void doubleClick();
    // A turn of the wheel in eighths of a degree: dy of the vertical wheel
    // (positive away from the user), dx of a sideways one (positive to the left).
    void wheel(double x, double y, int dx, int dy, int shift);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage image_;
    QRect band_;  // empty: no band
};

} // namespace zan
