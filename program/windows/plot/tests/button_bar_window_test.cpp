// The button bar of the main window in narrow and wide windows, and the
// picture on a screen of device pixel ratio 2 (this file's tests run once
// more with QT_SCALE_FACTOR=2).
#include "windows/plot/plot_window_picture.h"
#include "windows/plot/plot_window_updown.h"
#include "windows/plot/tests/viewer_fixture.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <cmath>

namespace zan {
namespace {

class ButtonBarWindow : public testing::ViewerTest {
protected:
    void SetUp() override { Start({"flight.csv", "flight2.csv"}); }

    std::vector<QWidget*> Controls()
    {
        PlotWindow& p = plot();
        return {p.Command1, p.Command2, p.Command3, p.Command7, p.Command4, p.Command5, p.Command6,
                p.Command8, p.Text1, p.UpDown1, p.Text2, p.UpDown2, p.Text3, p.UpDown3};
    }
    QRect InPlot(QWidget* w) { return QRect(w->mapTo(&plot(), QPoint(0, 0)), w->size()); }
    void ResizeTo(int width)
    {
        viewer->frame.showNormal();
        viewer->frame.resize(width, 640);
        ASSERT_TRUE(Settled());
    }
};

TEST_F(ButtonBarWindow, EveryControlStaysWholeAndApartAtAnyWidth)
{
    PlotWindow& p = plot();
    const int oneRow = p.Frame1->sizeHint().width();
    for (const int width : {1400, 900, 840, 800, 760, 720, 600, 480, 360, 200}) {
        ResizeTo(width);
        SCOPED_TRACE("window width " + std::to_string(width) + ", plot width " + std::to_string(p.width()));
        // Never narrower than the widest group of the bar.
        EXPECT_GE(p.width(), p.minimumWidth());
        const QRect inside = p.rect();
        const std::vector<QWidget*> controls = Controls();
        for (size_t i = 0; i < controls.size(); ++i) {
            QWidget* c = controls[i];
            EXPECT_TRUE(c->isVisible()) << i;
            EXPECT_TRUE(inside.contains(InPlot(c))) << "control " << i << " is cut off";
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(InPlot(c).intersects(InPlot(controls[j]))) << "controls " << j << " and " << i;
        }
        // The picture ends above the bar; the page indicator is whole, beside or below it.
        EXPECT_LE(InPlot(p.Picture1).bottom(), InPlot(p.Frame1).top());
        EXPECT_FALSE(InPlot(p.Label2).intersects(InPlot(p.Frame1)));
        EXPECT_TRUE(inside.contains(InPlot(p.Label2)));
        EXPECT_TRUE(p.Label2->text().startsWith("Page ")) << p.Label2->text().toStdString();
        EXPECT_GE(p.Label2->width(), p.Label2->fontMetrics().horizontalAdvance(p.Label2->text()));
        // A wide window keeps the bar in one row.
        if (p.width() >= oneRow + 400) {
            EXPECT_EQ(p.Frame1->height(), p.Frame1->sizeHint().height());
        }
    }
}

TEST_F(ButtonBarWindow, PictureHasOneImagePixelPerScreenPixel)
{
    PlotWindow& p = plot();
    const double ratio = p.devicePixelRatioF();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == "2") {
        EXPECT_DOUBLE_EQ(ratio, 2.0);
    }
    ResizeTo(900);
    const QSize picture = p.Picture1->size();
    EXPECT_EQ(p.Picture1->image().size(), QSize(std::lround(picture.width() * ratio), std::lround(picture.height() * ratio)));
    // The page fills the image, whatever its resolution: ink reaches the far corner's quarter.
    const QImage& image = p.Picture1->image();
    bool inkInLastQuarter = false;
    for (int y = image.height() / 2; y < image.height() && !inkInLastQuarter; ++y)
        for (int x = image.width() / 2; x < image.width() && !inkInLastQuarter; ++x)
            inkInLastQuarter = (image.pixel(x, y) & 0xffffff) != 0xffffff;
    EXPECT_TRUE(inkInLastQuarter);

    // The mouse reports positions on the image.
    double seenX = -1, seenY = -1;
    QObject::connect(p.Picture1, &PlotPicture::mouseDown, [&](int, int, double x, double y) {
        seenX = x;
        seenY = y;
    });
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 20), p.Picture1->mapToGlobal(QPointF(10, 20)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(p.Picture1, &press);
    EXPECT_DOUBLE_EQ(seenX, 10 * ratio);
    EXPECT_DOUBLE_EQ(seenY, 20 * ratio);
}

}  // namespace
}  // namespace zan
