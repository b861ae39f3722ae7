// Drawing target that only records what is drawn where, for checking the
// drawing logic without pixels. Text is measured by a fixed rule: every
// character is half the font's character height wide.
#ifndef ZAN_RENDER_RECORDING_TARGET_H
#define ZAN_RENDER_RECORDING_TARGET_H

#include "render/draw_target.h"

#include <functional>
#include <vector>

namespace zan::render {

struct RecordedOp {
    enum class Kind { Text, Line, Pixel, Rectangle, Clip, ClearClip };
    Kind kind = Kind::Line;
    Point a;            // text reference point, line start, pixel, rectangle top-left
    Point b;            // line end, rectangle bottom-right (excluded)
    Point origin;       // viewport origin in force
    PenSpec pen;        // pen in force (lines and rectangles)
    Rgb colour = 0;     // text or pixel colour
    std::string text;
    FontSpec font;      // font in force (text)
    int align = 0;      // alignment flags in force (text)
    Rect clip;          // device rectangle (Clip)
};

class RecordingTarget : public DrawTarget {
public:
    RecordingTarget(int width, int height) : width_(width), height_(height) {}

    const std::vector<RecordedOp>& ops() const { return ops_; }
    void clear() { ops_.clear(); }
    // The recorded operations of one kind, optionally filtered further.
    std::vector<RecordedOp> select(RecordedOp::Kind kind,
                                   const std::function<bool(const RecordedOp&)>& keep = {}) const;

    int scaleWidth() const override { return width_; }
    int scaleHeight() const override { return height_; }
    void setViewportOrigin(int x, int y) override { origin_ = {x, y}; }
    void setForeColor(Rgb colour) override { foreColor_ = colour; }
    void setDrawStyle(PenStyle style) override { drawStyle_ = style; }
    void selectPen(const PenSpec& pen) override { selected_ = pen; hasSelected_ = true; }
    void selectOwnPen() override { hasSelected_ = false; }
    void selectFont(const FontSpec& font) override { font_ = font; }
    void releaseFont() override { font_ = FontSpec{}; }
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

    PenSpec currentPen() const { return hasSelected_ ? selected_ : PenSpec{drawStyle_, 0, foreColor_}; }
    Point origin() const { return origin_; }

private:
    RecordedOp base(RecordedOp::Kind kind) const;

    int width_;
    int height_;
    std::vector<RecordedOp> ops_;
    Point origin_;
    Point pos_;
    Rgb foreColor_ = kBlack;
    PenStyle drawStyle_ = PenStyle::Solid;
    PenSpec selected_;
    bool hasSelected_ = false;
    FontSpec font_;
    Rgb textColor_ = kBlack;
    int align_ = 0;
};

}  // namespace zan::render

#endif
