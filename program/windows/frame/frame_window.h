// The program's outer window "Quillon Simulation Plot": it loads the main
// plot window, shows it inside itself with its menus, and remembers its own
// normal size in the session.
#pragma once

#include "interact/frame_window_size.h"
#include "session/startup.h"

#include <QMainWindow>

#include <memory>
#include <string>

namespace zan {

class PlotWindow;
class WindowHost;

class FrameWindow : public QMainWindow, private FrameSizeHost {
    Q_OBJECT
public:
    // host, when given, learns of the plot window as soon as it exists.
    FrameWindow(Session& session, StartupServices& services, std::string cmdLine,
                WindowHost* host = nullptr);
    ~FrameWindow() override;

    // Load: opens the plot window. False when the program is to end (no
    // files chosen, or no data could be loaded).
    bool Load();
    PlotWindow* plotWindow() const { return plot_; }
    const FrameSizeMemory& sizeMemory() const { return memory_; }

    // The window state as stored: 0 normal, 1 minimised, 2 maximised.
    int State() const override;
    // Position and size in twips.
    double Top() const;
    double Left() const;
    double Width() const override;
    double Height() const override;
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;

signals:
    // The plot window was unloaded; the program ends.
    void unloaded();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void SetSize(double width, double height) override;
    bool OpenPlot();
    void UnloadPlot();
    void ShowOwnMenu();
    void Place(const FramePlacement& placement);

    Session& session_;
    StartupServices& services_;
    std::string cmdLine_;
    WindowHost* host_;
    FrameSizeMemory memory_;
    PlotWindow* plot_ = nullptr;
    bool unloading_ = false;
};

} // namespace zan
