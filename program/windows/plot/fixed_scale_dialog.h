// "Set Fixed Scale": bounds of one graph's axes typed by the user and applied
// by Enter, "Set" or "Sim". The window closes as soon as it is no longer the
// active one; closing applies nothing.
#pragma once

#include "interact/fixed_scale.h"
#include "session/session_state.h"

#include <QDialog>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zan {

class FixedScaleDialog : public QDialog {
    Q_OBJECT
public:
    // redraw draws the page and updates the commands of the main window.
    FixedScaleDialog(Session& session, std::function<void()> redraw, QWidget* parent = nullptr);

    // Applies the four bounds to the window's graph.
    void SetScale();
    // "Sim": the y range symmetric about zero, then applied.
    void Symmetric();
    const FixedScale& scale() const { return scale_; }

    std::array<QLineEdit*, 4> Text1{};  // upper y, lower y, lower x, upper x
    std::array<QLabel*, 2> Label1{};    // "X", "Y"
    QPushButton* Command1 = nullptr;    // "Set"
    QPushButton* Command2 = nullptr;    // "Sim"

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fill();
    int BoxIndex(QObject* box) const;

    Session& session_;
    std::function<void()> redraw_;
    bool activated_ = false;
    FixedScale scale_;
    bool lLoad_ = false;
    bool lInKey_ = false;
};

} // namespace zan
