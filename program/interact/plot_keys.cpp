#include "interact/plot_keys.h"

#include "interact/command_state.h"
#include "interact/zoom_history.h"

#include <algorithm>

namespace zan {

namespace {

// Sets the page; redraws when it changed.
void GoToPage(Session& s, KeyHost& host, int page)
{
    page = std::max(page, 1);
    if (page == s.iPage) return;
    s.iPage = page;
    host.Redraw();
}

// Runs one key of the table; false for a key outside it.
bool RunKey(Session& s, KeyHost& host, int keyCode)
{
    switch (keyCode) {
    case kKeyPageUp:
    case kKeyUp:
        GoToPage(s, host, s.iPage - 1);
        return true;
    case kKeyPageDown:
    case kKeyDown:
        GoToPage(s, host, std::min(s.iPage + 1, LastPage(s)));
        return true;
    case kKeyEnd:
        GoToPage(s, host, s.iPage == 1 ? LastPage(s) : 1);
        return true;
    case kKeyHome:
        if (s.bGrph != 0) {
            const int page = s.iPage;
            SetPage(s);
            const int target = s.iPage;
            s.iPage = page;
            GoToPage(s, host, target);
        } else {
            GoToPage(s, host, 1);
        }
        return true;
    case kKeyLeft:
        LftZoom(s);
        break;
    case kKeyRight:
        RgtZoom(s);
        break;
    case kKeyInsert:
    case kKeyPad0:
    case kKeyPadDivide:
        MaxZoom(s);
        break;
    case kKeyDelete:
    case kKeyPadMultiply:
    case kKeyPadDecimal:
        MinZoom(s);
        break;
    case kKeyPadAdd:
        NxtZoom(s);
        break;
    case kKeyPadSubtract:
        PrvZoom(s);
        break;
    case kKeyF3:
        host.ShowSelect();
        return true;
    default:
        return false;
    }
    host.Redraw();
    return true;
}

}  // namespace

int FormKeyDown(Session& s, KeyHost& host, int keyCode)
{
    if (s.bKeyb) return 0;
    s.bKeyb = true;
    const bool handled = RunKey(s, host, keyCode);
    s.bKeyb = false;
    return handled ? 0 : keyCode;
}

}  // namespace zan
