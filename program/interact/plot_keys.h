// The keys of the main plot window: pages, panning, the zoom history and the
// variable selection window.
#pragma once

#include "session/session_state.h"

namespace zan {

// Key codes of the window's keyboard events.
enum KeyCode : int {
    kKeyPageUp = 33,
    kKeyPageDown = 34,
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyInsert = 45,
    kKeyDelete = 46,
    kKeyPad0 = 96,
    kKeyPadMultiply = 106,
    kKeyPadAdd = 107,
    kKeyPadSubtract = 109,
    kKeyPadDecimal = 110,
    kKeyPadDivide = 111,
    kKeyF3 = 114,
};

// What the window does around a key.
class KeyHost {
public:
    virtual ~KeyHost() = default;
    // Draws the page, then brings the commands in line.
    virtual void Redraw() = 0;
    // Opens the variable selection window.
    virtual void ShowSelect() {}
};

// Handles a key down. Returns the key code the controls still see: 0 for a
// key of the table (and for any key while another is being handled), the
// code itself for other keys. Page keys redraw only when the page changed,
// zoom keys always.
int FormKeyDown(Session& s, KeyHost& host, int keyCode);

}  // namespace zan
