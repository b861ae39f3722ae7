// The progress window on Qt: a frameless box with the product name and one
// label.
#ifndef ZAN_PLATFORM_QT_PROGRESS_WINDOW_H
#define ZAN_PLATFORM_QT_PROGRESS_WINDOW_H

#include "platform/progress_window.h"

#include <QLabel>
#include <QWidget>

namespace zan {

class QtProgressWindow : public ProgressWindow {
public:
    explicit QtProgressWindow(QWidget* parent = nullptr);
    void show() override;
    void setLabel(const std::string& text) override;
    void hide() override;

    std::string label() const;
    bool isVisible() const;

private:
    QWidget window_;
    QLabel* label_;
};

}  // namespace zan

#endif
