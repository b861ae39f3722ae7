// The mouse on the plot picture, the two readout labels and the windows a
// right click opens, wired to the plain interaction logic.
#include "dialogs/fixed_scale_dialog.h"
#include "dialogs/legend_dialog.h"
#include "dialogs/plot_window.h"
#include "dialogs/plot_window_picture.h"
#include "interact/cursor_readout.h"
#include "interact/wheel_zoom.h"
#include "platform/qt_timer.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

#include <algorithm>

namespace zan {

namespace {

QString LabelText(const std::string& caption)
{
    QString text = QString::fromStdString(caption);
    text.replace("\r\n", "\n");
    return text;
}

class WindowMouseHost : public MouseHost {
public:
    explicit WindowMouseHost(PlotWindow& w) : w_(w) {}
    double PictureWidth() const override { return w_.Picture1->image().width(); }
    void ShowBand(double x1, double y1, double x2, double y2) override
    {
        const QPoint a(static_cast<int>(std::min(x1, x2)), static_cast<int>(std::min(y1, y2)));
        const QPoint b(static_cast<int>(std::max(x1, x2)), static_cast<int>(std::max(y1, y2)));
        w_.Picture1->ShowBand(QRect(a, b));
    }
    void HideBand() override { w_.Picture1->HideBand(); }
    void StopHover() override
    {
        w_.Timer4.stop();
        w_.Label3->hide();
    }
    void RestartHover() override
    {
        w_.Label3->hide();
        w_.Timer4.start();
    }
    void SetLiveLabel(const std::string& caption) override { w_.LabelD->setText(LabelText(caption)); }
    void ObjtRect(bool letEventsRun) override { w_.ObjtRect(letEventsRun); }
    void PictDraw() override { w_.PictDraw(); }
    void ButnStat() override { w_.ButnStat(); }
    void DrawDelayed(int ms) override { w_.DrawDelayed(ms); }
    void ProcessEvents() override { QCoreApplication::processEvents(); }
    void ShowFixedScale(double x, double y) override { w_.ShowFixedScale(x, y); }
    void ShowLegend(double x, double y) override { w_.ShowLegend(x, y); }

private:
    PlotWindow& w_;
};

// Top-left corner for a window opened beside a point of the picture, moved
// by fractions of its size and kept on the screen.
QPoint Beside(QWidget* picture, QWidget* window, double x, double y, double down)
{
    const QSize size = window->size();
    // x and y are image pixels; the widget counts logical pixels.
    const double ratio = picture->devicePixelRatioF();
    QPoint at = picture->mapToGlobal(QPoint(static_cast<int>(x / ratio), static_cast<int>(y / ratio)));
    at += QPoint(static_cast<int>(0.15 * size.width()), static_cast<int>(down * size.height()));
    if (const QScreen* screen = picture->screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.right() - size.width(), area.left())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.bottom() - size.height(), area.top())));
    }
    return at;
}

} // namespace

// The wheel's gesture lives as long as the window: its settle timer ticks
// after the event that started it is gone.
class PlotWheel : public QObject {
public:
    explicit PlotWheel(PlotWindow& w) : QObject(&w), host(w), gesture(w.session(), w.Mouse, host, timer) {}
    WindowMouseHost host;
    QtTimer timer;
    WheelZoom gesture;
};

void PlotWindow::WireMouse()
{
    connect(Picture1, &PlotPicture::mouseDown, this, [this](int button, int shift, double x, double y) {
        WindowMouseHost host(*this);
        MouseDown(session_, Mouse, host, button, shift, x, y);
    });
    connect(Picture1, &PlotPicture::mouseMove, this, [this](int, int, double x, double y) {
        WindowMouseHost host(*this);
        MouseMove(session_, Mouse, host, x, y);
    });
    connect(Picture1, &PlotPicture::mouseUp, this, [this](int, int, double x, double y) {
        WindowMouseHost host(*this);
        MouseUp(session_, Mouse, host, x, y);
    });
    connect(Picture1, &PlotPicture::doubleClick, this, [this] {
        WindowMouseHost host(*this);
        DblClick(session_, Mouse, host);
    });
    wheel_ = new PlotWheel(*this);
    connect(Picture1, &PlotPicture::wheel, this, [this](double x, double y, int dx, int dy, int shift) {
        wheel_->gesture.Wheel(x, y, dx, dy, shift != 0);
    });
}

void PlotWindow::UpdateReadout()
{
    WindowMouseHost host(*this);
    zan::UpdateLive(session_, Mouse, host);
}

void PlotWindow::WhatFile()
{
    Mouse.bHold = true;
    const HoverPick pick = zan::WhatFile(session_, Mouse.xCur, Mouse.yCur, Picture1->image().height());
    if (pick.found) {
        Label3->setText(LabelText(pick.caption));
        Label3->adjustSize();
        // The label is a widget: it is placed in logical pixels, not image pixels.
        const double ratio = Picture1->devicePixelRatioF();
        Label3->move(HoverLeft(Mouse.xCur / ratio, Label3->width(), Picture1->width()),
                     HoverTop(Mouse.yCur / ratio, Label3->height(), Picture1->height()));
        Label3->show();
        Label3->raise();
    }
    Mouse.bHold = false;
}

void PlotWindow::ShowFixedScale(double x, double y)
{
    if (Popup)
        Popup->close();
    auto* dialog = new FixedScaleDialog(session_, [this] { Redraw(); }, this);
    Popup = dialog;
    dialog->move(Beside(Picture1, dialog, x, y, 0.55));
    dialog->show();
    dialog->activateWindow();
}

void PlotWindow::ShowLegend(double x, double y)
{
    if (Popup)
        Popup->close();
    auto* dialog = new LegendDialog(session_, [this] { Redraw(); }, this);
    Popup = dialog;
    dialog->move(Beside(Picture1, dialog, x, y, -0.15));
    dialog->show();
    dialog->activateWindow();
}

void PlotWindow::Redraw()
{
    PictDraw();
    ButnStat();
}


} // namespace zan
