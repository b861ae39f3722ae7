// What the buttons, check marks and number boxes of the main window show for
// the session (ButnStat), and how edits of the boxes change the session.
#pragma once

#include "session/session_state.h"

#include <string>

namespace zan {

struct CommandState {
    bool prev = false;      // "Prev"
    bool next = false;      // "Next"
    bool zoomOut = false;   // "Zoom Out"
    bool zoomIn = false;    // "Zoom In"
    bool panLeft = false;   // "<"
    bool panRight = false;  // ">"
    bool autoLoad = false;  // check marks
    bool autoNext = false;
    bool transpose = false;
    int marks = 0;   // the one checked entry of each choice menu
    int font = 0;
    int text = 0;
    int colour = 0;
    int last = 0;
    bool titScrn = false;
    bool titGrph = false;
    bool titLine = false;
    bool titXAxis = false;
    bool titYAxis = false;
    bool titFiles = false;
};

// Last page of the graphs: at least 1.
int LastPage(const Session& s);

CommandState ButnStat(const Session& s);

// A box's text as a whole number: blanks around an optional sign and digits
// only. Empty, fractional, non-numeric or out-of-int text gives false.
bool ReadBoxNumber(const std::string& text, int& value);

// A number box's value: the number its text starts with (after blanks, as
// far as it reads as one: "3x" is 3), rounded to the nearest whole number,
// halves to even ("2.6" is 3, "2.5" is 2). False for an empty text and for a
// value beyond the range of an int; a text without a number is 0.
bool ReadBoxValue(const std::string& text, int& value);

// "Draw Rate": a value 1..16000 (ReadBoxValue) becomes iStep. Returns true when the
// page must be drawn again. `shown` receives the text the box keeps, which
// is always iStep.
bool EditDrawRate(Session& s, const std::string& text, std::string& shown);

// The rate exponent box: the rate 10^e it offers for the "Draw Rate" box,
// or an empty text for an exponent outside 0..4.
std::string RateOfExponent(const std::string& text);

// "Cols" and "Rows": a value 1..6 (ReadBoxValue) different from the current count
// changes the grid, keeping at most three columns more than rows, and keeps
// the current graph current (its page is shown). Returns true when the grid
// changed; the boxes then show nCols and nRows, otherwise the edited box goes
// back to its count.
bool EditCols(Session& s, const std::string& text);
bool EditRows(Session& s, const std::string& text);

}  // namespace zan
