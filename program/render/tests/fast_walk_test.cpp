// The fast walk must set exactly the pixels of the sample walk: both draw the
// same curves into images that are then compared pixel by pixel.
#include "render/column_reducer.h"
#include "render/fast_walk.h"
#include "render/forwarding_target.h"
#include "render/image_target.h"
#include "render/objt_draw.h"
#include "render/recording_target.h"
#include "render/sample_reader.h"
#include "render/sample_walk.h"
#include "render_fixture.h"

#include <zan.h>

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace zan::render {
namespace {

using testing::CsvFile;
using testing::RenderFixture;

constexpr int kRows = 20000;
constexpr Rgb kCurve = MakeRgb(200, 0, 40);

// Variables: time, then Y columns of several kinds.
enum Column { kTime = 1, kNoisy, kFlat, kStepped, kHoles, kSawTime, kSpikes, kSmooth, kCreep, kWobble };

std::vector<double> Row(int r)
{
    static std::mt19937 gen(1234);
    static std::normal_distribution<double> noise(0.0, 1.0);
    const double t = r * 0.001;
    const double holes = r % 53 == 0 || (r > 9000 && r < 9400) ? std::numeric_limits<double>::quiet_NaN()
                                                                : std::sin(t * 3.0) * 4.0 + 0.3 * noise(gen);
    return {t,
            std::sin(t) * 5.0 + noise(gen),
            2.5,
            std::floor(t * 1.7) * 0.8,
            holes,
            (r % 3000) * 0.01,
            r % 997 == 0 ? 1e7 : std::cos(t * 0.7),
            std::sin(t * 0.8) * 5.0,
            t * 0.01,
            std::sin(t * 40.0) * 3.0 + t * 0.2};
}

struct View {
    const char* name;
    double xlo, xhi, ylo, yhi;  // displayed ranges; a narrow one zooms in
};

const View kViews[] = {
    {"whole", 0.0, 20.0, -10.0, 10.0},
    {"zoomed", 7.3, 7.9, -1.0, 1.5},
    {"deep", 9.1, 9.13, 0.2, 0.21},
    {"beyond", 25.0, 30.0, -10.0, 10.0},
};

struct Cell {
    int w, h;
};
const Cell kCells[] = {{41, 23}, {300, 180}, {1500, 900}};

class FastWalk : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        fixture_ = new RenderFixture;
        CsvFile f;
        f.names = {"time", "noisy", "flat", "stepped", "holes", "saw", "spikes", "smooth", "creep", "wobble"};
        f.rows = kRows;
        f.row = Row;
        fixture_->load({f});
    }
    static void TearDownTestSuite()
    {
        delete fixture_;
        fixture_ = nullptr;
    }

    // Draws one curve of file 1 with either walk onto a fresh image.
    // left: the first visible column, where the clip starts too.
    static QImage Draw(bool fast, int xVar, int yVar, const View& v, const Cell& c, int step, int left = 0,
                       int mark = kMarksOff)
    {
        QImage image(c.w + 20, c.h + 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            ImageTarget t(image);
            t.setClip(Rect{std::max(6, left), 4, c.w + 14, c.h + 16});
            int32_t file = 1, ix = xVar, iy = yVar, n = 0;
            sdata(&file, &ix, &iy, &n);
            double xlo = v.xlo, xhi = v.xhi, ylo = v.ylo, yhi = v.yhi;
            int32_t xspan = c.w, yspan = -c.h, xoff = 10, yoff = c.h + 10;
            dtran(&xlo, &xhi, &ylo, &yhi, &xspan, &yspan, &xoff, &yoff);
            WalkStyle w;
            w.iStep = step;
            w.iMark = mark;
            w.kp = c.w > 1000 ? 1 : 0;
            w.D = 5;
            w.markKind = 6;
            w.colour = kCurve;
            t.selectPen(PenSpec{PenStyle::Solid, 0, kCurve});
            if (fast) FastWalkSamples(t, 1, n, w, VisibleColumns{left, image.width()});
            else WalkSamples(t, 1, n, w);
        }
        return image;
    }

    static RenderFixture* fixture_;
};

RenderFixture* FastWalk::fixture_ = nullptr;

TEST_F(FastWalk, SetsThePixelsOfTheSampleWalk)
{
    const int columns[] = {kNoisy, kFlat, kStepped, kHoles, kSpikes};
    for (int y : columns)
        for (const View& v : kViews)
            for (const Cell& c : kCells)
                for (int step : {1, 3, 10}) {
                    const QImage ref = Draw(false, kTime, y, v, c, step);
                    const QImage fast = Draw(true, kTime, y, v, c, step);
                    ASSERT_TRUE(ref == fast) << "column " << y << ", view " << v.name << ", cell " << c.w << "x"
                                             << c.h << ", draw rate " << step;
                }
}

TEST_F(FastWalk, SetsThePixelsOfTheSampleWalkWhenXGoesBack)
{
    for (const View& v : {View{"saw", 0.0, 30.0, -10.0, 10.0}, View{"sawzoom", 10.0, 10.5, -1.0, 1.0}})
        for (const Cell& c : kCells)
            for (int step : {1, 7}) {
                const QImage ref = Draw(false, kSawTime, kNoisy, v, c, step);
                ASSERT_TRUE(ref == Draw(true, kSawTime, kNoisy, v, c, step))
                    << v.name << " cell " << c.w << " draw rate " << step;
            }
}

TEST_F(FastWalk, SetsThePixelsOfTheSampleWalkAtAVisibleLeftEdge)
{
    // X runs back and forth across the edge, touching its column now and
    // then from the left, while the curve climbs steeply there: lines into
    // the edge column must not be lost.
    struct Curve {
        int x, y;
        View v;
    };
    const Curve curves[] = {{kSawTime, kNoisy, {"saw", 0.0, 30.0, -10.0, 10.0}},
                            {kSawTime, kNoisy, {"steep", 2.0, 12.0, -0.5, 0.5}},
                            {kNoisy, kTime, {"noisy x", -10.0, 10.0, 0.0, 20.0}},
                            {kNoisy, kTime, {"noisy x, zoomed", -4.0, 0.0, 4.0, 4.6}}};
    for (const Curve& k : curves)
        for (const Cell& c : kCells)
            for (const int left : {c.w / 3, c.w / 2 + 1, 10 + c.w * 17 / 40})
                for (int step : {1, 4}) {
                    const QImage ref = Draw(false, k.x, k.y, k.v, c, step, left);
                    ASSERT_TRUE(ref == Draw(true, k.x, k.y, k.v, c, step, left))
                        << k.v.name << " cell " << c.w << " left " << left << " draw rate " << step;
                }
}

// Smooth curves leave many samples in one pixel; zoomed in, most of them lie
// beside the cell, left and right, where they must be passed over quickly
// and still leave the pen where the sample walk leaves it.
TEST_F(FastWalk, SmoothCurvesZoomedInSmallCells)
{
    const View views[] = {
        {"zoomed", 9.0, 9.6, -6.0, 6.0},
        {"wide", 9.0, 15.0, -6.0, 6.0},
        {"deep", 9.31, 9.33, 2.0, 3.0},
        {"creeping", 4.0, 4.5, 0.0, 0.1},
        {"past the end", 20.5, 21.0, -6.0, 6.0},
    };
    const Cell cells[] = {{41, 23}, {120, 60}};
    for (int y : {kSmooth, kCreep, kFlat})
        for (const View& v : views)
            for (const Cell& c : cells)
                for (int step : {1, 3})
                    ASSERT_TRUE(Draw(false, kTime, y, v, c, step) == Draw(true, kTime, y, v, c, step))
                        << "column " << y << ", view " << v.name << ", cell " << c.w << "x" << c.h << ", draw rate "
                        << step;
}

// Marks and dots are set at every point the walk moves to, or in mode "On"
// at points spaced by the least distance, from runs that the fast walk
// passes over as wholes.
TEST_F(FastWalk, MarksAndDotsAreTheSameToo)
{
    const View views[] = {kViews[0], kViews[1], {"wide", 9.0, 15.0, -6.0, 6.0}};
    const Cell cells[] = {{41, 23}, {300, 180}};
    for (int y : {kNoisy, kHoles, kSpikes, kWobble})
        for (const View& v : views)
            for (const Cell& c : cells)
                for (int mark : {kMarksOn, kMarksAll, kMarksOnly, kMarksDots, kMarksPins})
                    for (int step : {1, 3}) {
                        const QImage ref = Draw(false, kTime, y, v, c, step, 0, mark);
                        ASSERT_TRUE(ref == Draw(true, kTime, y, v, c, step, 0, mark))
                            << "column " << y << ", view " << v.name << ", cell " << c.w << "x" << c.h << ", marks "
                            << mark << ", draw rate " << step;
                    }
}

TEST_F(FastWalk, CurvesOfDataAlongYAreTheSameToo)
{
    // Time drawn upward: every pixel column holds at most a few samples.
    const View v{"sideways", -10.0, 10.0, 0.0, 20.0};
    for (const Cell& c : kCells) ASSERT_TRUE(Draw(false, kNoisy, kTime, v, c, 1) == Draw(true, kNoisy, kTime, v, c, 1));
}

TEST_F(FastWalk, PagesLookTheSameAsWithTheSampleWalk)
{
    zan::Session& s = fixture_->s;
    s.GrphTab.clear();
    fixture_->grid(2, 2);
    fixture_->addGraph("noisy", kTime, {kNoisy, kHoles, kStepped, kSpikes});
    fixture_->addGraph("flat", kTime, {kFlat, kNoisy});
    fixture_->addGraph("saw", kSawTime, {kNoisy});
    fixture_->addGraph("sideways", kNoisy, {kTime});
    const double lo = s.VarTab[kTime].Alo[1], hi = s.VarTab[kTime].Ahi[1];
    const Cell pages[] = {{320, 200}, {900, 600}, {1600, 1000}};
    for (const Cell& page : pages)
        for (double zoom : {1.0, 0.02})
            for (int step : {1, 4}) {
                s.VarTab[kTime].Alo[1] = zoom < 1.0 ? 7.25 : lo;
                s.VarTab[kTime].Ahi[1] = zoom < 1.0 ? 7.25 + zoom * (hi - lo) : hi;
                s.iStep = step;
                QImage fast(page.w, page.h, QImage::Format_RGB32), ref(page.w, page.h, QImage::Format_RGB32);
                fast.fill(Qt::white);
                ref.fill(Qt::white);
                {
                    ImageTarget a(fast), b(ref);
                    ForwardingTarget reference(b);
                    ObjtDraw(s, a);
                    ObjtDraw(s, reference);
                }
                ASSERT_TRUE(fast == ref) << page.w << "x" << page.h << " zoom " << zoom << " draw rate " << step;
            }
    s.VarTab[kTime].Alo[1] = lo;
    s.VarTab[kTime].Ahi[1] = hi;
}

TEST(FastWalkChoice, ThinSolidPenOnTheScreenImage)
{
    QImage image(10, 10, QImage::Format_RGB32);
    ImageTarget screen(image);
    RecordingTarget recorder(100, 100);
    struct Case {
        int mark;
        PenSpec pen;
        bool screen;
        bool applies;
    } cases[] = {
        {kMarksOff, {PenStyle::Solid, 0, kBlack}, true, true},
        {kMarksOff, {PenStyle::Solid, 1, kBlack}, true, true},
        {kMarksOff, {PenStyle::Solid, 2, kBlack}, true, false},
        {kMarksOff, {PenStyle::Dashed, 0, kBlack}, true, false},
        {kMarksOff, {PenStyle::Solid, 0, kBlack}, false, false},
        {kMarksOn, {PenStyle::Solid, 0, kBlack}, true, true},
        {kMarksAll, {PenStyle::Solid, 0, kBlack}, true, true},
        {kMarksOnly, {PenStyle::Solid, 0, kBlack}, true, true},
        {kMarksDots, {PenStyle::Solid, 0, kBlack}, true, true},
        {kMarksPins, {PenStyle::Solid, 0, kBlack}, true, true},
        {kMarksOn, {PenStyle::Solid, 2, kBlack}, true, false},
    };
    for (const Case& c : cases) {
        WalkStyle w;
        w.iMark = c.mark;
        const DrawTarget& t = c.screen ? static_cast<DrawTarget&>(screen) : recorder;
        EXPECT_EQ(FastWalkApplies(t, w, c.pen), c.applies) << "mark " << c.mark << " width " << c.pen.width;
    }
}

// A zoomed-in view of a smooth curve in a small cell costs the same whether
// the file holds a little or a lot beside the view: the work is counted in
// samples mapped and extents asked, not timed.
TEST(FastWalkCost, DoesNotGrowWithTheSamplesBesideTheView)
{
    auto cost = [](int rows) {
        RenderFixture fixture;
        CsvFile f;
        f.names = {"time", "smooth"};
        f.rows = rows;
        f.row = [](int r) { return std::vector<double>{r * 0.001, std::sin(r * 0.0008) * 5.0}; };
        fixture.load({f});
        QImage image(60, 43, QImage::Format_RGB32);
        image.fill(Qt::white);
        ImageTarget t(image);
        int32_t file = 1, ix = 1, iy = 2, n = 0;
        sdata(&file, &ix, &iy, &n);
        // Six seconds, 6,000 samples, a little before the end of the file.
        double xlo = rows * 0.001 - 11.0, xhi = rows * 0.001 - 5.0, ylo = -6.0, yhi = 6.0;
        int32_t xspan = 41, yspan = -23, xoff = 10, yoff = 33;
        dtran(&xlo, &xhi, &ylo, &yhi, &xspan, &yspan, &xoff, &yoff);
        t.setClip(Rect{6, 4, 55, 39});
        t.selectPen(PenSpec{PenStyle::Solid, 0, kCurve});
        WalkStyle w;
        w.colour = kCurve;
        const WalkCost before = ThreadWalkCost();
        FastWalkSamples(t, 1, n, w, VisibleColumns{0, image.width()});
        return ThreadWalkCost().mapped - before.mapped + 50 * (ThreadWalkCost().ranges - before.ranges);
    };
    const int64_t small = cost(20000);
    const int64_t large = cost(320000);
    EXPECT_LT(large, small * 2) << "work for 20,000 rows " << small << ", for 320,000 rows " << large;
}

// Random short polylines, drawn whole and through the reducer.
TEST(ColumnReducer, DrawsTheSamePixelsAsTheWholePolyline)
{
    std::mt19937 gen(99);
    std::uniform_int_distribution<int> len(1, 12), dx(0, 2), y(0, 9);
    for (int trial = 0; trial < 3000; ++trial) {
        std::vector<Point> pts;
        int x = 3;
        const int n = len(gen);
        for (int i = 0; i < n; ++i) {
            if (i > 0 && dx(gen) == 0) x += 1 + dx(gen);
            pts.push_back({x, y(gen)});
        }
        QImage whole(40, 12, QImage::Format_RGB32), reduced(40, 12, QImage::Format_RGB32);
        whole.fill(Qt::white);
        reduced.fill(Qt::white);
        {
            ImageTarget a(whole), b(reduced);
            a.selectPen(PenSpec{});
            b.selectPen(PenSpec{});
            ColumnReducer r(&b);
            a.moveTo(pts[0].x, pts[0].y);
            r.start(pts[0]);
            for (size_t i = 1; i < pts.size(); ++i) {
                a.lineTo(pts[i].x, pts[i].y);
                r.vertex(pts[i]);
            }
            r.finish(false);
        }
        ASSERT_TRUE(whole == reduced) << "trial " << trial;
    }
}

}  // namespace
}  // namespace zan::render
