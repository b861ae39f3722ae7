#include "render/image_target.h"
#include "render/objt_draw.h"
#include "render/painter_target.h"
#include "render_fixture.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

namespace zan::render {
namespace {

QImage White(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool IsWhite(const QImage& img, int x, int y)
{
    return (img.pixel(x, y) & 0xffffffu) == 0xffffffu;
}

int Inked(const QImage& img, QRect r = QRect())
{
    if (r.isNull()) r = img.rect();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += IsWhite(img, x, y) ? 0 : 1;
    return n;
}

TEST(ImageTarget, LinesLeaveOutTheirEndPixel)
{
    struct Case {
        int x0, y0, x1, y1;
    };
    const Case cases[] = {{10, 10, 20, 10}, {20, 12, 10, 12}, {5, 5, 5, 30}, {3, 3, 23, 13}, {30, 40, 10, 2}, {7, 7, 7, 7}};
    for (const Case& c : cases) {
        QImage img = White(50, 50);
        {
            ImageTarget t(img);
            t.selectPen(PenSpec{PenStyle::Solid, 0, kBlack});
            t.moveTo(c.x0, c.y0);
            t.lineTo(c.x1, c.y1);
        }
        const int n = std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0));
        EXPECT_EQ(Inked(img), n) << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1;
        if (n > 0) {
            EXPECT_FALSE(IsWhite(img, c.x0, c.y0));
            EXPECT_TRUE(IsWhite(img, c.x1, c.y1));
        }
    }
}

TEST(ImageTarget, PainterLinesAlsoLeaveOutTheirEndPixel)
{
    QImage img = White(50, 50);
    {
        PainterTarget t(img);
        t.selectPen(PenSpec{PenStyle::Solid, 0, kBlack});
        t.moveTo(10, 10);
        t.lineTo(20, 10);
    }
    EXPECT_FALSE(IsWhite(img, 10, 10));
    EXPECT_FALSE(IsWhite(img, 19, 10));
    EXPECT_TRUE(IsWhite(img, 20, 10));
}

TEST(ImageTarget, RectangleExcludesRightAndBottomEdges)
{
    QImage img = White(30, 30);
    {
        ImageTarget t(img);
        t.selectPen(PenSpec{PenStyle::Solid, 0, kLightBlue});
        t.rectangle(5, 5, 15, 12);
    }
    EXPECT_EQ(img.pixel(5, 5) & 0xffffffu, 0x0000ffu);
    EXPECT_FALSE(IsWhite(img, 14, 11));
    EXPECT_TRUE(IsWhite(img, 15, 11));
    EXPECT_TRUE(IsWhite(img, 14, 12));
    EXPECT_TRUE(IsWhite(img, 10, 8));  // hollow
    EXPECT_EQ(Inked(img), 2 * 10 + 2 * 5);
}

TEST(ImageTarget, ClipAndBottomLeftOrigin)
{
    QImage img = White(40, 40);
    {
        ImageTarget t(img);
        t.setViewportOrigin(0, 39);
        t.setPixel(0, 0, kBlack);  // bottom-left pixel
        t.setClip(Rect{10, 10, 20, 20});
        t.selectPen(PenSpec{PenStyle::Solid, 0, kBlack});
        t.moveTo(0, -25);  // device row 14
        t.lineTo(39, -25);
        t.setPixel(5, -5, kBlack);  // outside the clip
        t.clearClip();
        t.setPixel(39, -39, kBlack);  // top-right pixel
    }
    EXPECT_FALSE(IsWhite(img, 0, 39));
    EXPECT_FALSE(IsWhite(img, 39, 0));
    EXPECT_EQ(Inked(img, QRect(0, 14, 40, 1)), 10);
    EXPECT_FALSE(IsWhite(img, 10, 14));
    EXPECT_FALSE(IsWhite(img, 19, 14));
    EXPECT_TRUE(IsWhite(img, 20, 14));
    EXPECT_TRUE(IsWhite(img, 5, 34));
}

TEST(ImageTarget, DashedLinesHaveGaps)
{
    QImage img = White(100, 10);
    {
        ImageTarget t(img);
        t.setForeColor(kDarkGrey);
        t.setDrawStyle(PenStyle::Dashed);
        t.moveTo(0, 5);
        t.lineTo(100, 5);
    }
    const int inked = Inked(img);
    EXPECT_GT(inked, 50);
    EXPECT_LT(inked, 100);
    EXPECT_EQ(img.pixel(0, 5) & 0xffffffu, 0x808080u);
}

TEST(ImageTarget, TextIsAlignedOnItsReferencePoint)
{
    QImage img = White(200, 60);
    int width = 0;
    {
        ImageTarget t(img);
        t.selectFont(FontSpec{"Arial", -20, 0});
        width = t.measureText("0000").width;
        t.setTextAlign(kAlignRight + kAlignBaseline);
        t.textOut(100, 40, "0000");
    }
    EXPECT_GT(width, 20);
    EXPECT_GT(Inked(img, QRect(100 - width, 20, width, 21)), 20);
    EXPECT_EQ(Inked(img, QRect(101, 0, 99, 60)), 0);
    EXPECT_EQ(Inked(img, QRect(0, 42, 200, 18)), 0);  // nothing far below the baseline
}

TEST(ImageTarget, WholePageHasFramesAndCurves)
{
    testing::RenderFixture fx;
    testing::CsvFile f;
    f.names = {"time", "wave"};
    f.rows = 500;
    f.row = [](int r) { return std::vector<double>{static_cast<double>(r), std::sin(r / 30.0)}; };
    fx.load({f});
    fx.grid(2, 1);
    fx.addGraph("a", 1, {2});
    fx.addGraph("b", 1, {2});
    QImage img = White(800, 400);
    {
        ImageTarget t(img);
        ObjtDraw(fx.s, t);
    }
    for (int w = 1; w <= 2; ++w) {
        const zan::CellRecord& c = fx.s.CellTab[static_cast<size_t>(w)];
        const int top = c.PlotT + 399;  // logical to device rows
        const int bottom = c.PlotB + 399;
        EXPECT_EQ(img.pixel(c.PlotL, top) & 0xffffffu, 0u);
        EXPECT_EQ(img.pixel(c.PlotR, bottom) & 0xffffffu, 0u);
        int red = 0;
        for (int y = top + 1; y < bottom; ++y)
            for (int x = c.PlotL + 1; x < c.PlotR; ++x) red += (img.pixel(x, y) & 0xffffffu) == 0xef0000u;
        EXPECT_GT(red, c.PlotW / 2) << w;
    }
}

}  // namespace
}  // namespace zan::render
