#include "windows/frame/frame_window.h"

#include "windows/plot/plot_window.h"
#include "windows/plot/plot_window_picture.h"
#include "windows/plot/plot_window_host.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>

#include <cmath>

namespace zan {

FrameWindow::FrameWindow(Session& session, StartupServices& services, std::string cmdLine, WindowHost* host)
    : session_(session), services_(services), cmdLine_(std::move(cmdLine)), host_(host)
{
    setWindowTitle("Quillon Simulation Plot");
    ShowOwnMenu();
}

FrameWindow::~FrameWindow() = default;

void FrameWindow::ShowOwnMenu()
{
    menuBar()->clear();
    QMenu* file = menuBar()->addMenu("File");
    connect(file->addAction("Open"), &QAction::triggered, this, [this] {
        if (!OpenPlot())
            emit unloaded();
    });
    // Ends at once: no unload handler runs, nothing is saved.
    connect(file->addAction("Exit"), &QAction::triggered, qApp, &QCoreApplication::quit);
}

bool FrameWindow::Load()
{
    memory_.iLastWs = kMaximisedState;
    memory_.lInResize = false;
    return OpenPlot();
}

bool FrameWindow::OpenPlot()
{
    // The plot window's controls exist before its load handler runs, which
    // fills the number boxes and the watch timer.
    auto plot = std::make_unique<PlotWindow>(session_);
    if (host_)
        host_->Attach(this, plot.get());
    const LoadResult loaded = FormLoad(session_, services_, cmdLine_);
    if (loaded.outcome == LoadOutcome::EndProgram || services_.EndRequested()) {
        if (host_)
            host_->Attach(this, nullptr);
        return false;
    }
    // Placed before the test of the load, so that the settings written when
    // it failed keep the stored position.
    Place(loaded.placement);
    if (session_.lderr != 0) {
        FormUnload(session_, services_);
        if (host_)
            host_->Attach(this, nullptr);
        return false;
    }
    plot_ = plot.release();
    menuBar()->clear();
    plot_->BuildMenus(menuBar());
    if (host_)
        plot_->ConnectFiles(services_, *host_);
    plot_->ShowBoxes();
    plot_->onBusyPointer = [this](bool busy) {
        if (busy)
            setCursor(Qt::WaitCursor);
        else
            unsetCursor();
    };
    plot_->onUnload = [this] { UnloadPlot(); };
    setCentralWidget(plot_);
    show();
    // Keys go to the window, not to the first number box.
    plot_->Picture1->setFocus();
    return true;
}

void FrameWindow::Place(const FramePlacement& placement)
{
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    move(static_cast<int>(std::lround(placement.left / tx)), static_cast<int>(std::lround(placement.top / ty)));
    // The stored size is the normal size in either state: a maximised window
    // returns to it, and where no window manager maximises, it is the size shown.
    resize(static_cast<int>(std::lround(session_.iFwdt / tx)),
           static_cast<int>(std::lround(session_.iFhgt / ty)));
    if (placement.state == kMaximisedState)
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    else
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void FrameWindow::UnloadPlot()
{
    if (unloading_ || !plot_)
        return;
    unloading_ = true;
    // The selection window goes first, applying its rows as its close box
    // does, so that the settings written below hold them.
    plot_->UnloadSelect();
    FormUnload(session_, services_);
    emit unloaded();
}

void FrameWindow::closeEvent(QCloseEvent* event)
{
    UnloadPlot();
    event->accept();
}

void FrameWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FrameResize(memory_, *this, session_.iFwdt, session_.iFhgt);
}

void FrameWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        FrameResize(memory_, *this, session_.iFwdt, session_.iFhgt);
}

int FrameWindow::State() const
{
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized)
        return kMinimisedState;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return kMaximisedState;
    return kNormalState;
}

double FrameWindow::Top() const { return y() * TwipsPerPixelY(); }
double FrameWindow::Left() const { return x() * TwipsPerPixelX(); }
double FrameWindow::Width() const { return width() * TwipsPerPixelX(); }
double FrameWindow::Height() const { return height() * TwipsPerPixelY(); }

double FrameWindow::TwipsPerPixelX() const
{
    const double dpi = logicalDpiX();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

double FrameWindow::TwipsPerPixelY() const
{
    const double dpi = logicalDpiY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

void FrameWindow::SetSize(double width, double height)
{
    resize(static_cast<int>(std::lround(width / TwipsPerPixelX())),
           static_cast<int>(std::lround(height / TwipsPerPixelY())));
}

} // namespace zan
