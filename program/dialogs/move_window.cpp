#include "dialogs/move_window.h"

#include "platform/qt_screen_metrics.h"
#include "session/startup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace zan {

namespace {

// Text typed but not yet applied.
const char* const kEditedStyle = "color: rgb(192, 0, 0)";

}  // namespace

MoveWindow::MoveWindow(Session& s, DataLibrary& library, QWidget* parent)
    : QDialog(parent), s_(s), logic_(s, library)
{
    setWindowTitle("Move Line");
    setModal(false);
    auto* grid = new QGridLayout(this);
    Combo1 = new QComboBox;
    Command1[4] = new QPushButton("C");
    Command1[4]->setToolTip("Clear All");
    grid->addWidget(Combo1, 0, 0, 1, 4);
    grid->addWidget(Command1[4], 0, 4);

    Combo1->setToolTip("File whose shift and factor are shown and changed");
    Command1[0] = new QPushButton("<<");
    Command1[0]->setToolTip("Move the line down by a twentieth of its axis");
    Command1[2] = new QPushButton("<");
    Command1[2]->setToolTip("Move the line down by a 400th of its axis");
    Combo2 = new QComboBox;
    Combo2->setToolTip("Line to move");
    Command1[3] = new QPushButton(">");
    Command1[3]->setToolTip("Move the line up by a 400th of its axis");
    Command1[1] = new QPushButton(">>");
    Command1[1]->setToolTip("Move the line up by a twentieth of its axis");
    grid->addWidget(Command1[0], 1, 0);
    grid->addWidget(Command1[2], 1, 1);
    grid->addWidget(Combo2, 1, 2);
    grid->addWidget(Command1[3], 1, 3);
    grid->addWidget(Command1[1], 1, 4);
    // The buttons take the focus like the other controls, so the keyboard
    // reaches them too and a box typed into is left (and confirmed) first.
    for (QPushButton* b : Command1)
        b->setAutoDefault(false);

    auto* values = new QHBoxLayout;
    values->addWidget(new QLabel("Shift"));
    Text1[kShiftBox] = new QLineEdit;
    Text1[kShiftBox]->setToolTip("Added to the line's values; Enter applies");
    values->addWidget(Text1[kShiftBox]);
    values->addWidget(new QLabel("Factor"));
    Text1[kFactorBox] = new QLineEdit;
    Text1[kFactorBox]->setToolTip("The line's values are multiplied by it; Enter applies");
    values->addWidget(Text1[kFactorBox]);
    grid->addLayout(values, 2, 0, 1, 5);
    Check1 = new QCheckBox("All Files");
    Check1->setToolTip("Shifts and factors change in every open file, not only the chosen one");
    grid->addWidget(Check1, 3, 0, 1, 5);

    logic_.drawDelayed = [](int) {};
    for (int i = 0; i < 4; ++i)
        connect(Command1[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] {
            if (iBusy > 0)
                return;
            logic_.Step(i);
            ShowApplied();
        });
    connect(Command1[4], &QPushButton::clicked, this, [this] {
        if (iBusy > 0)
            return;
        logic_.ClearAll();
        ShowApplied();
    });
    connect(Combo1, &QComboBox::activated, this, [this](int index) {
        if (iBusy > 0)
            return;
        logic_.ChooseFile(index + 1);
        ShowParam();
    });
    connect(Combo2, &QComboBox::activated, this, [this](int index) {
        if (iBusy > 0)
            return;
        logic_.ChooseLine(index + 1);
        ShowParam();
    });
    connect(Check1, &QCheckBox::clicked, this, [this](bool on) {
        if (iBusy == 0)
            logic_.SetAllFiles(on);
    });
    for (QWidget* control : std::initializer_list<QWidget*>{Combo1, Combo2, Check1})
        control->installEventFilter(this);
    for (int box : {kShiftBox, kFactorBox}) {
        QLineEdit* edit = Text1[static_cast<size_t>(box)];
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, box] {
            if (iBusy == 0)
                MarkEdited(box);
        });
    }
}

void MoveWindow::Load()
{
    ++iBusy;
    logic_.Load();
    Combo1->clear();
    for (const std::string& name : logic_.files())
        Combo1->addItem(QString::fromStdString(name));
    Combo2->clear();
    for (const std::string& name : logic_.lines())
        Combo2->addItem(QString::fromStdString(name));
    Combo1->setCurrentIndex(0);
    Combo2->setCurrentIndex(0);
    Check1->setChecked(logic_.allFiles());
    ShowParam();

    QtScreenMetrics metrics;
    const PixelRect r = metrics.virtualScreen();
    ScreenArea area{r.left, r.top, r.width, r.height, metrics.twipsPerPixelX(), metrics.twipsPerPixelY()};
    // The same clamping into the virtual screen as the frame window's.
    const FramePlacement place = PlaceFrame(kNormalState, s_.iMtop, s_.iMlft, area);
    move(static_cast<int>(std::lround(place.left / area.tx)), static_cast<int>(std::lround(place.top / area.ty)));
    --iBusy;
}

void MoveWindow::ShowParam()
{
    ++iBusy;
    Text1[kShiftBox]->setText(QString::fromStdString(logic_.shiftText()));
    Text1[kFactorBox]->setText(QString::fromStdString(logic_.factorText()));
    --iBusy;
}

void MoveWindow::ShowApplied()
{
    ShowParam();
    for (QLineEdit* edit : Text1)
        edit->setStyleSheet("");
}

void MoveWindow::MarkEdited(int box)
{
    QLineEdit* edit = Text1[static_cast<size_t>(box)];
    edit->setStyleSheet(kEditedStyle);
    logic_.Edit(box, edit->text().toStdString());
}

void MoveWindow::Confirm(int box, bool keepSelection)
{
    QLineEdit* edit = Text1[static_cast<size_t>(box)];
    edit->setStyleSheet("");
    logic_.ConfirmBox(box, edit->text().toStdString());
    ShowParam();
    edit->setCursorPosition(0);
    if (keepSelection)
        edit->selectAll();
    else
        edit->deselect();
}

bool MoveWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees the function keys before its controls (a list would
    // take F4 to open itself).
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() >= Qt::Key_F4 && key->key() <= Qt::Key_F8) {
            keyPressEvent(key);
            return true;
        }
    }
    int box = -1;
    for (int b : {kShiftBox, kFactorBox})
        if (watched == Text1[static_cast<size_t>(b)])
            box = b;
    if (box < 0 || iBusy > 0)
        return QDialog::eventFilter(watched, event);
    QLineEdit* edit = Text1[static_cast<size_t>(box)];
    switch (event->type()) {
    case QEvent::FocusIn:
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        break;
    case QEvent::FocusOut:
        Confirm(box, false);
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Confirm(box, true);
            return true;
        }
        // Tab moves the focus on, which confirms the box as leaving it does.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        const QString text = key->text();
        const int code = key->key() == Qt::Key_Backspace ? 8 : (text.isEmpty() ? -1 : text.at(0).unicode());
        // Keys without a character (the caret keys) stay with the box. Every
        // character marks the box as edited, but only the number's alphabet
        // reaches it.
        if (code < 0)
            return false;
        MarkEdited(box);
        if (code == 127)
            return false;
        return !KeptAfterEnter(code);
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void MoveWindow::keyPressEvent(QKeyEvent* event)
{
    const int index = event->key() - Qt::Key_F4;
    if (index >= 0 && index < static_cast<int>(mainCommands.size())) {
        if (mainCommands[static_cast<size_t>(index)])
            mainCommands[static_cast<size_t>(index)]();
        return;
    }
    // Enter and Escape stay with the boxes, not with closing the window,
    // whichever control has the focus.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void MoveWindow::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    if (isVisible())
        StorePosition();
}

void MoveWindow::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    StorePosition();
}

void MoveWindow::StorePosition()
{
    QtScreenMetrics metrics;
    s_.iMtop = static_cast<int>(std::lround(y() * metrics.twipsPerPixelY()));
    s_.iMlft = static_cast<int>(std::lround(x() * metrics.twipsPerPixelX()));
}

}  // namespace zan
