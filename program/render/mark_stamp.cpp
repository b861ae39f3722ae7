#include "render/mark_stamp.h"

#include "render/image_target.h"

#include <QImage>

#include <algorithm>

namespace zan::render {

// Draws the shape around the centre of a scratch image through the screen
// image's own line drawing and keeps the offsets of the pixels it set.
template <class Draw>
void MarkStamp::learn(int reach, Draw draw)
{
    const int size = 2 * reach + 3;
    const int c = reach + 1;
    QImage scratch(size, size, QImage::Format_RGB32);
    const QRgb blank = qRgb(1, 2, 3);
    scratch.fill(blank);
    {
        ImageTarget t(scratch);
        t.moveTo(c, c);
        draw(t);
    }
    left_ = right_ = up_ = down_ = 0;
    std::vector<Point> set;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (scratch.pixel(x, y) != blank) {
                set.push_back({x - c, y - c});
                left_ = std::max(left_, c - x);
                right_ = std::max(right_, x - c);
                up_ = std::max(up_, c - y);
                down_ = std::max(down_, y - c);
            }
    rows_.assign(static_cast<size_t>(left_ + right_ + 1), {});
    for (const Point& p : set) rows_[static_cast<size_t>(p.x + left_)].push_back(p.y);
}

MarkStamp MarkStamp::Mark(ImageTarget& target, int kind, const MarkDims& d, Rgb colour)
{
    MarkStamp s(target, colour);
    const int reach = std::max({d.mx4, d.mxr2, d.my4, d.myr2, 1});
    s.learn(reach, [&](ImageTarget& t) {
        t.selectPen(PenSpec{PenStyle::Solid, 0, kBlack});
        DrawMark(t, kind, d);
    });
    return s;
}

MarkStamp MarkStamp::Dot(ImageTarget& target, int kp, Rgb colour)
{
    MarkStamp s(target, colour);
    s.learn(std::max(kp, 0) + 1, [&](ImageTarget& t) {
        const Point p = t.currentPosition();
        DrawSquareDot(t, p.x, p.y, kp, kBlack);
    });
    return s;
}

void MarkStamp::at(Point p)
{
    for (size_t i = 0; i < rows_.size(); ++i) {
        const int x = p.x + static_cast<int>(i) - left_;
        for (int dy : rows_[i]) target_->fillColumn(x, p.y + dy, p.y + dy, colour_);
    }
}

void MarkStamp::column(int x, const RowSet& rows)
{
    rows.runs([&](int a, int b) {
        for (size_t i = 0; i < rows_.size(); ++i) {
            const int px = x + static_cast<int>(i) - left_;
            // The rows dy + a .. dy + b of every dy, joined where they touch.
            const std::vector<int>& dys = rows_[i];
            size_t j = 0;
            while (j < dys.size()) {
                int top = dys[j] + a;
                int bottom = dys[j] + b;
                while (++j < dys.size() && dys[j] + a <= bottom + 1) bottom = dys[j] + b;
                target_->fillColumn(px, top, bottom, colour_);
            }
        }
    });
}

}  // namespace zan::render
