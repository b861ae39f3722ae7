#include "platform/qt/qt_message_box.h"

#include <QMessageBox>

namespace zan {

MessageAnswer QtMessageBox::show(const std::string& text, const std::string& title, MessageButtons buttons,
                                 MessageIcon icon)
{
    QMessageBox box(parent_);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(title));
    box.setIcon(icon == MessageIcon::Question   ? QMessageBox::Question
                : icon == MessageIcon::Critical ? QMessageBox::Critical
                                                : QMessageBox::NoIcon);
    if (buttons == MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return MessageAnswer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace zan
