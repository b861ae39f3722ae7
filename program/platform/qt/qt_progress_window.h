// The progress window on Qt: a frameless box with the product name and one
// label; while a file loads also the file's name, a bar with the percentage
// read and a Cancel button.
#ifndef ZAN_PLATFORM_QT_PROGRESS_WINDOW_H
#define ZAN_PLATFORM_QT_PROGRESS_WINDOW_H

#include "platform/progress_window.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

namespace zan {

class QtProgressWindow : public ProgressWindow {
public:
    explicit QtProgressWindow(QWidget* parent = nullptr);
    ~QtProgressWindow() override;
    QtProgressWindow(const QtProgressWindow&) = delete;
    QtProgressWindow& operator=(const QtProgressWindow&) = delete;
    void show() override;
    void setLabel(const std::string& text) override;
    void hide() override;
    void setLoad(const std::string& fileName, int percent) override;
    bool cancelled() const override { return cancelled_; }

    std::string label() const;
    bool isVisible() const;
    std::string fileName() const;
    int percent() const;
    QPushButton* cancelButton() const { return cancel_; }

private:
    // On the heap: a window with a parent is deleted with it, which may
    // happen before this object goes.
    QPointer<QWidget> window_;
    QLabel* label_;
    QLabel* file_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool cancelled_ = false;
};

}  // namespace zan

#endif
