#include "dialogs/fixed_scale_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zan {

namespace {

// Design positions are in twips of 15 to the pixel.
QRect Place(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

} // namespace

FixedScaleDialog::FixedScaleDialog(Session& session, std::function<void()> redraw, QWidget* parent)
    : QDialog(parent, Qt::Tool), session_(session), redraw_(std::move(redraw))
{
    setWindowTitle("Set Fixed Scale");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    const int tops[4] = {120, 600, 1080, 1080};
    const int lefts[4] = {240, 240, 240, 1320};
    const char* const tips[4] = {"Top of the y axis", "Bottom of the y axis", "Left end of the x axis",
                                 "Right end of the x axis"};
    for (int i = 0; i < 4; ++i) {
        Text1[static_cast<size_t>(i)] = new QLineEdit(this);
        Text1[static_cast<size_t>(i)]->setToolTip(tips[i]);
        Text1[static_cast<size_t>(i)]->setGeometry(Place(lefts[i], tops[i], 1000, 345));
        Text1[static_cast<size_t>(i)]->installEventFilter(this);
    }
    Label1[0] = new QLabel("X", this);
    Label1[0]->setGeometry(Place(60, 1140, 180, 285));
    Label1[1] = new QLabel("Y", this);
    Label1[1]->setGeometry(Place(60, 420, 180, 285));
    Command1 = new QPushButton("Set", this);
    Command1->setToolTip("Set fixed line scaling.");
    Command1->setGeometry(Place(1320, 120, 1000, 375));
    Command2 = new QPushButton("Sim", this);
    Command2->setToolTip("Set fixed simmetric line scaling.");
    Command2->setGeometry(Place(1320, 600, 1000, 375));
    for (QPushButton* b : {Command1, Command2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    setFixedSize(Place(0, 0, 2500, 1650).size());
    connect(Command1, &QPushButton::clicked, this, &FixedScaleDialog::SetScale);
    connect(Command2, &QPushButton::clicked, this, &FixedScaleDialog::Symmetric);

    lLoad_ = true;
    lInKey_ = false;
    scale_ = LoadFixedScale(session_);
    scale_.iText = 0;
    Fill();
    lLoad_ = false;
}

void FixedScaleDialog::Fill()
{
    const std::array<std::string, 4> texts = FixedScaleTexts(session_, scale_);
    for (size_t i = 0; i < 4; ++i)
        Text1[i]->setText(QString::fromStdString(texts[i]));
}

int FixedScaleDialog::BoxIndex(QObject* box) const
{
    for (int i = 0; i < 4; ++i)
        if (Text1[static_cast<size_t>(i)] == box)
            return i;
    return -1;
}

void FixedScaleDialog::SetScale()
{
    lLoad_ = true;
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    ApplyFixedScale(session_, scale_);
    Fill();
    QCoreApplication::processEvents();
    QLineEdit* box = Text1[static_cast<size_t>(std::clamp(scale_.iText, 0, 3))];
    box->setFocus();
    box->selectAll();
    lLoad_ = false;
    if (redraw_)
        redraw_();
    RestoreFixedScaleGraph(session_, scale_);
    Command1->setEnabled(true);
    Command2->setEnabled(true);
}

void FixedScaleDialog::Symmetric()
{
    Symmetrise(scale_);
    SetScale();
}

bool FixedScaleDialog::event(QEvent* event)
{
    // Clicking anywhere outside closes the window without applying. Only a
    // window that was active closes: one that never got the focus (no
    // window manager gives it) stays until closed otherwise.
    if (event->type() == QEvent::WindowActivate)
        activated_ = true;
    if (event->type() == QEvent::WindowDeactivate && activated_ && isVisible())
        close();
    return QDialog::event(event);
}

bool FixedScaleDialog::eventFilter(QObject* watched, QEvent* event)
{
    const int index = BoxIndex(watched);
    if (index < 0)
        return QDialog::eventFilter(watched, event);
    auto* box = Text1[static_cast<size_t>(index)];
    switch (event->type()) {
    case QEvent::FocusIn:
        if (!lLoad_) {
            scale_.iText = index;
            QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
        }
        break;
    case QEvent::FocusOut:
        if (!lLoad_) {
            scale_.iText = index;
            StoreBound(scale_, index, box->text().trimmed().toStdString(), box->isModified());
        }
        break;
    case QEvent::KeyPress: {
        if (lInKey_)
            return true;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            break;
        lInKey_ = true;
        scale_.iText = index;
        StoreBound(scale_, index, box->text().trimmed().toStdString(), box->isModified());
        box->selectAll();
        SetScale();
        lInKey_ = false;
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zan
