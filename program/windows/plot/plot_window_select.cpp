// The plot window's side of the variable selection window.
#include "windows/plot/plot_window.h"
#include "windows/selection/selection_window.h"

#include <QAction>

namespace zan {

void PlotWindow::WireSelect()
{
    connect(menus_.mnuSelect, &QAction::triggered, this, &PlotWindow::ShowSelect);
    auto* key = new QAction(this);
    key->setShortcut(Qt::Key_F3);
    key->setShortcutContext(Qt::WindowShortcut);
    addAction(key);
    connect(key, &QAction::triggered, this, &PlotWindow::ShowSelect);
}

void PlotWindow::ShowSelect()
{
    if (!select_) {
        select_ = new SelectionWindow(session_, this);
        select_->onRedrawPlot = [this] { FormResize(); };
    }
    select_->Open();
}

void PlotWindow::UnloadSelect()
{
    if (select_ && select_->isVisible())
        select_->close();
}

} // namespace zan
