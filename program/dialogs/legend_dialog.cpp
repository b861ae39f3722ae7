#include "dialogs/legend_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QVBoxLayout>

namespace zan {

LegendDialog::LegendDialog(Session& session, std::function<void()> redraw, QWidget* parent)
    : QDialog(parent, Qt::Tool), session_(session), redraw_(std::move(redraw))
{
    setWindowTitle("Line Legend");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    Check1 = new QCheckBox("Show File Path", this);
    Check1->setToolTip("Name the data files with their folders in the legend of files");
    Check1->setChecked(session_.lTitf != 0);
    layout->addWidget(Check1);
    connect(Check1, &QCheckBox::clicked, this, [this](bool checked) {
        session_.lTitf = checked ? 1 : 0;
        if (redraw_)
            redraw_();
    });
}

bool LegendDialog::event(QEvent* event)
{
    // Only a window that was active closes: one that never got the focus
    // (no window manager gives it) stays until closed otherwise.
    if (event->type() == QEvent::WindowActivate)
        activated_ = true;
    if (event->type() == QEvent::WindowDeactivate && activated_ && isVisible())
        close();
    return QDialog::event(event);
}

} // namespace zan
