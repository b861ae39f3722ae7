// The device operations the page drawing needs, in one interface that the
// screen image, the printer and the test recorder implement.
//
// Coordinates are logical units of one device pixel each, y growing downward;
// the viewport origin says which device pixel is logical (0, 0). The drawing
// puts it on the bottom-left pixel, so every visible point has y <= 0.
#ifndef ZAN_RENDER_DRAW_TARGET_H
#define ZAN_RENDER_DRAW_TARGET_H

#include <cstdint>
#include <string>

namespace zan::render {

// 24-bit colour with red in the low byte, green in the middle, blue high.
using Rgb = uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b)
{
    return static_cast<Rgb>(r & 0xff) | (static_cast<Rgb>(g & 0xff) << 8) |
           (static_cast<Rgb>(b & 0xff) << 16);
}
constexpr int RedOf(Rgb c) { return static_cast<int>(c & 0xff); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xff); }
constexpr int BlueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xff); }

// Fixed colours of the classic 16-colour palette.
inline constexpr Rgb kBlack = MakeRgb(0, 0, 0);
inline constexpr Rgb kDarkGrey = MakeRgb(128, 128, 128);
inline constexpr Rgb kLightBlue = MakeRgb(0, 0, 255);
inline constexpr Rgb kWhite = MakeRgb(255, 255, 255);

// Text alignment flags: the reference point of a text. Horizontal and
// vertical flags are added, e.g. kAlignCenter + kAlignTop.
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignRight = 2;
inline constexpr int kAlignCenter = 6;
inline constexpr int kAlignTop = 0;
inline constexpr int kAlignBottom = 8;
inline constexpr int kAlignBaseline = 24;

enum class PenStyle { Solid = 0, Dashed = 1 };

struct PenSpec {
    PenStyle style = PenStyle::Solid;
    int width = 0;  // 0 and 1 both give one pixel
    Rgb colour = kBlack;
    bool operator==(const PenSpec&) const = default;
};

// A logical font: a negative height asks for that character height, a
// positive one for that cell height (ascent plus descent); escapement is the
// text direction in tenths of a degree, counter-clockwise.
struct FontSpec {
    std::string face;
    int height = 0;
    int escapement = 0;
    bool operator==(const FontSpec&) const = default;
};

struct TextSize {
    int width = 0;
    int height = 0;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// Right and bottom edges are outside the rectangle.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

class DrawTarget {
public:
    virtual ~DrawTarget() = default;

    // Drawable size in device pixels.
    virtual int scaleWidth() const = 0;
    virtual int scaleHeight() const = 0;

    virtual void setViewportOrigin(int x, int y) = 0;

    // The target's own pen, used by lines drawn while no pen is selected.
    virtual void setForeColor(Rgb colour) = 0;
    virtual void setDrawStyle(PenStyle style) = 0;

    // An explicitly selected pen replaces the target's own pen until the
    // own pen is selected back.
    virtual void selectPen(const PenSpec& pen) = 0;
    virtual void selectOwnPen() = 0;

    virtual void selectFont(const FontSpec& font) = 0;
    virtual void releaseFont() = 0;
    virtual void setTextColor(Rgb colour) = 0;
    virtual void setTextAlign(int flags) = 0;
    virtual void textOut(int x, int y, const std::string& text) = 0;
    virtual TextSize measureText(const std::string& text) = 0;

    // Polylines; the end pixel of a line is not drawn.
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    virtual Point currentPosition() const = 0;

    virtual void setPixel(int x, int y, Rgb colour) = 0;

    // Outline with the current pen, hollow, right and bottom edges excluded.
    virtual void rectangle(int left, int top, int right, int bottom) = 0;

    // Clip rectangle in device pixels (not moved by the viewport origin).
    virtual void setClip(const Rect& device) = 0;
    virtual void clearClip() = 0;
};

}  // namespace zan::render

#endif
