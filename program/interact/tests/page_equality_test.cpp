// Whole pages drawn on the screen image through the fast walks must be the
// very pictures of the reference sample walk, for every layout and every
// kind of window a user reaches: the whole data, "Last" windows, band zooms
// down to less than one sample, a window past the end, panned windows and a
// rescale, with graphs against time and X-Y graphs whose X goes back and
// forth, in each marks mode and at several draw rates, over two files.
#include "interact/zoom_history.h"
#include "render/forwarding_target.h"
#include "render/image_target.h"
#include "render/objt_draw.h"
#include "render/sample_walk.h"
#include "render/tests/render_fixture.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace zan::render {
namespace {

using testing::CsvFile;
using testing::RenderFixture;

enum Column { kTime = 1, kSmooth, kNoisy, kHoles, kFlat, kSpikes, kWobble, kSwing };

// Seconds of samples, one a millisecond; the second file is shorter and
// lies a little higher. Values missing from the file (holes) are stored as
// the library's substitute, far below the rest.
CsvFile SimulationRun(int rows, double offset, unsigned seed)
{
    CsvFile f;
    f.names = {"time", "smooth", "noisy", "holes", "flat", "spikes", "wobble", "swing"};
    f.rows = rows;
    auto gen = std::make_shared<std::mt19937>(seed);
    f.row = [offset, gen](int r) {
        std::normal_distribution<double> noise(0.0, 1.0);
        const double t = (r - 1) * 0.001;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return std::vector<double>{t,
                                   offset + 5.0 * std::sin(t * 0.4),
                                   offset + std::sin(t * 3.0) * 3.0 + 0.4 * noise(*gen),
                                   r % 211 == 0 || (r > 3000 && r < 3300) ? nan : offset + std::cos(t),
                                   2.5,
                                   r % 1999 == 0 ? 1e6 : offset + std::sin(t * 0.1),
                                   offset + std::sin(t * 25.0) * 2.0 + t * 0.1,
                                   offset + 4.0 * std::sin(t * 0.9)};
    };
    return f;
}

struct Window {
    const char* name;
    std::function<void(zan::Session&)> set;
};

// The band a user drags in graph 1: the X range given, the Y range of the
// graph's line as it is.
void Band(zan::Session& s, double x1, double x2)
{
    s.CurGrph = s.GrphTab[1];
    const zan::VarRecord& y = s.VarTab[s.CurGrph.Lines[1]];
    zan::SetZoom(s, x1, x2, y.Vlo[s.iZlvl], y.Vhi[s.iZlvl]);
}

const Window kWindows[] = {
    {"whole", [](zan::Session&) {}},
    {"Last 3", [](zan::Session& s) { s.iLast = 1; }},
    {"Last 6", [](zan::Session& s) { s.iLast = 2; }},
    {"band 1 s", [](zan::Session& s) { Band(s, 3.1, 4.1); }},
    {"band 10 samples", [](zan::Session& s) { Band(s, 3.1002, 3.1097); }},
    {"band below one sample", [](zan::Session& s) { Band(s, 3.1002, 3.1006); }},
    {"past the end", [](zan::Session& s) { Band(s, 8.0, 9.0); }},
    {"panned", [](zan::Session& s) {
         Band(s, 4.0, 5.5);
         for (int i = 0; i < 3; ++i) zan::LftZoom(s);
     }},
    {"rescaled", [](zan::Session& s) {
         s.CurGrph = s.GrphTab[1];
         zan::SetRang(s, 1.0, 2.5);
     }},
};

struct Style {
    int mark;
    int step;
};

class FastPages : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        fixture_ = new RenderFixture;
        fixture_->load({SimulationRun(7000, 0.0, 1), SimulationRun(5500, 0.7, 2)});
    }
    static void TearDownTestSuite()
    {
        delete fixture_;
        fixture_ = nullptr;
    }

    // Graphs against time of every kind of column, one with several lines,
    // and X-Y graphs whose X swings back and forth.
    static void Graphs(int cols, int rows)
    {
        zan::Session& s = fixture_->s;
        s.GrphTab.clear();
        fixture_->grid(cols, rows);
        for (int v = kSmooth; v <= kSwing; ++v) fixture_->addGraph("t", kTime, {v});
        fixture_->addGraph("lines", kTime, {kNoisy, kHoles, kWobble});
        fixture_->addGraph("x-y", kSwing, {kSmooth, kNoisy});
        fixture_->addGraph("x-y wobble", kWobble, {kSwing});
        s.iPage = 1;
        s.iZlvl = s.mZlvl = 1;
        s.iLast = 0;
        fixture_->initRanges();
    }

    static QImage Page(bool fast, int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        ImageTarget target(image);
        if (fast) {
            ObjtDraw(fixture_->s, target);
        } else {
            ForwardingTarget reference(target);
            ObjtDraw(fixture_->s, reference);
        }
        return image;
    }

    // Every window of the layout on its first and last page, each in marks
    // "Off" and in two other marks modes, taken in turn from window to
    // window, at draw rates 1 and 7.
    static void CheckLayout(int cols, int rows, int w, int h)
    {
        zan::Session& s = fixture_->s;
        int turn = 0;
        for (const Window& win : kWindows) {
            const int other = kMarksOn + turn++ % 5;
            const Style styles[] = {{kMarksOff, turn % 2 ? 1 : 7}, {other, 1}, {kMarksOn + turn % 5, 7}};
            for (const Style& st : styles) {
                Graphs(cols, rows);
                Page(true, w, h);  // cells and axes as on the screen before the zoom
                win.set(s);
                s.iMark = st.mark;
                s.iStep = st.step;
                const int pages = (s.nGrph + s.nCell - 1) / s.nCell;
                for (s.iPage = 1; s.iPage <= pages; s.iPage += std::max(pages - 1, 1)) {
                    const QImage ref = Page(false, w, h);
                    ASSERT_TRUE(Page(true, w, h) == ref) << cols << "x" << rows << ", " << win.name << ", page "
                                                         << s.iPage << ", marks " << st.mark << ", draw rate "
                                                         << st.step;
                }
            }
        }
    }

    static RenderFixture* fixture_;
};

RenderFixture* FastPages::fixture_ = nullptr;

TEST_F(FastPages, OneGraphAPage)
{
    CheckLayout(1, 1, 480, 300);
}

TEST_F(FastPages, TwoByThree)
{
    CheckLayout(2, 3, 640, 400);
}

TEST_F(FastPages, ThreeByThree)
{
    CheckLayout(3, 3, 640, 400);
}

TEST_F(FastPages, SixBySix)
{
    CheckLayout(6, 6, 900, 560);
}

// A file of one row beside a normal one, and a page of it alone.
TEST(FastPagesOfOneRow, LookLikeTheSampleWalk)
{
    RenderFixture fixture;
    CsvFile one = SimulationRun(1, 0.3, 5);
    fixture.load({one, SimulationRun(2000, 0.0, 6)});
    zan::Session& s = fixture.s;
    for (int files : {2, 1}) {
        s.nFile = files;
        fixture.initRanges();
        s.GrphTab.clear();
        fixture.grid(2, 2);
        fixture.addGraph("smooth", kTime, {kSmooth});
        fixture.addGraph("flat", kTime, {kFlat, kHoles});
        fixture.addGraph("x-y", kSwing, {kNoisy});
        for (int mark = kMarksOff; mark <= kMarksPins; ++mark)
            for (int step : {1, 4}) {
                s.iMark = mark;
                s.iStep = step;
                QImage fast(500, 300, QImage::Format_RGB32), ref(500, 300, QImage::Format_RGB32);
                fast.fill(Qt::white);
                ref.fill(Qt::white);
                {
                    ImageTarget a(fast), b(ref);
                    ForwardingTarget reference(b);
                    ObjtDraw(s, a);
                    ObjtDraw(s, reference);
                }
                ASSERT_TRUE(fast == ref) << files << " file(s), marks " << mark << ", draw rate " << step;
            }
    }
}

}  // namespace
}  // namespace zan::render
