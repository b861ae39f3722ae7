#include "render/bar_flow.h"

#include <algorithm>

namespace zan {

namespace {

// Runs of items that stay together: [first, last) of each group.
struct Group {
    size_t first = 0;
    size_t last = 0;
    int width = 0;     // of its items with the spacing inside
    int gapBefore = 0;
};

std::vector<Group> Groups(const std::vector<BarItem>& items, int spacing)
{
    std::vector<Group> groups;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i == 0 || !items[i].keepWithPrevious) {
            groups.push_back({i, i + 1, items[i].width, items[i].gapBefore});
            continue;
        }
        Group& g = groups.back();
        g.width += spacing + items[i].gapBefore + items[i].width;
        g.last = i + 1;
    }
    return groups;
}

}  // namespace

int NarrowestBar(const std::vector<BarItem>& items, int spacing)
{
    int widest = 0;
    for (const Group& g : Groups(items, spacing))
        widest = std::max(widest, g.width);
    return widest;
}

BarPlacement FlowBar(const std::vector<BarItem>& items, int available, int spacing, int rowGap)
{
    BarPlacement out;
    out.items.resize(items.size());
    const std::vector<Group> groups = Groups(items, spacing);

    // Rows of groups: [first, last) group indexes and the row's width.
    struct Row {
        size_t first = 0;
        size_t last = 0;
        int width = 0;
        int height = 0;
    };
    std::vector<Row> rows;
    for (size_t k = 0; k < groups.size(); ++k) {
        const Group& g = groups[k];
        if (!rows.empty()) {
            Row& row = rows.back();
            const long wider = static_cast<long>(row.width) + spacing + g.gapBefore + g.width;
            if (wider <= available) {
                row.width = static_cast<int>(wider);
                row.last = k + 1;
                continue;
            }
        }
        rows.push_back({k, k + 1, g.width, 0});
    }

    int top = 0;
    for (Row& row : rows) {
        for (size_t k = row.first; k < row.last; ++k)
            for (size_t i = groups[k].first; i < groups[k].last; ++i)
                row.height = std::max(row.height, items[i].height);
        out.width = std::max(out.width, row.width);
    }
    for (const Row& row : rows) {
        int x = (out.width - row.width) / 2;
        for (size_t k = row.first; k < row.last; ++k) {
            for (size_t i = groups[k].first; i < groups[k].last; ++i) {
                if (i != groups[row.first].first)
                    x += spacing + items[i].gapBefore;
                out.items[i] = {x, top + (row.height - items[i].height) / 2, items[i].width, items[i].height};
                x += items[i].width;
            }
        }
        top += row.height + rowGap;
    }
    out.rows = static_cast<int>(rows.size());
    out.height = rows.empty() ? 0 : top - rowGap;
    return out;
}

}  // namespace zan
