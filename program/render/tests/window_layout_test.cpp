#include "render/window_layout.h"

#include <gtest/gtest.h>

namespace zan {
namespace {

TEST(FormResize, PictureFillsTheWindowAboveTheBarInWholeFivePixelSteps)
{
    struct Case {
        double innerW, innerH, tx, ty, button, bar;
        double picW, picH;
        std::string caption;
    };
    const Case cases[] = {
        // 800 x 600 pixels, 25-pixel buttons: 790 x 558.33 -> 790 x 555.
        {12000, 9000, 15, 15, 375, 6000, 11850, 8325, " 790 x 555"},
        // The example of a 780 by 540 picture.
        {11850, 8725, 15, 15, 375, 6000, 11700, 8100, " 780 x 540"},
        // 120 dots per inch: 12 twips per pixel.
        {9600, 7200, 12, 12, 300, 4000, 9480, 6660, " 790 x 555"},
    };
    for (const Case& c : cases) {
        const ResizeLayout l = FormResize({c.innerW, c.innerH, c.tx, c.ty, c.button, c.bar});
        EXPECT_DOUBLE_EQ(l.pictureTop, 5 * c.ty);
        EXPECT_DOUBLE_EQ(l.pictureLeft, 5 * c.tx);
        EXPECT_DOUBLE_EQ(l.pictureWidth, c.picW);
        EXPECT_DOUBLE_EQ(l.pictureHeight, c.picH);
        EXPECT_EQ(l.sizeCaption, c.caption);
        EXPECT_DOUBLE_EQ(l.barTop, l.pictureTop + l.pictureHeight);
        EXPECT_DOUBLE_EQ(l.barLeft, (c.innerW - c.bar) / 2);
        EXPECT_DOUBLE_EQ(l.labelsTop, l.barTop + 105);
    }
}

TEST(FormResize, AWrappedBarTakesItsExtraRowsFromThePicture)
{
    ResizeInput in{12000, 9000, 15, 15, 375, 6000};
    in.barExtraHeight = 600;
    // 9000 - 625 - 600 = 7775 twips, cut to 103 steps of 5 pixels.
    const ResizeLayout l = FormResize(in);
    EXPECT_DOUBLE_EQ(l.pictureHeight, 7725);
    EXPECT_EQ(l.sizeCaption, " 790 x 515");
    EXPECT_DOUBLE_EQ(l.barTop, l.pictureTop + 7725);
}

TEST(FormResize, AWindowLowerThanTheBarKeepsATwoTwipPicture)
{
    const ResizeLayout l = FormResize({100, 200, 15, 15, 375, 6000});
    EXPECT_DOUBLE_EQ(l.pictureHeight, 2);
    EXPECT_DOUBLE_EQ(l.pictureWidth, 2);
    EXPECT_LT(l.barLeft, 0);
    // The picture still gets a one-pixel image.
    EXPECT_EQ(TwipsToPixels(l.pictureHeight, 15), 1);
    EXPECT_EQ(TwipsToPixels(11850, 15), 790);
}

} // namespace
} // namespace zan
