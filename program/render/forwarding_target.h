// A drawing target that passes every operation on to another one without
// being of its kind: the page drawing then treats it as a general target,
// which is how the reference sample walk is drawn onto a screen image.
#ifndef ZAN_RENDER_FORWARDING_TARGET_H
#define ZAN_RENDER_FORWARDING_TARGET_H

#include "render/draw_target.h"

#include <string>

namespace zan::render {

class ForwardingTarget : public DrawTarget {
public:
    explicit ForwardingTarget(DrawTarget& t) : t_(t) {}
    int scaleWidth() const override { return t_.scaleWidth(); }
    int scaleHeight() const override { return t_.scaleHeight(); }
    void setViewportOrigin(int x, int y) override { t_.setViewportOrigin(x, y); }
    void setForeColor(Rgb c) override { t_.setForeColor(c); }
    void setDrawStyle(PenStyle s) override { t_.setDrawStyle(s); }
    void selectPen(const PenSpec& p) override { t_.selectPen(p); }
    void selectOwnPen() override { t_.selectOwnPen(); }
    void selectFont(const FontSpec& f) override { t_.selectFont(f); }
    void releaseFont() override { t_.releaseFont(); }
    void setTextColor(Rgb c) override { t_.setTextColor(c); }
    void setTextAlign(int f) override { t_.setTextAlign(f); }
    void textOut(int x, int y, const std::string& s) override { t_.textOut(x, y, s); }
    TextSize measureText(const std::string& s) override { return t_.measureText(s); }
    void moveTo(int x, int y) override { t_.moveTo(x, y); }
    void lineTo(int x, int y) override { t_.lineTo(x, y); }
    Point currentPosition() const override { return t_.currentPosition(); }
    void setPixel(int x, int y, Rgb c) override { t_.setPixel(x, y, c); }
    void rectangle(int l, int t, int r, int b) override { t_.rectangle(l, t, r, b); }
    void setClip(const Rect& d) override { t_.setClip(d); }
    void clearClip() override { t_.clearClip(); }

private:
    DrawTarget& t_;
};

}  // namespace zan::render

#endif
