#include "render/page_layout.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zan::render {
namespace {

zan::Session Grid(int cols, int rows, int nGrph, int page, int iTran)
{
    zan::Session s;
    s.nCols = cols;
    s.nRows = rows;
    s.nCell = cols * rows;
    s.nGrph = nGrph;
    s.iPage = page;
    s.iTran = iTran;
    return s;
}

// (row, col) -> graph for every cell that shows one.
std::vector<std::pair<std::pair<int, int>, int>> Placement(const zan::Session& s)
{
    std::vector<std::pair<std::pair<int, int>, int>> out;
    for (const CellSlot& c : PageCells(s)) out.push_back({{c.row, c.col}, c.iGrph});
    return out;
}

TEST(PageLayout, PlacesGraphsInCellsAlongRowsOrDownColumns)
{
    using P = std::vector<std::pair<std::pair<int, int>, int>>;
    struct Case {
        const char* what;
        zan::Session s;
        P expected;
    };
    const Case cases[] = {
        {"rows, 3 cols x 2 rows", Grid(3, 2, 6, 1, 0),
         P{{{0, 0}, 1}, {{0, 1}, 2}, {{0, 2}, 3}, {{1, 0}, 4}, {{1, 1}, 5}, {{1, 2}, 6}}},
        {"transposed, 4 graphs", Grid(3, 2, 4, 1, 1), P{{{0, 0}, 1}, {{0, 1}, 3}, {{1, 0}, 2}, {{1, 1}, 4}}},
        {"transposed, 3 graphs", Grid(3, 2, 3, 1, 1), P{{{0, 0}, 1}, {{0, 1}, 3}, {{1, 0}, 2}}},
        {"transposed flag from a menu (-1)", Grid(3, 2, 3, 1, -1), P{{{0, 0}, 1}, {{0, 1}, 3}, {{1, 0}, 2}}},
        {"page 2 of 5 graphs on 2 x 2", Grid(2, 2, 5, 2, 0), P{{{0, 0}, 5}}},
        {"no graphs", Grid(2, 3, 0, 1, 0), P{}},
    };
    for (const Case& c : cases) EXPECT_EQ(Placement(c.s), c.expected) << c.what;
}

TEST(PageLayout, CellNumberFollowsTheNumberingOrder)
{
    const zan::Session s = Grid(3, 2, 6, 1, 1);
    std::vector<int> winds;
    for (const CellSlot& c : PageCells(s)) winds.push_back(c.iWind);
    EXPECT_EQ(winds, (std::vector<int>{1, 3, 5, 2, 4, 6}));
}

TEST(PageLayout, CellFrameAndPlotRectangle)
{
    zan::Session s = Grid(2, 3, 6, 1, 0);  // text size Large: T = 1.2
    const PageGeometry g = ComputePageGeometry(s, 800, 600);
    const zan::CellRecord c = CellGeometry(s, g, 0, 0);
    // Top 600*0.09*1.2/3 = 21.6, bottom 600*(1-0.13*1.2)/3 = 168.8,
    // left 800*0.105*1.2/3 = 33.6, right 400 - 800*0.06*1.2/3 = 380.8.
    EXPECT_EQ(c.Top, 22);
    EXPECT_EQ(c.Bottom, 169);
    EXPECT_EQ(c.Left, 34);
    EXPECT_EQ(c.Right, 381);
    EXPECT_EQ(c.Height, 147);
    EXPECT_EQ(c.Width, 347);
    EXPECT_EQ(c.PlotT, -577);
    EXPECT_EQ(c.PlotB, -430);
    EXPECT_EQ(c.PlotH, -147);
    EXPECT_EQ(c.PlotL, 34);
    EXPECT_EQ(c.PlotR, 381);
    EXPECT_EQ(c.PlotW, 347);

    const zan::CellRecord d = CellGeometry(s, g, 2, 1);
    EXPECT_EQ(d.Top, 422);     // 400 + 21.6
    EXPECT_EQ(d.Left, 434);    // 400 + 33.6
    EXPECT_EQ(d.Right, 781);   // 800 - 19.2
}

TEST(PageLayout, BandsForTitleAndFilesLegend)
{
    struct Case {
        int titScrn, titFiles, nFile;
        double hT, hF;
        int legendRows;
    };
    // T = 1.2; the title band is max(0.03, 0.046*1.2/3) * T * 1.05 with graph titles on.
    const double title = static_cast<double>(0.0184f > 0.03f ? 0.0184f : 0.03f) * 1.2 * 1.05;
    const Case cases[] = {
        {0, 0, 5, 0.0, 0.0, 2},
        {0, 1, 5, 0.0, 0.015 * 1.2 * 2, 2},
        {0, 1, 4, 0.0, 0.015 * 1.2 * 1, 1},
        {0, 1, 20, 0.0, 0.015 * 1.2 * 4, 4},  // at most 16 files
        {1, 0, 1, title, 0.0, 1},
    };
    for (const Case& c : cases) {
        zan::Session s = Grid(2, 3, 6, 1, 0);
        s.iTitScrn = c.titScrn;
        s.iTitFiles = c.titFiles;
        s.nFile = c.nFile;
        const PageGeometry g = ComputePageGeometry(s, 1000, 1000);
        EXPECT_NEAR(g.hT, c.hT, 1e-9) << c.titScrn << c.titFiles << c.nFile;
        EXPECT_NEAR(g.hF, c.hF, 1e-12) << c.titScrn << c.titFiles << c.nFile;
        EXPECT_EQ(g.legendRows, c.legendRows);
        EXPECT_NEAR(g.P, 1 - c.hT - c.hF, 1e-9);
    }
}

TEST(PageLayout, CellsFillTheHeightWithoutBands)
{
    zan::Session s = Grid(1, 1, 1, 1, 0);
    s.iTitGrph = 0;
    s.iTitXAxis = 0;
    s.iFsiz = 2;  // T = 1
    const PageGeometry g = ComputePageGeometry(s, 1000, 1000);
    const zan::CellRecord c = CellGeometry(s, g, 0, 0);
    EXPECT_EQ(c.Top, 80);       // 0.08 of the height
    EXPECT_EQ(c.Bottom, 900);   // 1 - 0.10
}

TEST(PageLayout, PenWidthAndSizeUnitFollowTheTargetSize)
{
    zan::Session s = Grid(2, 3, 6, 1, 0);
    const PageGeometry screen = ComputePageGeometry(s, 1600, 1000);
    EXPECT_EQ(screen.k, 0);
    EXPECT_EQ(screen.kp, 0);
    EXPECT_DOUBLE_EQ(screen.u, 1600 * 0.0025 / 3 * 1.2);
    EXPECT_EQ(screen.D, 32);  // 20 u = 32
    const PageGeometry paper = ComputePageGeometry(s, 7016, 4961);
    EXPECT_EQ(paper.k, 2);
    EXPECT_EQ(paper.kp, 1);
}

TEST(PageLayout, TwiceTheTargetGivesTheSameProportions)
{
    zan::Session s = Grid(3, 2, 6, 1, 0);
    s.iTitScrn = 1;
    s.iTitFiles = 1;
    s.nFile = 3;
    const PageGeometry small = ComputePageGeometry(s, 800, 600);
    const PageGeometry large = ComputePageGeometry(s, 1600, 1200);
    EXPECT_DOUBLE_EQ(large.u, 2 * small.u);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            const zan::CellRecord a = CellGeometry(s, small, row, col);
            const zan::CellRecord b = CellGeometry(s, large, row, col);
            EXPECT_NEAR(b.Left, 2 * a.Left, 1);
            EXPECT_NEAR(b.Right, 2 * a.Right, 1);
            EXPECT_NEAR(b.Top, 2 * a.Top, 1);
            EXPECT_NEAR(b.Bottom, 2 * a.Bottom, 1);
        }
    }
    EXPECT_EQ(large.k, 0);  // pens grow only beyond 2047 pixels of height
}

TEST(PageLayout, TablesAndLastCaption)
{
    EXPECT_DOUBLE_EQ(TextFactor(0), 1.4);
    EXPECT_DOUBLE_EQ(TextFactor(4), 0.6);
    EXPECT_EQ(LegendColumnLength(3), 12);
    EXPECT_EQ(LegendColumnLength(4), 16);
    EXPECT_EQ(FaceName(4), "Times New Roman");
    EXPECT_EQ(FaceName(1), "Courier New");
    EXPECT_EQ(LastWindowCaption(0), " ");
    EXPECT_EQ(LastWindowCaption(4), "Last  30 sec");
    EXPECT_EQ(LastWindowCaption(7), "Last  600 sec");
}

TEST(PageLayout, PageCount)
{
    EXPECT_EQ(PageCount(Grid(2, 2, 7, 1, 0)), 2);
    EXPECT_EQ(PageCount(Grid(2, 2, 8, 1, 0)), 2);
    EXPECT_EQ(PageCount(Grid(2, 2, 9, 1, 0)), 3);
    EXPECT_EQ(PageCount(Grid(2, 2, 0, 1, 0)), 0);
}

}  // namespace
}  // namespace zan::render
