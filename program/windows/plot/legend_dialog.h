// "Line Legend": one check box that shows or hides the folders of the data
// files in the files legend. Applies at each click; closes as soon as it is
// no longer the active window.
#pragma once

#include "session/session_state.h"

#include <QDialog>

#include <functional>

class QCheckBox;

namespace zan {

class LegendDialog : public QDialog {
    Q_OBJECT
public:
    // redraw draws the page and updates the commands of the main window.
    LegendDialog(Session& session, std::function<void()> redraw, QWidget* parent = nullptr);

    QCheckBox* Check1 = nullptr;  // "Show File Path"

protected:
    bool event(QEvent* event) override;

private:
    Session& session_;
    std::function<void()> redraw_;
    bool activated_ = false;
};

} // namespace zan
