// What the move window "Move Line" does, without its widgets: the lists of
// files and lines, the shift and factor of the chosen line as the boxes show
// them, the step buttons, typed values, "All Files" and "Clear All". Every
// value lives in the data library; nothing is kept here but the choice.
#pragma once

#include "session/data_library.h"
#include "session/session_state.h"

#include <functional>
#include <string>
#include <vector>

namespace zan {

// The step buttons, by their control index.
enum : int { kStepDownLarge = 0, kStepUpLarge = 1, kStepDown = 2, kStepUp = 3 };
// The value boxes, by their control index.
enum : int { kShiftBox = 0, kFactorBox = 1 };

class MoveLines {
public:
    MoveLines(Session& s, DataLibrary& library) : s_(s), library_(library) {}

    // Fills the lists (files by name; lines up to the first without a name,
    // at most 5000), chooses the first of each, takes "All Files" from the
    // session and shows the chosen line's values.
    void Load();

    const std::vector<std::string>& files() const { return files_; }
    const std::vector<std::string>& lines() const { return lines_; }
    // The chosen file and line, from 1.
    int file() const { return file_; }
    int line() const { return line_; }
    void ChooseFile(int f);
    void ChooseLine(int v);
    bool allFiles() const { return s_.iMall != 0; }
    void SetAllFiles(bool on);

    // The texts of the shift and factor boxes.
    const std::string& shiftText() const { return shiftText_; }
    const std::string& factorText() const { return factorText_; }
    void ShowParam();

    // "<<", ">>", "<" and ">": the shift of the line moves by a twentieth of
    // its axis span (a four-hundredth for the small steps) in every file in
    // scope that has it. A box typed into is confirmed first, as leaving it
    // would, so the step starts from the typed value.
    void Step(int button);
    // "C": every shift 0 and every factor 1, in every file (after confirming
    // a box typed into, like the steps).
    void ClearAll();
    // Enter in a box, or leaving it: an edited, non-empty text is applied to
    // the files in scope; the boxes then show what the library holds.
    void Confirm(int box, const std::string& text, bool edited);

    // Typing in a box: its text as it now stands (as it was when the key was
    // refused). The box counts as edited until it is confirmed.
    void Edit(int box, const std::string& text);
    // The box typed into since its value was last applied, or -1.
    int editedBox() const { return editedBox_; }
    // Enter in a box, or leaving it, with its text: Confirm, edited when it
    // is the box typed into; afterwards no box is edited.
    void ConfirmBox(int box, const std::string& text);

    // Asked for after every change, with the delay in milliseconds.
    std::function<void(int)> drawDelayed;

private:
    std::vector<int> Scope() const;
    void SetParam(int box, double value);
    void Redraw(int delay);
    void ConfirmEdited();

    Session& s_;
    DataLibrary& library_;
    std::vector<std::string> files_;
    std::vector<std::string> lines_;
    int file_ = 1;
    int line_ = 1;
    std::string shiftText_;
    std::string factorText_;
    int editedBox_ = -1;
    std::string editedText_;
};

// A value as the boxes show it: the shortest decimal form, a blank in the
// place of the sign for values that are not negative, no zero before the
// point of a magnitude below 1 (" 2", " .5", "-1.5").
std::string ValueText(double value);

// The number at the start of a typed text, as far as it reads as one (a
// comma ends it); 0 when none.
double NumericValue(const std::string& text);

// After Enter the boxes take only '+', ',', '-', '.', '/', the digits and
// backspace.
bool KeptAfterEnter(int code);

}  // namespace zan
