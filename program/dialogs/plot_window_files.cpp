#include "dialogs/plot_window_files.h"

#include "dialogs/move_window.h"
#include "dialogs/plot_window.h"
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
        connect(m.mnuOpen, &QAction::triggered, this, [&c] { c.Open(); });
        connect(m.mnuAppend, &QAction::triggered, this, [&c] { c.Append(); });
        connect(m.mnuReload, &QAction::triggered, this, [&c] { c.Reload(); });
        connect(m.mnuRezoom, &QAction::triggered, this, [&c] { c.Rezoom(); });
        connect(m.mnuAuto, &QAction::triggered, this, [&c] { c.ToggleAutoLoad(); });
        connect(m.mnuNext, &QAction::triggered, this, [&c] { c.ToggleAutoNext(); });
        connect(m.mnuNextFile, &QAction::triggered, this, [&c] { c.StepFiles(+1); });
        connect(m.mnuPrevFile, &QAction::triggered, this, [&c] { c.StepFiles(-1); });
        connect(m.mnuLoadIni, &QAction::triggered, this, [&c] { c.LoadIni(); });
        connect(m.mnuSaveIni, &QAction::triggered, this, [&c] { c.SaveIni(); });
        connect(m.mnuExtrDbl, &QAction::triggered, this, [this] { Extract(kExtractDouble); });
        connect(m.mnuExtrBin, &QAction::triggered, this, [this] { Extract(kExtractSingle); });
        connect(m.mnuExtrCsv, &QAction::triggered, this, [this] { Extract(kExtractText); });
        connect(m.mnuMove, &QAction::triggered, this, [this] {
            if (plot_.session().lderr == 0)
                ShowMove();
        });
    }
    connect(&plot_.Timer5, &QTimer::timeout, this, [&c] { c.Watch(); });
}

void PlotFiles::Extract(int kind)
{
    ExtrFile(plot_.session(), host_, library_, kind);
}

void PlotFiles::ShowMove()
{
    if (!move_) {
        move_ = new MoveWindow(plot_.session(), library_, &plot_);
        move_->setAttribute(Qt::WA_DeleteOnClose);
        move_->setWindowFlag(Qt::Window);
        move_->logic().drawDelayed = [this](int delay) { plot_.DrawDelayed(delay); };
        FileCommands& c = commands_;
        move_->mainCommands = {[&c] { c.Open(); }, [&c] { c.Reload(); }, [&c] { c.Rezoom(); },
                               [this] { Extract(kExtractSingle); }, [this] { Extract(kExtractText); }};
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
    plot_.Label2->setText(QString::fromStdString(text));
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
