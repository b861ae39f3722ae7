// The fast walk at the first visible column of a cell: a sample on that
// column belongs to the picture, so steep lines on it must be drawn as the
// sample walk draws them.
#include "render/forwarding_target.h"
#include "render/image_target.h"
#include "render/objt_draw.h"
#include "render_fixture.h"

#include <QImage>
#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace zan::render {
namespace {

using testing::CsvFile;
using testing::RenderFixture;

TEST(FastWalkEdge, AnXYGraphWhoseXGoesBackOverTheCellsFirstColumnDrawsAsTheSampleWalk)
{
    // Page drawings of an X-Y graph: x runs back and forth over the first
    // column of the cell (where its frame line is), resting on it and left
    // of it, with steep steps on it. The whole step belongs on that column.
    const double xlo = 0, xhi = 100;
    RenderFixture fx;
    auto page = [&](bool fast, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            ImageTarget direct(image);
            ForwardingTarget reference(direct);
            ObjtDraw(fx.s, fast ? static_cast<DrawTarget&>(direct) : reference);
        }
        return image;
    };
    for (const auto& [width, height] : {std::pair{400, 300}, std::pair{1300, 900}, std::pair{2600, 2200}}) {
        // The layout first, from a placeholder: the x of the first column.
        CsvFile f;
        f.names = {"time", "x", "y"};
        f.rows = 2;
        f.row = [](int r) { return std::vector<double>{double(r), double(r), double(r)}; };
        fx.load({f});
        fx.s.GrphTab.clear();
        fx.grid(2, 2);
        fx.addGraph("xy", 2, {3});
        fx.setRange(2, xlo, xhi);
        fx.setRange(3, 0, 10);
        page(true, width, height);
        const CellRecord& cell = fx.s.CellTab[1];
        const int kp = height / 2048;
        const double perColumn = (xhi - xlo) / cell.PlotW;
        const double edge = xlo + (cell.Left - kp - cell.PlotL) * perColumn;

        // Long stays on and just left of the first column, each with one
        // steep step from the first column to a height of its own, and short
        // trips into the cell.
        std::mt19937 gen(11);
        std::uniform_int_distribution<int> stay(20, 80), trip(1, 4), side(0, 2), level(5, 95);
        std::vector<double> xs, ys;
        while (xs.size() < 4000) {
            const int n = stay(gen);
            for (int i = 0; i < n; ++i) {
                const bool step = i == n / 2;
                xs.push_back(step ? edge : edge - perColumn * side(gen) / 2);
                ys.push_back(step ? level(gen) * 0.1 : 5.0 + side(gen) * 0.05);
            }
            for (int i = trip(gen); i > 0; --i) {
                xs.push_back(edge + perColumn * (2 + 5 * i));
                ys.push_back(5.0 + i * 0.1);
            }
        }
        f.rows = static_cast<int>(xs.size());
        f.row = [&](int r) {
            return std::vector<double>{double(r), xs[static_cast<size_t>(r - 1)], ys[static_cast<size_t>(r - 1)]};
        };
        fx.load({f});
        fx.setRange(2, xlo, xhi);
        fx.setRange(3, 0, 10);
        for (const int step : {1, 2}) {
            fx.s.iStep = step;
            const QImage reference = page(false, width, height);
            ASSERT_TRUE(reference == page(true, width, height)) << width << "x" << height << " draw rate " << step;
        }
    }
}

}  // namespace
}  // namespace zan::render
