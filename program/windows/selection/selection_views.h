// The controls of the variable selection window that need more than Qt
// gives: the two lists with their press, drag and drop handling, the "Add"
// button that takes drops, and the up/down arrow pair.
#pragma once

#include "interact/selection_form.h"

#include <QPushButton>
#include <QTreeView>

#include <functional>

class QMimeData;
class QToolButton;

namespace zan {

// What a drag between the lists carries: the name of the list it came from.
QMimeData* MakeListDrag(const QString& source);
// The list a drag came from, or an empty text when it is not one of ours.
QString ListDragSource(const QMimeData* mime);

class SelectionListView : public QTreeView {
    Q_OBJECT
public:
    SelectionListView(const QString& name, DragGesture& drag, QWidget* parent = nullptr);

    // Runs the drag; tests put their own in.
    std::function<void(QMimeData*)> startDrag;
    std::function<void()> onPress;                       // before the press selects
    std::function<bool(const QModelIndex&)> mayEdit;     // veto before a label edit
    std::function<void()> onEnter;
    std::function<void(const QString& source, int row)> onDrop;  // row -1: below the rows

    int dropRow() const { return dropRow_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    double Tx() const;
    double Ty() const;
    void SetDropRow(int row);

    QString name_;
    DragGesture& drag_;
    int dropRow_ = -1;
};

// A button that takes drops from the lists.
class DropButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
    std::function<void(const QString& source)> onDrop;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// Two arrows, up above down; pressing one moves the selected rows, holding
// it repeats.
class MoveArrows : public QWidget {
    Q_OBJECT
public:
    explicit MoveArrows(QWidget* parent = nullptr);
    QToolButton* up() const { return up_; }
    QToolButton* down() const { return down_; }

signals:
    void arrowPressed(bool down);
    void arrowReleased();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace zan
