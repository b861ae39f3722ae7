// Input that arrives while the page draws: the drawing lets pending events
// run at its end, and whatever they ask for is served by one drawing after
// it, never by a drawing inside it.
#include "dialogs/tests/plot_window_fixture.h"
#include "render/image_target.h"
#include "render/objt_draw.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zan {
namespace {

using Window = testing::PlotWindowFixture;

// Collects the painter warnings Qt prints while it is installed.
class PainterWarnings {
public:
    PainterWarnings() { previous_ = qInstallMessageHandler(&PainterWarnings::Handle); }
    ~PainterWarnings() { qInstallMessageHandler(previous_); }
    static std::vector<std::string>& seen()
    {
        static std::vector<std::string> messages;
        return messages;
    }

private:
    static void Handle(QtMsgType, const QMessageLogContext&, const QString& text)
    {
        if (text.contains("QPainter") || text.contains("paint device"))
            seen().push_back(text.toStdString());
    }
    QtMessageHandler previous_ = nullptr;
};

// The page as a drawing of its own would show it now, on a fresh image.
QImage FreshPage(Session& s, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        render::ImageTarget target(image);
        render::ObjtDraw(s, target);
    }
    return image;
}

// Counts the pixels of a band of the image that are not white.
int InkIn(const QImage& image, int top, int bottom)
{
    int ink = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += image.pixel(x, y) != qRgb(255, 255, 255);
    return ink;
}

template <class F>
void Queue(QObject* context, F f)
{
    QMetaObject::invokeMethod(context, f, Qt::QueuedConnection);
}

TEST(OneDrawingAtATime, InputQueuedBeforeADrawingIsServedByOneDrawingAfterIt)
{
    PainterWarnings warnings;
    PainterWarnings::seen().clear();
    Window fx;
    QMenuBar bar;
    fx.w->BuildMenus(&bar);
    // Zoomed into the time, so that the window can pan.
    fx.drag(Qt::LeftButton, fx.inCell(1, 0.3, 0.2), fx.inCell(1, 0.5, 0.8));
    fx.settle();
    ASSERT_EQ(fx.s.iZlvl, 2);
    ASSERT_EQ(fx.s.iPage, 1);
    const double startLo = fx.s.VarTab[1].Alo[2];

    // A click on each button, a key, a menu entry, a timer tick and a resize,
    // all waiting when the drawing starts.
    Queue(fx.w->Command2, [&] { fx.w->Command2->click(); });  // Next: page 2
    Queue(fx.w->Command1, [&] { fx.w->Command1->click(); });  // Prev: page 1
    Queue(fx.w->Command2, [&] { fx.w->Command2->click(); });  // Next: page 2
    Queue(fx.w->Command3, [&] { fx.w->Command3->click(); });  // Zoom Out: level 1
    Queue(fx.w->Command7, [&] { fx.w->Command7->click(); });  // Zoom In: level 2
    Queue(fx.w->Picture1, [&] {
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(fx.w->Picture1, &right);
    });
    Queue(fx.w->menus().mnuMarks[1], [&] { fx.w->menus().mnuMarks[1]->trigger(); });
    Queue(fx.w->menus().mnuClear, [&] { fx.w->menus().mnuClear->trigger(); });
    Queue(fx.w.get(), [&] { fx.w->resize(820, 640); });
    fx.w->DrawDelayed(0);
    const int before = fx.w->pagesDrawn();
    fx.w->PictDraw();

    // The drawing asked for and one more for everything queued meanwhile.
    EXPECT_EQ(fx.w->pagesDrawn(), before + 2);
    // Every request took effect.
    EXPECT_EQ(fx.s.iPage, 2);
    EXPECT_EQ(fx.s.iZlvl, 2);
    EXPECT_GT(fx.s.VarTab[1].Alo[2], startLo);
    EXPECT_EQ(fx.s.iMark, 1);
    EXPECT_EQ(fx.w->width(), 820);

    // The delayed drawings of the resize and the timer; then the picture is
    // the page as it stands, titles and tick labels included.
    fx.w->Timer1.stop();
    fx.w->PictDraw();
    const QImage shown = fx.w->Picture1->image().copy();
    EXPECT_EQ(shown.size(), fx.w->Picture1->size());
    EXPECT_EQ(shown, FreshPage(fx.s, shown.size()));
    // The title sits above the first cell's frame, the tick labels below it.
    const CellRecord& cell = fx.s.CellTab[1];
    EXPECT_GT(InkIn(shown, 0, cell.Top - 1), 0);
    EXPECT_GT(InkIn(shown, cell.Bottom + 2, cell.Bottom + 16), 0);
    EXPECT_TRUE(PainterWarnings::seen().empty()) << PainterWarnings::seen().front();
}

void PostKey(QWidget* to, int key)
{
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

TEST(OneDrawingAtATime, KeysArrivingWhileADrawingRunsAreHandledUnlessAKeyStartedIt)
{
    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey ? "drawing started by a key" : "drawing started by a timer");
        Window fx;
        fx.drag(Qt::LeftButton, fx.inCell(1, 0.3, 0.2), fx.inCell(1, 0.5, 0.8));
        fx.settle();
        ASSERT_EQ(fx.s.iZlvl, 2);
        const double startLo = fx.s.VarTab[1].Alo[2];
        PostKey(fx.w->Picture1, Qt::Key_Right);
        PostKey(fx.w->Picture1, Qt::Key_Delete);
        if (byKey) {
            // A key arriving while another key is handled is swallowed, so
            // that a held key does not pile up steps.
            fx.key(Qt::Key_PageDown);
            EXPECT_EQ(fx.s.iPage, 2);
            EXPECT_EQ(fx.s.iZlvl, 2);
            EXPECT_EQ(fx.s.VarTab[1].Alo[2], startLo);
        } else {
            fx.w->DrawDelayed(0);
            fx.settle();
            EXPECT_GT(fx.s.VarTab[1].Alo[2], startLo);
            EXPECT_EQ(fx.s.iZlvl, 1);
        }
        EXPECT_FALSE(fx.s.bKeyb);
    }
}

}  // namespace
}  // namespace zan
