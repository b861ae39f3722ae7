// The variable selection window "Select Graph Variables.": the variable list
// with its search box, the graph rows with the screen title box, and the
// buttons. A tool window of the plot window, shown without blocking it. The
// behaviour lives in SelectionForm and SelectionModel; this class holds the
// controls and forwards their events.
#pragma once

#include "interact/selection_form.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_timer.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;

namespace zan {

class DropButton;
class MoveArrows;
class RowListModel;
class SelectionListView;
class VarListModel;

class SelectionWindow : public QWidget {
    Q_OBJECT
public:
    SelectionWindow(Session& session, QWidget* parent = nullptr);
    ~SelectionWindow() override;

    // Loads the window when it is not shown, then shows and activates it.
    void Open();
    // Lays out and draws the plot after rows were applied.
    std::function<void()> onRedrawPlot;

    SelectionForm& form() { return form_; }

    // Controls, by their control names.
    SelectionListView* ListView1 = nullptr;
    SelectionListView* ListView2 = nullptr;
    QLineEdit* Text1 = nullptr;     // search
    QLineEdit* Text2 = nullptr;     // screen title
    QPushButton* Command1 = nullptr;  // Close
    DropButton* Command2 = nullptr;   // Add
    QPushButton* Command3 = nullptr;  // Remove
    QPushButton* Command4 = nullptr;  // Clear / Reload
    QPushButton* Command5 = nullptr;  // Cancel
    QPushButton* Command6 = nullptr;  // Apply
    MoveArrows* UpDown1 = nullptr;
    QtTimer Timer1;  // search delay
    QtTimer Timer2;  // auto-repeat of the arrows
    QtTimer Timer3;  // column fit

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildControls();
    void Wire();
    void Load();
    void LayOut();
    void FitColumn();
    // Shows the model: lists reloaded when they changed, selections, the
    // title box, the buttons; row >= 0 is scrolled into view.
    void Sync(int row);
    void PushSelection(SelectionListView* view, bool items);
    void PullSelection(SelectionListView* view, bool items);
    double Tx() const;
    double Ty() const;

    QtMessageBox messages_;
    SelectionForm form_;
    VarListModel* vars_ = nullptr;
    RowListModel* rows_ = nullptr;
    int itemsVersion_ = -1;
    int rowsVersion_ = -1;
    bool syncing_ = false;
    bool inMessage_ = false;    // our own message box took the activation
    bool skipActivate_ = false; // the next activation was handled already
};

} // namespace zan
