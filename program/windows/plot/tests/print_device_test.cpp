// Pages printed to numbered PDF files where there is no printer.
#include "render/page_output.h"
#include "render/tests/render_fixture.h"
#include "windows/plot/print_device.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace zan {
namespace {

TEST(PrntDraw, WritesNumberedPdfFiles)
{
    render::testing::RenderFixture fx;
    fx.declare(2);
    fx.grid(2, 2);
    for (int g = 1; g <= 2; ++g) fx.addGraph("graph" + std::to_string(g), 1, {2});
    QtPrintDevice device(fx.dir.folder(), false);
    std::string label;
    device.pageLabel = [&](const std::string& s) { label = s; };
    const std::string first = render::PrntDraw(fx.s, device);
    const std::string second = render::PrntDraw(fx.s, device);
    EXPECT_EQ(first, fx.dir.file("Print000.pdf"));
    EXPECT_EQ(second, fx.dir.file("Print001.pdf"));
    EXPECT_EQ(label, "Printed to " + second);
    std::ifstream in(first, std::ios::binary);
    std::string head(4, '\0');
    in.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");
    EXPECT_GT(std::filesystem::file_size(first), 1000u);
}

}  // namespace
}  // namespace zan
