#include "dialogs/selection_window.h"

#include "dialogs/selection_list_models.h"
#include "dialogs/selection_views.h"
#include "platform/qt_screen_metrics.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include <cmath>

namespace zan {

namespace {

QPushButton* Button(QPushButton* button, const char* caption, const char* tip)
{
    button->setText(QString::fromLatin1(caption));
    button->setToolTip(QString::fromLatin1(tip));
    return button;
}

QRect Pixels(const TwipRect& r, double tx, double ty)
{
    return {static_cast<int>(std::lround(r.left / tx)), static_cast<int>(std::lround(r.top / ty)),
            static_cast<int>(std::lround(r.width / tx)), static_cast<int>(std::lround(r.height / ty))};
}

} // namespace

SelectionWindow::SelectionWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Dialog), messages_(this), form_(session, messages_, Timer1, Timer2, Timer3)
{
    setWindowTitle("Select Graph Variables.");
    setAcceptDrops(true);
    BuildControls();
    Wire();
    resize(900, 600);
}

SelectionWindow::~SelectionWindow()
{
    // The views ask the form's model while they go; they go before the form.
    delete ListView1;
    delete ListView2;
}

double SelectionWindow::Tx() const
{
    const double dpi = logicalDpiX();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

double SelectionWindow::Ty() const
{
    const double dpi = logicalDpiY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

void SelectionWindow::BuildControls()
{
    vars_ = new VarListModel(form_.model(), this);
    rows_ = new RowListModel(form_.model(), this);
    ListView1 = new SelectionListView("ListView1", form_.drag(), this);
    ListView1->setModel(vars_);
    ListView1->setToolTip("All Variables");
    ListView2 = new SelectionListView("ListView2", form_.drag(), this);
    ListView2->setModel(rows_);
    ListView2->setToolTip("Selected Variables");
    ListView2->header()->setDefaultSectionSize(90);
    ListView2->header()->resizeSection(0, 160);
    ListView2->header()->setStretchLastSection(false);

    Text1 = new QLineEdit(this);
    Text1->setToolTip("Search variables.");
    Text2 = new QLineEdit(this);
    Text2->setToolTip("Screen Title");

    Command2 = new DropButton(this);
    Button(Command2, "Add", "Add to selected variables.");
    Command3 = Button(new QPushButton(this), "Remove", "Remove selected variables.");
    Command4 = Button(new QPushButton(this), "Clear", "Clear selection list.");
    Command5 = Button(new QPushButton(this), "Cancel", "Cancel selection.");
    Command6 = Button(new QPushButton(this), "Apply", "Apply selection.");
    Command1 = Button(new QPushButton(this), "Close", "Close window.");
    Command2->setAcceptDrops(true);
    for (QPushButton* b : {static_cast<QPushButton*>(Command2), Command3, Command4, Command5, Command6, Command1})
        b->setAutoDefault(false);

    UpDown1 = new MoveArrows(this);
    UpDown1->setToolTip("Move selected variables up or down.");
}

void SelectionWindow::Wire()
{
    form_.onChanged = [this](int row) { Sync(row); };
    form_.onFitColumn = [this] { FitColumn(); };
    form_.onRedrawPlot = [this] {
        if (onRedrawPlot)
            onRedrawPlot();
    };
    form_.onUnload = [this] { close(); };

    // Escape works wherever the focus is in the window.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, [this] { form_.Escape(); });

    connect(Text1, &QLineEdit::textChanged, this, [this](const QString& t) { form_.SearchChanged(t.toStdString()); });
    connect(Text1, &QLineEdit::returnPressed, this, [this] {
        form_.Add();
        Text1->clear();
    });
    connect(Text2, &QLineEdit::textEdited, this, [this](const QString& t) {
        form_.model().SetTitle(t.toStdString());
        Sync(-1);
    });
    auto thenSearch = [this](auto command) {
        return [this, command] {
            (form_.*command)();
            Text1->setFocus();
        };
    };
    connect(Command2, &QPushButton::clicked, this, thenSearch(&SelectionForm::Add));
    connect(Command3, &QPushButton::clicked, this, thenSearch(&SelectionForm::Remove));
    connect(Command4, &QPushButton::clicked, this, thenSearch(&SelectionForm::ClearOrReload));
    connect(Command5, &QPushButton::clicked, this, [this] { form_.Cancel(); });
    connect(Command6, &QPushButton::clicked, this, [this] { form_.Apply(); });
    connect(Command1, &QPushButton::clicked, this, [this] { form_.Close(); });
    Command2->onDrop = [this](const QString& source) {
        form_.drag().End();
        if (source == "ListView1") {
            form_.AddShown();
            Text1->setFocus();
        }
    };
    connect(UpDown1, &MoveArrows::arrowPressed, this, [this](bool down) { form_.ArrowPressed(down); });
    connect(UpDown1, &MoveArrows::arrowReleased, this, [this] { form_.ArrowReleased(); });

    ListView1->onPress = [this] {
        form_.NoteDownText(ListView1->currentIndex().data().toString().toStdString());
    };
    ListView1->mayEdit = [this](const QModelIndex& index) {
        return form_.MayStartRename(index.data().toString().toStdString());
    };
    ListView1->onEnter = [this] { form_.Add(); };
    connect(ListView1, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        form_.model().SelectItem(index.row(), true);
        form_.AddShown();
    });
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, [this] {
        form_.model().SelectAllItems();
        Sync(-1);
    });
    vars_->onRenamed = [this](const std::string& editText, const std::string& newText) {
        // After the editor has closed: a rename reloads both lists.
        QMetaObject::invokeMethod(
            this,
            [this, editText, newText] {
                inMessage_ = true;
                form_.Rename(editText, newText);
                inMessage_ = false;
            },
            Qt::QueuedConnection);
    };
    rows_->onTitleEdited = [this] { Sync(-1); };
    ListView2->onDrop = [this](const QString& source, int row) {
        if (source != "ListView1")
            return;
        form_.Drop(row);
        Text1->setFocus();
    };
    connect(ListView2->header(), &QHeaderView::sectionClicked, this, [this](int h) { form_.HeaderClick(h); });
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { PullSelection(ListView1, true); });
    connect(ListView2->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { PullSelection(ListView2, false); });
}

void SelectionWindow::Open()
{
    if (!isVisible())
        Load();
    show();
    raise();
    // The lists are filled here at once; the activation this brings, which
    // may arrive after the user has started typing, is not a second one.
    skipActivate_ = !isActiveWindow();
    activateWindow();
    form_.Activate(Text1->text().toStdString());
    Text1->setFocus();
}

void SelectionWindow::Load()
{
    QtScreenMetrics metrics;
    const PixelRect screen = metrics.virtualScreen();
    const ScreenArea area{screen.left, screen.top, screen.width, screen.height, Tx(), Ty()};
    const FramePlacement p = PlaceSelection(form_.model().session(), area);
    move(static_cast<int>(std::lround(p.left / Tx())), static_cast<int>(std::lround(p.top / Ty())));
    Command4->setText("Clear");
    form_.Load();
    Sync(-1);
}

void SelectionWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (!isActiveWindow()) {
        // Our own message box took the focus; its return is no activation.
        if (inMessage_)
            skipActivate_ = true;
        return;
    }
    if (skipActivate_) {
        skipActivate_ = false;
        return;
    }
    form_.Activate(Text1->text().toStdString());
    Text1->setFocus();
}

void SelectionWindow::resizeEvent(QResizeEvent*)
{
    LayOut();
    form_.Resized();
}

void SelectionWindow::LayOut()
{
    const double tx = Tx();
    const double ty = Ty();
    const SelectionLayout l = LayOutSelection(width() * tx, height() * ty);
    ListView1->setGeometry(Pixels(l.list1, tx, ty));
    ListView2->setGeometry(Pixels(l.list2, tx, ty));
    Command2->setGeometry(Pixels(l.add, tx, ty));
    QPushButton* row[] = {Command3, Command4, Command5, Command6, Command1};
    for (int k = 0; k < 5; ++k)
        row[k]->setGeometry(Pixels(l.buttons[k], tx, ty));
    Text1->setGeometry(Pixels(l.search, tx, ty));
    Text2->setGeometry(Pixels(l.title, tx, ty));
    UpDown1->setGeometry(Pixels(l.upDown, tx, ty));
}

void SelectionWindow::FitColumn()
{
    const double tx = Tx();
    const QScrollBar* bar = ListView1->verticalScrollBar();
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const double width = FitColumnWidth(ListView1->width() * tx, ListView1->columnWidth(0) * tx, tx, barWidth,
                                        bar->maximum() > bar->minimum());
    ListView1->setColumnWidth(0, static_cast<int>(std::lround(width / tx)));
}

void SelectionWindow::closeEvent(QCloseEvent* event)
{
    form_.Unload(y() * Ty(), x() * Tx());
    event->accept();
}

void SelectionWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (ListDragSource(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void SelectionWindow::dropEvent(QDropEvent* event)
{
    form_.drag().End();
    event->acceptProposedAction();
}

void SelectionWindow::Sync(int row)
{
    syncing_ = true;
    const SelectionModel& m = form_.model();
    if (itemsVersion_ != m.itemsVersion()) {
        itemsVersion_ = m.itemsVersion();
        vars_->Reset();
        PushSelection(ListView1, true);
    }
    if (rowsVersion_ != m.rowsVersion()) {
        rowsVersion_ = m.rowsVersion();
        rows_->Reset();
        PushSelection(ListView2, false);
    }
    const QString title = QString::fromStdString(m.title());
    if (Text2->text() != title && !Text2->hasFocus())
        Text2->setText(title);
    Command4->setText(m.clearCaption() ? "Clear" : "Reload");
    Command6->setEnabled(m.applyEnabled());
    if (row >= 0 && row < rows_->rowCount())
        ListView2->scrollTo(rows_->index(row, 0));
    syncing_ = false;
}

void SelectionWindow::PushSelection(SelectionListView* view, bool items)
{
    const SelectionModel& m = form_.model();
    const int n = items ? static_cast<int>(m.items().size()) : static_cast<int>(m.rows().size());
    auto selected = [&](int i) {
        return items ? m.items()[static_cast<size_t>(i)].selected : m.rows()[static_cast<size_t>(i)].selected;
    };
    QAbstractItemModel* model = view->model();
    const int lastColumn = model->columnCount() - 1;
    QItemSelection selection;
    for (int i = 0; i < n;) {
        if (!selected(i)) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 < n && selected(j + 1))
            ++j;
        selection.select(model->index(i, 0), model->index(j, lastColumn));
        i = j + 1;
    }
    view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void SelectionWindow::PullSelection(SelectionListView* view, bool items)
{
    if (syncing_)
        return;
    SelectionModel& m = form_.model();
    const int n = items ? static_cast<int>(m.items().size()) : static_cast<int>(m.rows().size());
    std::vector<char> on(static_cast<size_t>(n), 0);
    for (const QItemSelectionRange& range : view->selectionModel()->selection())
        for (int r = std::max(range.top(), 0); r <= range.bottom() && r < n; ++r)
            on[static_cast<size_t>(r)] = 1;
    for (int i = 0; i < n; ++i) {
        if (items)
            m.SelectItem(i, on[static_cast<size_t>(i)] != 0);
        else
            m.SelectRow(i, on[static_cast<size_t>(i)] != 0);
    }
}

} // namespace zan
