// The message box on Qt.
#ifndef ZAN_PLATFORM_QT_MESSAGE_BOX_H
#define ZAN_PLATFORM_QT_MESSAGE_BOX_H

#include "platform/message_box.h"

class QWidget;

namespace zan {

class QtMessageBox : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                       MessageIcon icon) override;

private:
    QWidget* parent_;
};

}  // namespace zan

#endif
