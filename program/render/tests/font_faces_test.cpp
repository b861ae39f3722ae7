#include "render/font_faces.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <gtest/gtest.h>

namespace zan::render {
namespace {

TEST(FontFaces, FaceNamesMapToInstalledMetricTwins)
{
    struct Case {
        const char* face;
        const char* family;
    };
    const Case cases[] = {{"Arial", "Liberation Sans"},
                          {"Times New Roman", "Liberation Serif"},
                          {"Courier New", "Liberation Mono"},
                          {"Verdana", "DejaVu Sans"}};
    for (const Case& c : cases) {
        const QFont font = MakeQFont(FontSpec{c.face, -20, 0});
        EXPECT_EQ(QFontInfo(font).family().toStdString(), c.family) << c.face;
    }
}

TEST(FontFaces, BoldSuffixAndHeights)
{
    const QFont bold = MakeQFont(FontSpec{"Arial bold", -30, 0});
    EXPECT_TRUE(bold.bold());
    EXPECT_EQ(QFontInfo(bold).family().toStdString(), "Liberation Sans");
    EXPECT_EQ(bold.pixelSize(), 30);  // negative: character height

    const QFont cell = MakeQFont(FontSpec{"Arial", 40, 0});
    EXPECT_NEAR(QFontMetricsF(cell).height(), 40.0, 2.0);  // positive: cell height
    EXPECT_LT(cell.pixelSize(), 40);
    EXPECT_GT(MakeQFont(FontSpec{"Arial", 0, 0}).pixelSize(), 0);
}

}  // namespace
}  // namespace zan::render
