#include "dialogs/plot_window_files.h"

#include "dialogs/move_window.h"
#include "dialogs/plot_window.h"
#include "dialogs/plot_window_picture.h"
#include "session/extraction_command.h"

#include <QAction>
#include <QLabel>

namespace zan {

PlotFiles::PlotFiles(PlotWindow& plot, StartupServices& services, SessionHost& host, DataLibrary& library)
    : QObject(&plot),
      plot_(plot),
      host_(host),
      library_(library),
      dialog_(&plot),
      commands_(plot.session(), services, host, library, *this, dialog_)
{
    Connect();
}

void PlotFiles::Connect()
{
    const PlotMenus& m = plot_.menus();
    FileCommands& c = commands_;
    if (m.mnuFile) {
        auto command = [this](QAction* entry, auto run) {
            connect(entry, &QAction::triggered, this, ThenFocusPlot(run));
        };
        command(m.mnuOpen, [&c] { c.Open(); });
        command(m.mnuAppend, [&c] { c.Append(); });
        command(m.mnuReload, [&c] { c.Reload(); });
        command(m.mnuRezoom, [&c] { c.Rezoom(); });
        command(m.mnuAuto, [&c] { c.ToggleAutoLoad(); });
        command(m.mnuNext, [&c] { c.ToggleAutoNext(); });
        command(m.mnuNextFile, [&c] { c.StepFiles(+1); });
        command(m.mnuPrevFile, [&c] { c.StepFiles(-1); });
        command(m.mnuLoadIni, [&c] { c.LoadIni(); });
        command(m.mnuSaveIni, [&c] { c.SaveIni(); });
        command(m.mnuExtrDbl, [this] { Extract(kExtractDouble); });
        command(m.mnuExtrBin, [this] { Extract(kExtractSingle); });
        command(m.mnuExtrCsv, [this] { Extract(kExtractText); });
        connect(m.mnuMove, &QAction::triggered, this, [this] {
            if (plot_.session().lderr == 0)
                ShowMove();
        });
    }
    connect(&plot_.Timer5, &QTimer::timeout, this, [&c] { c.Watch(); });
}

void PlotFiles::Extract(int kind)
{
    // The written names go where "Save" puts its file name.
    const std::string note = ExtractNote(ExtrFile(plot_.session(), host_, library_, kind));
    if (!note.empty())
        ShowNote(note);
}

std::function<void()> PlotFiles::ThenFocusPlot(std::function<void()> command)
{
    return [this, command] {
        command();
        plot_.Picture1->setFocus();
    };
}

void PlotFiles::ShowMove()
{
    if (!move_) {
        move_ = new MoveWindow(plot_.session(), library_, &plot_);
        move_->setAttribute(Qt::WA_DeleteOnClose);
        move_->setWindowFlag(Qt::Window);
        move_->logic().drawDelayed = [this](int delay) { plot_.DrawDelayed(delay); };
        FileCommands& c = commands_;
        move_->mainCommands = {ThenFocusPlot([&c] { c.Open(); }), ThenFocusPlot([&c] { c.Reload(); }),
                               ThenFocusPlot([&c] { c.Rezoom(); }),
                               ThenFocusPlot([this] { Extract(kExtractSingle); }),
                               ThenFocusPlot([this] { Extract(kExtractText); })};
        move_->Load();
    }
    move_->show();
    move_->raise();
    move_->activateWindow();
}

void PlotFiles::PictDraw() { plot_.PictDraw(); }
void PlotFiles::ButnStat() { plot_.ButnStat(); }
void PlotFiles::FormResize() { plot_.FormResize(); }
void PlotFiles::ShowBoxes() { plot_.ShowBoxes(); }

void PlotFiles::ShowNote(const std::string& text)
{
    plot_.SetPageNote(text);
}

}  // namespace zan

namespace zan {

void PlotWindow::ConnectFiles(StartupServices& services, SessionHost& host)
{
    if (!files_)
        files_ = new PlotFiles(*this, services, host, TheLibrary());
}

void PlotWindow::ShowMove()
{
    if (files_)
        files_->ShowMove();
}

}  // namespace zan
