#include "windows/selection/selection_views.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace zan {

namespace {

const char* const kDragFormat = "application/x-zan-list";

} // namespace

QMimeData* MakeListDrag(const QString& source)
{
    auto* mime = new QMimeData;
    mime->setData(kDragFormat, source.toUtf8());
    return mime;
}

QString ListDragSource(const QMimeData* mime)
{
    if (!mime || !mime->hasFormat(kDragFormat))
        return {};
    return QString::fromUtf8(mime->data(kDragFormat));
}

SelectionListView::SelectionListView(const QString& name, DragGesture& drag, QWidget* parent)
    : QTreeView(parent), name_(name), drag_(drag)
{
    setObjectName(name);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::SelectedClicked);
    // Dragging is started here, not by Qt; enabling it keeps a press on a
    // selected item from dropping the rest of the selection.
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    startDrag = [this](QMimeData* mime) {
        auto* d = new QDrag(this);
        d->setMimeData(mime);
        d->exec(Qt::CopyAction);
    };
}

double SelectionListView::Tx() const
{
    const double dpi = logicalDpiX();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

double SelectionListView::Ty() const
{
    const double dpi = logicalDpiY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

void SelectionListView::mousePressEvent(QMouseEvent* event)
{
    drag_.Press(event->position().x() * Tx(), event->position().y() * Ty());
    if (onPress)
        onPress();
    QTreeView::mousePressEvent(event);
}

void SelectionListView::mouseMoveEvent(QMouseEvent* event)
{
    if (!drag_.lDrag || event->buttons() == Qt::NoButton) {
        if (event->buttons() == Qt::NoButton)
            QTreeView::mouseMoveEvent(event);
        return;
    }
    const bool start = drag_.Move(event->position().x() * Tx(), event->position().y() * Ty(),
                                  event->buttons() & Qt::LeftButton, event->modifiers() & Qt::ControlModifier);
    if (start && startDrag)
        startDrag(MakeListDrag(name_));
}

void SelectionListView::mouseReleaseEvent(QMouseEvent* event)
{
    drag_.End();
    QTreeView::mouseReleaseEvent(event);
}

void SelectionListView::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && onEnter && state() != EditingState) {
        onEnter();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void SelectionListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (ListDragSource(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void SelectionListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (ListDragSource(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    if (onDrop)
        SetDropRow(indexAt(event->position().toPoint()).row());
    event->acceptProposedAction();
}

void SelectionListView::dragLeaveEvent(QDragLeaveEvent*)
{
    SetDropRow(-1);
}

void SelectionListView::dropEvent(QDropEvent* event)
{
    const QString source = ListDragSource(event->mimeData());
    if (source.isEmpty()) {
        event->ignore();
        return;
    }
    drag_.End();
    const int row = indexAt(event->position().toPoint()).row();
    SetDropRow(-1);
    event->acceptProposedAction();
    if (onDrop)
        onDrop(source, row);
}

bool SelectionListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool starts = (trigger & editTriggers()) || trigger == AllEditTriggers;
    if (starts && index.isValid() && mayEdit && !mayEdit(index))
        return false;
    return QTreeView::edit(index, trigger, event);
}

void SelectionListView::SetDropRow(int row)
{
    if (row == dropRow_)
        return;
    dropRow_ = row;
    viewport()->update();
}

void SelectionListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    if (index.row() == dropRow_)
        painter->fillRect(option.rect, palette().highlight().color().lighter(170));
    QTreeView::drawRow(painter, option, index);
}

void DropButton::dragEnterEvent(QDragEnterEvent* event)
{
    if (ListDragSource(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void DropButton::dropEvent(QDropEvent* event)
{
    const QString source = ListDragSource(event->mimeData());
    if (source.isEmpty())
        return;
    event->acceptProposedAction();
    if (onDrop)
        onDrop(source);
}

MoveArrows::MoveArrows(QWidget* parent) : QWidget(parent)
{
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setObjectName("up");
    down_->setObjectName("down");
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::released, this, &MoveArrows::arrowReleased);
    }
    connect(up_, &QToolButton::pressed, this, [this] { emit arrowPressed(false); });
    connect(down_, &QToolButton::pressed, this, [this] { emit arrowPressed(true); });
}

void MoveArrows::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

} // namespace zan
