// The button bar under the picture: its controls in one row where the window
// is wide enough, else wrapped into as many rows as needed, so that no
// control is ever cut off. A label stays in the row of the box it names.
#pragma once

#include <vector>

namespace zan {

struct BarItem {
    int width = 0;
    int height = 0;
    bool keepWithPrevious = false;  // never the first of a row when it follows another item
    int gapBefore = 0;              // extra room before it, dropped at the start of a row
};

struct BarBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct BarPlacement {
    std::vector<BarBox> items;  // one per item, relative to the bar's top-left corner
    int width = 0;              // widest row
    int height = 0;             // all rows with the gaps between them
    int rows = 0;
};

// Items left to right with spacing pixels between them; an item that would
// end beyond available starts a new row, together with the items kept with
// it. Each row is centred in the widest row and its items centred on the
// row's height; rows are rowGap pixels apart. A group wider than available
// still gets a row of its own.
BarPlacement FlowBar(const std::vector<BarItem>& items, int available, int spacing, int rowGap);

// The width of the widest group of items that must stay in one row: the
// narrowest bar that still shows every control whole.
int NarrowestBar(const std::vector<BarItem>& items, int spacing);

}  // namespace zan
