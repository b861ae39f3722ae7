// Drawing target on any Qt paint device (printer, PDF writer, image),
// painting through one QPainter for the life of the object.
#ifndef ZAN_RENDER_PAINTER_TARGET_H
#define ZAN_RENDER_PAINTER_TARGET_H

#include "render/draw_target.h"

#include <QFont>
#include <QPainter>

#include <optional>

class QPaintDevice;

namespace zan::render {

class PainterTarget : public DrawTarget {
public:
    // Begins painting on the device; painting ends with the object.
    explicit PainterTarget(QPaintDevice& device);
    ~PainterTarget() override;
    PainterTarget(const PainterTarget&) = delete;
    PainterTarget& operator=(const PainterTarget&) = delete;

    bool isActive() const { return painter_.isActive(); }

    int scaleWidth() const override { return width_; }
    int scaleHeight() const override { return height_; }
    void setViewportOrigin(int x, int y) override { origin_ = {x, y}; }
    void setForeColor(Rgb colour) override { foreColor_ = colour; }
    void setDrawStyle(PenStyle style) override { drawStyle_ = style; }
    void selectPen(const PenSpec& pen) override { selectedPen_ = pen; }
    void selectOwnPen() override { selectedPen_.reset(); }
    void selectFont(const FontSpec& font) override;
    void releaseFont() override;
    void setTextColor(Rgb colour) override { textColor_ = colour; }
    void setTextAlign(int flags) override { align_ = flags; }
    void textOut(int x, int y, const std::string& text) override;
    TextSize measureText(const std::string& text) override;
    void moveTo(int x, int y) override { pos_ = {x, y}; }
    void lineTo(int x, int y) override;
    Point currentPosition() const override { return pos_; }
    void setPixel(int x, int y, Rgb colour) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void setClip(const Rect& device) override;
    void clearClip() override;

protected:
    // The pen lines are drawn with now: the selected one, else the target's own.
    PenSpec currentPen() const;
    Point toDevice(int x, int y) const { return {x + origin_.x, y + origin_.y}; }
    QPainter& painter() { return painter_; }

private:
    void applyPen(const PenSpec& pen);

    QPainter painter_;
    int width_ = 0;
    int height_ = 0;
    Point origin_;
    Point pos_;
    Rgb foreColor_ = kBlack;
    PenStyle drawStyle_ = PenStyle::Solid;
    std::optional<PenSpec> selectedPen_;
    Rgb textColor_ = kBlack;
    int align_ = kAlignLeft + kAlignTop;
    QFont font_;
    int escapement_ = 0;
};

// Qt colour of a drawing colour.
QColor ToQColor(Rgb colour);

}  // namespace zan::render

#endif
