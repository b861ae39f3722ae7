// Editing of the graph rows: column-header clicks, drops of variables and
// moving the selected rows as one block.
#include "interact/selection_model.h"

#include <algorithm>

namespace zan {

void SelectionModel::HeaderClick(int h)
{
    if (h < 0 || h > kMaxLines + 1)
        return;
    if (h == 0) {
        for (SelRow& row : rows_)
            row.selected = true;
        ++rowsVersion_;
        return;
    }
    const auto first = std::find_if(items_.begin(), items_.end(), [](const SelItem& i) { return i.selected; });
    const int var = first == items_.end() ? 0 : first->var;
    if (first != items_.end() && (var < 1 || var > s_.nVar))
        return;  // the variable vanished with a reload of the data
    const std::string name = Name(var);
    if (name.empty() && h == 1)
        return;
    const size_t c = static_cast<size_t>(h - 1);
    // A cell belongs to the row when its column lies within X and the row's
    // lines; that decides, not whether its text happens to be empty.
    for (SelRow& row : rows_) {
        if (!row.selected)
            continue;
        const int n = row.nLine;
        if (!name.empty()) {
            if (h <= n + 1)
                row.cells[c] = {name, var};
            else if (h == n + 2 && n < kMaxLines) {
                row.cells.push_back({name, var});
                row.nLine = n + 1;
            }
        } else {
            if (n <= 1)
                continue;  // a row keeps at least one line
            if (h <= n + 1) {
                row.cells.erase(row.cells.begin() + static_cast<std::ptrdiff_t>(c));
                row.nLine = n - 1;
            }
        }
        Rebuild(row);
    }
    applyEnabled_ = true;
    ++rowsVersion_;
}

int SelectionModel::Drop(int pos, bool newRow, bool ctrl)
{
    int count = static_cast<int>(rows_.size());
    int p = pos < 0 || pos >= count ? count : pos;
    for (SelRow& row : rows_)
        row.selected = false;
    for (const SelItem& item : items_) {
        if (!item.selected || item.var < 1 || item.var > s_.nVar)
            continue;
        if (p >= count || newRow) {
            SelRow fresh;
            fresh.cells = {{Name(1), 1}};
            rows_.insert(rows_.begin() + p, std::move(fresh));
        }
        SelRow& row = rows_[static_cast<size_t>(p)];
        const int n = row.nLine + 1;
        if (n > kMaxLines)
            break;
        const std::string name = Name(item.var);
        row.title = StorableText(n == 1 ? name : row.title + " " + name);
        row.nLine = n;
        row.cells.push_back({name, item.var});
        row.selected = true;
        if (!ctrl)
            ++p;
        else
            newRow = false;
        count = static_cast<int>(rows_.size());
    }
    clearCaption_ = true;
    applyEnabled_ = true;
    ++rowsVersion_;
    return std::min(p, count - 1);
}

int SelectionModel::MoveUp()
{
    const auto a = std::find_if(rows_.begin(), rows_.end(), [](const SelRow& r) { return r.selected; });
    if (a == rows_.end())
        return -1;
    const auto start = a == rows_.begin() ? a : a - 1;
    // Rows before start are unselected; the block goes in front of the rest.
    std::stable_partition(start, rows_.end(), [](const SelRow& r) { return r.selected; });
    applyEnabled_ = true;
    ++rowsVersion_;
    return static_cast<int>(start - rows_.begin());
}

int SelectionModel::MoveDown()
{
    const auto b = std::find_if(rows_.rbegin(), rows_.rend(), [](const SelRow& r) { return r.selected; });
    if (b == rows_.rend())
        return -1;
    const int last = static_cast<int>(rows_.rend() - b) - 1;
    const int start = std::min(last + 2, static_cast<int>(rows_.size()));
    // Rows from start on are unselected; the block goes behind the rest.
    std::stable_partition(rows_.begin(), rows_.begin() + start, [](const SelRow& r) { return !r.selected; });
    applyEnabled_ = true;
    ++rowsVersion_;
    return std::max(start - 1, 0);
}

} // namespace zan
