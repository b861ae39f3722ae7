// The keys of the main window, its zoom and pan buttons with their repeat
// timers, and its number boxes, wired to the plain interaction logic.
#include "windows/plot/plot_window.h"
#include "windows/plot/plot_window_picture.h"
#include "windows/plot/plot_window_updown.h"
#include "interact/command_state.h"
#include "interact/plot_keys.h"
#include "interact/zoom_history.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace zan {

namespace {

// The window's key code of a key event; 0 for keys the window has no use for.
int KeyCodeOf(const QKeyEvent& e)
{
    const bool keypad = e.modifiers() & Qt::KeypadModifier;
    switch (e.key()) {
    case Qt::Key_PageUp: return kKeyPageUp;
    case Qt::Key_PageDown: return kKeyPageDown;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    case Qt::Key_Insert: return kKeyInsert;
    case Qt::Key_Delete: return kKeyDelete;
    case Qt::Key_F3: return kKeyF3;
    case Qt::Key_0: return keypad ? kKeyPad0 : 0;
    case Qt::Key_Asterisk: return keypad ? kKeyPadMultiply : 0;
    case Qt::Key_Plus: return keypad ? kKeyPadAdd : 0;
    case Qt::Key_Minus: return keypad ? kKeyPadSubtract : 0;
    case Qt::Key_Period:
    case Qt::Key_Comma: return keypad ? kKeyPadDecimal : 0;
    case Qt::Key_Slash: return keypad ? kKeyPadDivide : 0;
    default: return 0;
    }
}

// Puts a box's text back once its change has been handled: a line edit
// does not take a new text from inside its own change signal.
void Revert(QLineEdit* box, const QString& text)
{
    QMetaObject::invokeMethod(
        box, [box, text] { box->setText(text); }, Qt::QueuedConnection);
}

class WindowKeyHost : public KeyHost {
public:
    explicit WindowKeyHost(PlotWindow& w) : w_(w) {}
    void Redraw() override { w_.Redraw(); }
    void ShowSelect() override { w_.ShowSelect(); }

private:
    PlotWindow& w_;
};

} // namespace

void PlotWindow::WireKeys()
{
    // The window sees the keys before its picture and boxes do.
    for (QWidget* w : std::initializer_list<QWidget*>{Picture1, Text1, Text2, Text3, this})
        w->installEventFilter(this);
}

int PlotWindow::FormKeyDown(int keyCode)
{
    WindowKeyHost host(*this);
    return zan::FormKeyDown(session_, host, keyCode);
}

bool PlotWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int code = KeyCodeOf(*static_cast<QKeyEvent*>(event));
        if (code != 0 && FormKeyDown(code) == 0)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PlotWindow::WireButtons()
{
    connect(Command1, &QPushButton::clicked, this, [this] {
        const int page = std::max(session_.iPage - 1, 1);
        if (page != session_.iPage) {
            session_.iPage = page;
            Redraw();
        }
    });
    connect(Command2, &QPushButton::clicked, this, [this] {
        const int page = std::min(session_.iPage + 1, LastPage(session_));
        if (page != session_.iPage) {
            session_.iPage = page;
            Redraw();
        }
    });
    connect(Command3, &QPushButton::clicked, this, [this] {
        PrvZoom(session_);
        Redraw();
    });
    connect(Command7, &QPushButton::clicked, this, [this] {
        NxtZoom(session_);
        Redraw();
    });
    // A held pan button pans again every 220 ms until released or at the limit.
    auto pan = [this](QPushButton* button, QTimer& timer, int direction) {
        connect(button, &QPushButton::pressed, this, [this, button, &timer, direction] {
            session_.bRept = true;
            if (direction < 0)
                LftZoom(session_);
            else
                RgtZoom(session_);
            Redraw();
            if (button->isDown() && session_.bRept)
                timer.start();
        });
        // Only the button held repeats: a click, or a release, leaves no
        // repeat behind to pan while the other button is held.
        connect(button, &QPushButton::released, this, [this, &timer] {
            session_.bRept = false;
            timer.stop();
        });
        connect(&timer, &QTimer::timeout, this, [this, button, &timer, direction] {
            timer.stop();
            if (button->isDown() && button->isEnabled() && RepeatPan(session_, direction)) {
                Redraw();
                timer.start();
            }
        });
    };
    pan(Command4, Timer2, -1);
    pan(Command5, Timer3, +1);
}

void PlotWindow::WireBoxes()
{
    // Every change of a box's text, typed or set, is an edit of its value; a
    // refused value puts the current one back at once.
    connect(Text1, &QLineEdit::textChanged, this, [this](const QString& text) {
        std::string shown;
        const bool redraw = EditDrawRate(session_, text.toStdString(), shown);
        if (QString::fromStdString(shown) != text)
            Revert(Text1, QString::fromStdString(shown));
        if (redraw)
            DrawDelayed(55);
    });
    // The exponent box is written by its spin control only.
    connect(Text4, &QLineEdit::textChanged, this, [this](const QString& text) {
        const std::string rate = RateOfExponent(text.toStdString());
        if (rate.empty())
            return;
        Text1->setText(QString::fromStdString(rate));
    });
    auto grid = [this](QLineEdit* box, bool (*edit)(Session&, const std::string&), int Session::*count) {
        connect(box, &QLineEdit::textChanged, this, [this, box, edit, count](const QString& text) {
            if (edit(session_, text.toStdString())) {
                ButnStat();
                DrawDelayed(55);
                ShowBoxes();
            } else if (text != QString::number(session_.*count)) {
                Revert(box, QString::number(session_.*count));
            }
        });
    };
    grid(Text2, &EditCols, &Session::nCols);
    grid(Text3, &EditRows, &Session::nRows);
}

} // namespace zan
