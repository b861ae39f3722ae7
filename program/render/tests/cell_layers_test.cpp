// Cells whose curves are drawn on several threads give the page that drawing
// them one after another gives, pixel for pixel, also where the texts of a
// later cell reach over the curves of an earlier one.
#include "render/cell_layers.h"
#include "render/forwarding_target.h"
#include "render/image_target.h"
#include "render/objt_draw.h"
#include "render/sample_walk.h"
#include "render_fixture.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace zan::render {
namespace {

using testing::CsvFile;
using testing::RenderFixture;

CsvFile Waves(int rows, int lines)
{
    CsvFile f;
    f.names.push_back("time");
    for (int j = 1; j <= lines; ++j) f.names.push_back("wave" + std::to_string(j));
    f.rows = rows;
    f.row = [lines](int r) {
        std::vector<double> v{r * 0.01};
        for (int j = 1; j <= lines; ++j) v.push_back(std::sin(r * 0.01 * j) * j + ((r * 7919 + j) % 13) * 0.05);
        return v;
    };
    return f;
}

class ThreadsGuard {
public:
    ~ThreadsGuard() { SetCellThreads(0); }
};

QImage Page(zan::Session& s, int threads, bool reference)
{
    SetCellThreads(threads);
    QImage image(900, 560, QImage::Format_RGB32);
    image.fill(Qt::white);
    ImageTarget target(image);
    if (reference) {
        ForwardingTarget general(target);
        ObjtDraw(s, general);
    } else {
        ObjtDraw(s, target);
    }
    return image;
}

TEST(CellLayers, PageIsTheOneCellAfterCellGives)
{
    ThreadsGuard guard;
    RenderFixture fixture;
    fixture.load({Waves(1500, 14), Waves(900, 14)});
    zan::Session& s = fixture.s;
    s.iTitLine = 1;  // line legends, in columns reaching left over the next cell
    s.iTitYAxis = 1;
    for (const auto& [cols, rows] : std::vector<std::pair<int, int>>{{3, 2}, {6, 6}}) {
        s.GrphTab.clear();
        fixture.grid(cols, rows);
        for (int g = 0; g < cols * rows; ++g) {
            std::vector<int> lines;
            for (int j = 0; j < (g % 3 == 0 ? 14 : 2); ++j) lines.push_back(2 + (g + j) % 14);
            // Long titles overhang the cells beside them.
            fixture.addGraph(std::string(static_cast<size_t>(10 + g % 4 * 25), 'W'), 1, lines);
        }
        for (int mark : {kMarksOff, kMarksOn, kMarksPins})
            for (int step : {1, 5}) {
                if (mark == kMarksOn && step == 5) continue;
                s.iMark = mark;
                s.iStep = step;
                const QImage one = Page(s, 1, false);
                const QImage many = Page(s, 4, false);
                ASSERT_TRUE(one == many) << cols << "x" << rows << ", marks " << mark << ", draw rate " << step;
                ASSERT_TRUE(one == Page(s, 1, true)) << cols << "x" << rows << ", marks " << mark;
            }
    }
}

TEST(CellLayers, LeaveMarkKindAndCellsAsOneThreadDoes)
{
    ThreadsGuard guard;
    RenderFixture fixture;
    fixture.load({Waves(500, 3)});
    zan::Session& s = fixture.s;
    fixture.grid(2, 2);
    fixture.addGraph("a", 1, {2, 3});
    fixture.addGraph("b", 1, {4});
    fixture.addGraph("c", 1, {2, 3, 4});
    Page(s, 1, false);
    const int kind = s.MarkKind;
    const auto cells = s.CellTab;
    s.MarkKind = -1;
    Page(s, 3, false);
    EXPECT_EQ(s.MarkKind, kind);
    EXPECT_EQ(s.CellTab[3].PlotL, cells[3].PlotL);
}

}  // namespace
}  // namespace zan::render
