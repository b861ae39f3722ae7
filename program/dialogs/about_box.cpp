#include "dialogs/about_box.h"

#include "dialogs/about_text.h"

#include <QMessageBox>

namespace zan {

namespace {

const char* const kAboutBoxName = "aboutBox";

}  // namespace

void ShowAboutBox(QWidget* parent, const Session& s, DataLibrary& library)
{
    auto* box = parent->findChild<QMessageBox*>(kAboutBoxName);
    if (!box) {
        box = new QMessageBox(QMessageBox::Information, "About Zan", QString(), QMessageBox::Ok, parent);
        box->setObjectName(kAboutBoxName);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    // The settings file may have changed since the box was opened.
    box->setText(QString::fromStdString(AboutText(s, library)));
    box->show();
    box->raise();
    box->activateWindow();
}

}  // namespace zan
