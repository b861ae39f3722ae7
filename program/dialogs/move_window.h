// The move window "Move Line": a modeless window beside the plot that shifts
// and scales one line of one file or of all files. It holds the controls and
// forwards their events to MoveLines.
#pragma once

#include "dialogs/move_lines.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace zan {

class MoveWindow : public QDialog {
    Q_OBJECT
public:
    MoveWindow(Session& s, DataLibrary& library, QWidget* parent = nullptr);

    // Load: the lists, the chosen line's values and the stored position.
    void Load();
    MoveLines& logic() { return logic_; }

    // The main window's commands reached by F4 to F8 in this window:
    // "Open", "Reload", "Rezoom", "Extract Bin" and "Extract Csv".
    std::array<std::function<void()>, 5> mainCommands;

    QComboBox* Combo1 = nullptr;               // files
    QComboBox* Combo2 = nullptr;               // lines
    std::array<QPushButton*, 5> Command1{};    // <<, >>, <, >, C
    std::array<QLineEdit*, 2> Text1{};         // shift, factor
    QCheckBox* Check1 = nullptr;               // All Files

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The place is kept in the session whenever the window moves or closes,
    // so the settings written at any time hold it.
    void moveEvent(QMoveEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ShowParam();
    // The boxes as the library holds the values, neither marked as typed.
    void ShowApplied();
    void Confirm(int box, bool keepSelection);
    void MarkEdited(int box);
    void StorePosition();

    Session& s_;
    MoveLines logic_;
    int iBusy = 0;
};

}  // namespace zan
