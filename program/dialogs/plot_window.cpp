#include "dialogs/plot_window.h"

#include "dialogs/button_bar_layout.h"
#include "dialogs/plot_window_picture.h"
#include "dialogs/plot_window_updown.h"
#include "interact/command_state.h"
#include "render/bitmap_commands.h"
#include "render/image_target.h"
#include "render/highlight_overlay.h"
#include "render/page_output.h"
#include "render/qt_page_output.h"
#include "render/window_layout.h"

#include <QAction>
#include <QCoreApplication>
#include <QTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>
#include <memory>

namespace zan {

namespace {

QPushButton* AddButton(ButtonBarLayout* bar, const char* caption, const char* tip)
{
    auto* button = new QPushButton(QString::fromLatin1(caption));
    button->setToolTip(QString::fromLatin1(tip));
    // Keys belong to the window, not to whichever button was pressed last.
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedWidth(std::max(button->fontMetrics().horizontalAdvance(button->text()) + 18, 30));
    bar->addWidget(button);
    return button;
}

// A number box with its caption; the two never part in a wrapped bar. The
// caption's own tip says what the value does.
QLineEdit* AddBox(ButtonBarLayout* bar, const char* caption, const char* tip, const char* widest,
                  const char* captionTip)
{
    if (caption) {
        auto* label = new QLabel(QString::fromLatin1(caption));
        label->setToolTip(QString::fromLatin1(captionTip));
        bar->addWidget(label);
    }
    auto* box = new QLineEdit;
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString::fromLatin1(widest)) + 12);
    if (tip)
        box->setToolTip(QString::fromLatin1(tip));
    bar->addWidget(box, caption != nullptr);
    return box;
}

// The page drawing's view of the plot picture and the labels around it.
class PictureScreen : public render::ScreenPicture {
public:
    explicit PictureScreen(PlotWindow& window) : window_(window) {}
    void erase() override
    {
        target_.reset();
        window_.Picture1->Erase();
    }
    render::DrawTarget& target() override
    {
        if (!target_)
            target_ = std::make_unique<render::ImageTarget>(window_.Picture1->image());
        return *target_;
    }
    void refresh() override
    {
        target_.reset();
        window_.Picture1->Refresh();
    }
    void targetDone() override { refresh(); }
    void setPageLabel(const std::string& caption) override { window_.SetPageNote(caption); }
    void setBusyPointer(bool busy) override
    {
        if (window_.onBusyPointer)
            window_.onBusyPointer(busy);
    }
    void setLastLabel(const std::string& caption) override
    {
        const QString text = QString::fromStdString(caption);
        if (window_.LabelL->text() == text)
            return;
        window_.LabelL->setText(text);
        window_.LabelL->adjustSize();
        // Its width places it and the page label, and may wrap the bar: laid
        // out again once the drawing is done, never in the middle of it.
        window_.RelayoutAfterDrawing();
    }
    void processEvents() override { QCoreApplication::processEvents(); }
    void updateReadout() override { window_.UpdateReadout(); }

private:
    PlotWindow& window_;
    std::unique_ptr<render::ImageTarget> target_;
};

} // namespace

PlotWindow::PlotWindow(Session& session, QWidget* parent)
    : QWidget(parent), session_(session),
      drawings_({[this] { DrawPage(); }, [this](bool letEventsRun) { DrawOverlay(letEventsRun); },
                 // While files load, the store and the variable map are incomplete.
                 [this] { return !session_.bLoading; }, [this] { DrawingsDone(); }})
{
    BuildControls();
    BuildTimers();
    WireMouse();
    WireKeys();
    WireButtons();
    WireBoxes();
}

PlotWindow::~PlotWindow() = default;

void PlotWindow::BuildControls()
{
    Picture1 = new PlotPicture(this);
    Label3 = new QLabel(Picture1);
    Label3->setAutoFillBackground(true);
    // The pointer on the tip is still on the plot: its moves go to the picture.
    Label3->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label3->hide();

    Frame1 = new QFrame(this);
    auto* bar = new ButtonBarLayout(Frame1);
    bar->setContentsMargins(0, 2, 0, 2);
    bar->setSpacing(3);
    Command1 = AddButton(bar, "Prev", "Previous page (Page Up)");
    Command2 = AddButton(bar, "Next", "Next page (Page Down)");
    Command3 = AddButton(bar, "Zoom Out", "Back to the previous zoom level (keypad -)");
    Command7 = AddButton(bar, "Zoom In", "Forward to the next zoom level again (keypad +)");
    Command4 = AddButton(bar, "<", "Move the time axis left by two ticks; hold to repeat (Left arrow)");
    Command5 = AddButton(bar, ">", "Move the time axis right by two ticks; hold to repeat (Right arrow)");
    Command6 = AddButton(bar, "Print", "Print the page");
    Command8 = AddButton(bar, "Save", "Save the page as a bitmap file (Ctrl+S)");
    bar->addGap(8);
    Text1 = AddBox(bar, "Draw Rate ", "Set Drawing rate of data.", "16000",
                   "Draw every n-th sample of each curve: 1 draws all, more draws faster");
    Text4 = new QLineEdit(Frame1);
    Text4->hide();
    UpDown1 = new UpDown(0, 4, Text4);
    UpDown1->setToolTip("Draw rate 1, 10, 100, 1000 or 10000");
    bar->addWidget(UpDown1, true);
    Text2 = AddBox(bar, "Cols", "Set Columns Number.", "00", "Graphs side by side on a page");
    UpDown2 = new UpDown(1, 6, Text2);
    UpDown2->setToolTip("One column more or less");
    bar->addWidget(UpDown2, true);
    Text3 = AddBox(bar, "Rows", "Set Rows Number.", "00", "Graphs one above the other on a page");
    UpDown3 = new UpDown(1, 6, Text3);
    UpDown3->setToolTip("One row more or less");
    bar->addWidget(UpDown3, true);
    Frame1->adjustSize();
    // The window gets no narrower than the widest group of the bar, so a
    // wrapped bar still shows every control whole.
    setMinimumWidth(bar->minimumSize().width() + 10);

    Label2 = new QLabel(" ", this);

    LabelD = new QLabel(this);
    LabelL = new QLabel(" ", this);

    connect(Command6, &QPushButton::clicked, this, [this] {
        ButnStat();
        PrntDraw();
    });
    connect(Command8, &QPushButton::clicked, this, &PlotWindow::SaveBitmap);
}

void PlotWindow::BuildTimers()
{
    for (QTimer* timer : {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5})
        timer->stop();
    Timer2.setInterval(220);
    Timer3.setInterval(220);
    Timer4.setInterval(220);
    connect(&Timer1, &QTimer::timeout, this, [this] {
        Timer1.stop();
        PictDraw();
    });
    connect(&Timer4, &QTimer::timeout, this, [this] {
        Timer4.stop();
        if (session_.lderr == 0 && session_.drErr == 0)
            WhatFile();
    });
}

double PlotWindow::TwipsPerPixelX() const
{
    const double dpi = logicalDpiX();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

double PlotWindow::TwipsPerPixelY() const
{
    const double dpi = logicalDpiY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

void PlotWindow::resizeEvent(QResizeEvent*)
{
    FormResize();
}

void PlotWindow::FormResize()
{
    if (session_.lderr != 0)
        return;
    ResizeInput in;
    in.tx = TwipsPerPixelX();
    in.ty = TwipsPerPixelY();
    in.innerWidth = width() * in.tx;
    in.innerHeight = height() * in.ty;
    in.buttonHeight = Command1->sizeHint().height() * in.ty;
    // Where the bar does not fit in one row with the page indicator beside
    // it, it wraps, and the labels beside it move to a line of their own.
    const int margin = 5;
    const QSize oneRow = Frame1->sizeHint();
    LabelL->adjustSize();
    const int besideBar = Label2->fontMetrics().horizontalAdvance("Page 00/00") + LabelL->width() + 3 * margin;
    const bool wrapped = oneRow.width() + 2 * besideBar > width();
    const int barWidth = wrapped ? std::max(width() - 2 * margin, 1) : oneRow.width();
    const int barHeight = wrapped ? Frame1->layout()->heightForWidth(barWidth) : oneRow.height();
    const int labelHeight = Label2->sizeHint().height();
    // Two lines: the X and the Y readout.
    const int readoutHeight = 2 * LabelD->fontMetrics().height() + 2;
    in.barWidth = barWidth * in.tx;
    if (wrapped)
        in.barExtraHeight = (barHeight - oneRow.height() + readoutHeight) * in.ty;
    const ResizeLayout layout = zan::FormResize(in);

    // Hiding the picture would hand its keyboard focus to the first number box.
    const bool plotHadFocus = Picture1->hasFocus();
    Picture1->hide();
    Picture1->setGeometry(TwipsToPixels(layout.pictureLeft, in.tx), TwipsToPixels(layout.pictureTop, in.ty),
                          TwipsToPixels(layout.pictureWidth, in.tx), TwipsToPixels(layout.pictureHeight, in.ty));
    SetPageNote(layout.sizeCaption);
    Picture1->show();
    if (plotHadFocus)
        Picture1->setFocus();
    const int barTop = static_cast<int>(layout.barTop / in.ty);
    Frame1->setGeometry(static_cast<int>(layout.barLeft / in.tx), barTop, barWidth, barHeight);
    if (wrapped) {
        // Readout at the left, page indicator in the middle, "Last" at the right.
        const int labelsTop = barTop + barHeight;
        LabelL->move(width() - margin - LabelL->width(), labelsTop);
        const int half = std::max((LabelL->x() - 2 * margin) / 2, 1);
        LabelD->setGeometry(margin, labelsTop, half, readoutHeight);
        Label2->setGeometry(2 * margin + half, labelsTop, std::max(LabelL->x() - 3 * margin - half, 1), labelHeight);
    } else {
        const int labelsTop = static_cast<int>(layout.labelsTop / in.ty);
        LabelD->setGeometry(margin, labelsTop, std::max(Frame1->x() - 2 * margin, 1), readoutHeight);
        LabelL->move(width() - margin - LabelL->width(), labelsTop);
        // The page indicator sits right of the bar, as far as the "Last" label.
        const int label2Left = Frame1->geometry().right() + 1 + 2 * margin;
        Label2->setGeometry(label2Left, labelsTop, std::max(LabelL->x() - margin - label2Left, 1), labelHeight);
    }
    ButnStat();
    DrawDelayed(210);
}

void PlotWindow::DrawDelayed(int delay)
{
    if (onBusyPointer)
        onBusyPointer(true);
    Timer1.stop();
    Timer1.setInterval(delay);
    Timer1.start();
}

void PlotWindow::PictDraw()
{
    drawings_.Page();
}

void PlotWindow::DrawPage()
{
    // The hover readout belongs to the picture it was read from.
    Label3->hide();
    PictureScreen screen(*this);
    render::PictDraw(session_, screen);
    if (!loadNote_.empty()) {
        SetPageNote(loadNote_, loadNoteLines_);
        loadNote_.clear();
        loadNoteLines_.clear();
    }
}

void PlotWindow::ShowLoadNote(const std::string& label, const std::string& lines)
{
    loadNote_ = label;
    loadNoteLines_ = lines;
}

void PlotWindow::SetPageNote(const std::string& text, const std::string& tip)
{
    Label2->setText(QString::fromStdString(text));
    Label2->setToolTip(QString::fromStdString(tip));
}

void PlotWindow::DrawingsDone()
{
    if (relayout_) {
        relayout_ = false;
        FormResize();
    }
}

void PlotWindow::ObjtRect(bool letEventsRun)
{
    drawings_.Overlay(letEventsRun);
}

void PlotWindow::DrawOverlay(bool letEventsRun)
{
    PictureScreen screen(*this);
    render::DrawHost quiet;
    zan::ObjtRect(session_, screen.target(), letEventsRun ? &screen : &quiet);
    screen.refresh();
}

void PlotWindow::PrntDraw()
{
    drawings_.After([this] {
        // Without a printer the page goes to a PDF file in the current folder,
        // beside the saved bitmaps, and the page label names it.
        render::QtPrintDevice device(DefaultFolder());
        device.pageLabel = [this](const std::string& caption) { SetPageNote(caption); };
        device.busyPointer = [this](bool busy) {
            if (onBusyPointer)
                onBusyPointer(busy);
        };
        render::PrntDraw(session_, device);
    });
}

void PlotWindow::ButnStat()
{
    const CommandState c = zan::ButnStat(session_);
    auto enable = [](QWidget* w, bool on) {
        if (w->isEnabled() != on)
            w->setEnabled(on);
    };
    enable(Command1, c.prev);
    enable(Command2, c.next);
    enable(Command3, c.zoomOut);
    enable(Command7, c.zoomIn);
    enable(Command4, c.panLeft);
    enable(Command5, c.panRight);
    if (!menus_.mnuFile)
        return;
    const PlotMenus& m = menus_;
    m.mnuAuto->setChecked(c.autoLoad);
    m.mnuNext->setChecked(c.autoNext);
    m.mnuTran->setChecked(c.transpose);
    auto checkOne = [](auto& entries, int index) {
        for (size_t i = 0; i < entries.size(); ++i)
            entries[i]->setChecked(static_cast<int>(i) == index);
    };
    checkOne(m.mnuMarks, c.marks);
    checkOne(m.mnuFonts, c.font);
    checkOne(m.mnuTexts, c.text);
    checkOne(m.mnuColors, c.colour);
    checkOne(m.mnuLasts, c.last);
    m.mnuTitScrn->setChecked(c.titScrn);
    m.mnuTitGrph->setChecked(c.titGrph);
    m.mnuTitLine->setChecked(c.titLine);
    m.mnuTitXAxis->setChecked(c.titXAxis);
    m.mnuTitYAxis->setChecked(c.titYAxis);
    m.mnuTitFiles->setChecked(c.titFiles);
}

void PlotWindow::ShowBoxes()
{
    ShowBoxes(session_.iStep, session_.nCols, session_.nRows);
}

void PlotWindow::ShowBoxes(int step, int cols, int rows)
{
    Text1->setText(QString::number(step));
    Text2->setText(QString::number(cols));
    Text3->setText(QString::number(rows));
    UpDown2->setValue(cols);
    UpDown3->setValue(rows);
}

// The picture commands wait for the drawings under way, so that they take
// the page as asked for, complete.
void PlotWindow::SaveBitmap()
{
    drawings_.After([this] {
        SavePicture(Picture1->image(), SaveNum, [this](const std::string& caption) { SetPageNote(caption); });
    });
}

void PlotWindow::CopyBitmap()
{
    drawings_.After([this] { CopyPicture(Picture1->image()); });
}

void PlotWindow::PasteBitmap()
{
    drawings_.After([this] {
        if (PastePicture(Picture1->image()))
            Picture1->Refresh();
    });
}

} // namespace zan
