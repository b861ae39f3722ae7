// The life of the variable selection window without its widgets: the search
// delay, the column fit delay, the auto-repeat of the up/down arrows, the
// drag gesture, the commands that apply, cancel and close, and the layout
// arithmetic. The window forwards its events here and shows the model.
#pragma once

#include "dialogs/selection_model.h"
#include "platform/message_box.h"
#include "platform/timer.h"
#include "session/startup.h"

#include <functional>
#include <string>

namespace zan {

// A rectangle in twips.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Where the controls go for an inner size of W x H twips.
struct SelectionLayout {
    TwipRect list1, list2, add, search, title, upDown;
    TwipRect buttons[5];  // "Remove", "Clear", "Cancel", "Apply", "Close"
};
SelectionLayout LayOutSelection(double W, double H);

// Width for the one column of the variable list: the list's width less a
// scroll bar (when the list scrolls) and 4 pixels, never below 0. Returns
// current when the change would be at most one pixel.
double FitColumnWidth(double listWidth, double current, double tx, int scrollBarPixels, bool scrolls);

// Position of the window from the stored "Sel Top" and "Sel Left", clamped
// into the virtual screen.
FramePlacement PlaceSelection(const Session& s, const ScreenArea& screen);

// A press in a list may become a drag: once the pointer moved more than 90
// twips away in x or in y. The buttons and keys held during the moves decide
// how the drop adds the variables.
class DragGesture {
public:
    void Press(double x, double y);
    // True when the drag is to start now.
    bool Move(double x, double y, bool leftHeld, bool ctrlHeld);
    void End() { lDrag = false; }

    bool lDrag = false;
    bool lNewRow = false;
    bool lCtrl = false;
    double xDown = 0;
    double yDown = 0;
};

class SelectionForm {
public:
    // timer1: search delay, timer2: auto-repeat of the arrows, timer3: column fit.
    SelectionForm(Session& s, MessageBox& box, Timer& timer1, Timer& timer2, Timer& timer3);

    SelectionModel& model() { return model_; }
    DragGesture& drag() { return drag_; }

    // What the window does for the form.
    std::function<void(int showRow)> onChanged;  // show the model; row -1 keeps the scroll
    std::function<void()> onFitColumn;
    std::function<void()> onRedrawPlot;          // lay out and draw the main window
    std::function<void()> onUnload;              // close the window

    void Load();
    void Activate(const std::string& search);
    void Resized();

    void SearchChanged(const std::string& text);
    // A search typed but not yet run (its delay is pending) runs now.
    void SettleSearch();
    // "Add" and Enter: the pending search first, so that the graphs are
    // those of the variables the typed text selects.
    void Add();
    // Adds the variables selected in the list as it is shown (a double
    // click or a drop acts on what the user sees).
    void AddShown();
    void Remove();
    void ClearOrReload();
    void Apply();
    void Close();
    void Cancel();
    // Escape from anywhere; true when the key was swallowed.
    bool Escape();
    // The window goes, for whatever reason; top and left in twips.
    void Unload(double top, double left);

    // Label edits of the variable list; the rename shows its refusal.
    bool MayStartRename(const std::string& editText);
    void NoteDownText(const std::string& text) { sDownTxt_ = text; }
    bool Rename(const std::string& editText, const std::string& newText);

    void HeaderClick(int h);
    void Drop(int row);
    // Arrows of the up/down control: pressed moves once and starts the
    // repeat (500 ms, then every 110 ms), released stops it.
    void ArrowPressed(bool down);
    void ArrowReleased();

private:
    void Changed(int row = -1);
    void RunSearch();
    void StepRepeat();

    Session& s_;
    MessageBox& box_;
    Timer& timer1_;
    Timer& timer2_;
    Timer& timer3_;
    SelectionModel model_;
    DragGesture drag_;
    std::string search_;
    std::string sDownTxt_;
    bool lDown_ = false;
    bool lInKey_ = false;
};

} // namespace zan
