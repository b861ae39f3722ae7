#include "interact/command_state.h"

#include "interact/zoom_history.h"
#include "platform/number_format.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace zan {

int LastPage(const Session& s)
{
    const int cells = std::max(s.nCell, 1);
    return std::max((s.nGrph + cells - 1) / cells, 1);
}

CommandState ButnStat(const Session& s)
{
    CommandState c;
    c.prev = s.iPage != 1;
    c.next = s.iPage != LastPage(s);
    c.zoomOut = s.iZlvl != 1;
    c.zoomIn = s.iZlvl < s.mZlvl;
    c.panLeft = CanPanLeft(s);
    c.panRight = CanPanRight(s);
    c.autoLoad = s.iAuto != 0;
    c.autoNext = s.iNext != 0;
    c.transpose = s.iTran != 0;
    c.marks = s.iMark;
    c.font = s.iFont;
    c.text = s.iFsiz;
    c.colour = s.iFclr;
    c.last = s.iLast;
    c.titScrn = s.iTitScrn == 1;
    c.titGrph = s.iTitGrph == 1;
    c.titLine = s.iTitLine == 1;
    c.titXAxis = s.iTitXAxis == 1;
    c.titYAxis = s.iTitYAxis == 1;
    c.titFiles = s.iTitFiles == 1;
    return c;
}

bool ReadBoxNumber(const std::string& text, int& value)
{
    size_t i = text.find_first_not_of(" \t");
    const size_t end = text.find_last_not_of(" \t");
    if (i == std::string::npos) return false;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    if (i > end) return false;
    long long v = 0;
    for (; i <= end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        v = v * 10 + (text[i] - '0');
        if (v > INT_MAX) return false;
    }
    value = static_cast<int>(negative ? -v : v);
    return true;
}

bool ReadBoxValue(const std::string& text, int& value)
{
    if (text.empty()) return false;
    const double v = roundHalfEven(leadingNumber(text));
    if (!(v >= INT_MIN && v <= INT_MAX)) return false;
    value = static_cast<int>(v);
    return true;
}

bool EditDrawRate(Session& s, const std::string& text, std::string& shown)
{
    int v = 0;
    bool apply = ReadBoxValue(text, v) && v >= 1 && v <= kMaxStep && v != s.iStep;
    if (apply) s.iStep = v;
    shown = std::to_string(s.iStep);
    return apply;
}

std::string RateOfExponent(const std::string& text)
{
    int e = 0;
    if (!ReadBoxNumber(text, e) || e < 0 || e > 4) return {};
    int rate = 1;
    for (int k = 0; k < e; ++k) rate *= 10;
    return std::to_string(rate);
}

namespace {

void KeepCurrentGraph(Session& s)
{
    s.nCell = s.nCols * s.nRows;
    SetPage(s);
    SetWind(s);
}

}  // namespace

bool EditCols(Session& s, const std::string& text)
{
    int v = 0;
    if (!ReadBoxValue(text, v) || v < 1 || v > kMaxGridSide || v == s.nCols) return false;
    s.nCols = v;
    s.nRows = std::max(v - 3, s.nRows);
    KeepCurrentGraph(s);
    return true;
}

bool EditRows(Session& s, const std::string& text)
{
    int v = 0;
    if (!ReadBoxValue(text, v) || v < 1 || v > kMaxGridSide || v == s.nRows) return false;
    s.nRows = v;
    s.nCols = std::min(s.nCols, v + 3);
    KeepCurrentGraph(s);
    return true;
}

}  // namespace zan
