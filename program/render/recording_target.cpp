#include "render/recording_target.h"

#include <cmath>
#include <cstdlib>

namespace zan::render {

namespace {

// Character height of a font record with height 0.
constexpr int kDefaultHeight = 16;

int CharHeight(const FontSpec& font)
{
    return font.height == 0 ? kDefaultHeight : std::abs(font.height);
}

}  // namespace

std::vector<RecordedOp> RecordingTarget::select(RecordedOp::Kind kind,
                                                const std::function<bool(const RecordedOp&)>& keep) const
{
    std::vector<RecordedOp> out;
    for (const RecordedOp& op : ops_) {
        if (op.kind == kind && (!keep || keep(op))) out.push_back(op);
    }
    return out;
}

RecordedOp RecordingTarget::base(RecordedOp::Kind kind) const
{
    RecordedOp op;
    op.kind = kind;
    op.origin = origin_;
    op.pen = currentPen();
    op.font = font_;
    op.align = align_;
    op.colour = textColor_;
    return op;
}

void RecordingTarget::textOut(int x, int y, const std::string& text)
{
    RecordedOp op = base(RecordedOp::Kind::Text);
    op.a = {x, y};
    op.text = text;
    ops_.push_back(op);
}

TextSize RecordingTarget::measureText(const std::string& text)
{
    const int h = CharHeight(font_);
    return TextSize{static_cast<int>(std::lround(0.5 * h * static_cast<double>(text.size()))), h};
}

void RecordingTarget::lineTo(int x, int y)
{
    RecordedOp op = base(RecordedOp::Kind::Line);
    op.a = pos_;
    op.b = {x, y};
    ops_.push_back(op);
    pos_ = {x, y};
}

void RecordingTarget::setPixel(int x, int y, Rgb colour)
{
    RecordedOp op = base(RecordedOp::Kind::Pixel);
    op.a = {x, y};
    op.colour = colour;
    ops_.push_back(op);
}

void RecordingTarget::rectangle(int left, int top, int right, int bottom)
{
    RecordedOp op = base(RecordedOp::Kind::Rectangle);
    op.a = {left, top};
    op.b = {right, bottom};
    ops_.push_back(op);
}

void RecordingTarget::setClip(const Rect& device)
{
    RecordedOp op = base(RecordedOp::Kind::Clip);
    op.clip = device;
    ops_.push_back(op);
}

void RecordingTarget::clearClip()
{
    ops_.push_back(base(RecordedOp::Kind::ClearClip));
}

}  // namespace zan::render
