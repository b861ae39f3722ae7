// The file dialog on Qt.
#ifndef ZAN_PLATFORM_QT_FILE_DIALOG_H
#define ZAN_PLATFORM_QT_FILE_DIALOG_H

#include "platform/file_dialog.h"

class QWidget;

namespace zan {

class QtFileDialog : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}
    FileDialogResult show(const FileDialogRequest& request) override;

private:
    QWidget* parent_;
};

}  // namespace zan

#endif
