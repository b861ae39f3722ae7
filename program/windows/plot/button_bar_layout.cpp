#include "windows/plot/button_bar_layout.h"

#include <QWidget>

#include <algorithm>
#include <climits>

namespace zan {

namespace {

constexpr int kRowGap = 2;

}  // namespace

ButtonBarLayout::ButtonBarLayout(QWidget* parent) : QLayout(parent) {}

ButtonBarLayout::~ButtonBarLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void ButtonBarLayout::addWidget(QWidget* widget, bool keepWithPrevious)
{
    nextKept_ = keepWithPrevious;
    QLayout::addWidget(widget);
}

void ButtonBarLayout::addItem(QLayoutItem* item)
{
    items_.push_back({item, nextKept_, pendingGap_});
    nextKept_ = false;
    pendingGap_ = 0;
}

QLayoutItem* ButtonBarLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? items_[static_cast<size_t>(index)].item : nullptr;
}

QLayoutItem* ButtonBarLayout::takeAt(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem* item = items_[static_cast<size_t>(index)].item;
    items_.erase(items_.begin() + index);
    return item;
}

std::vector<BarItem> ButtonBarLayout::Items() const
{
    std::vector<BarItem> items;
    for (const Entry& e : items_) {
        // Hidden controls take no room.
        if (e.item->isEmpty())
            continue;
        const QSize size = e.item->sizeHint();
        items.push_back({size.width(), size.height(), e.keepWithPrevious && !items.empty(), e.gapBefore});
    }
    return items;
}

BarPlacement ButtonBarLayout::Place(int width) const
{
    const QMargins m = contentsMargins();
    return FlowBar(Items(), width - m.left() - m.right(), spacing(), kRowGap);
}

QSize ButtonBarLayout::WithMargins(int width, int height) const
{
    const QMargins m = contentsMargins();
    return {width + m.left() + m.right(), height + m.top() + m.bottom()};
}

QSize ButtonBarLayout::sizeHint() const
{
    const BarPlacement p = FlowBar(Items(), INT_MAX, spacing(), kRowGap);
    return WithMargins(p.width, p.height);
}

QSize ButtonBarLayout::minimumSize() const
{
    const std::vector<BarItem> items = Items();
    const int narrowest = NarrowestBar(items, spacing());
    return WithMargins(narrowest, FlowBar(items, narrowest, spacing(), kRowGap).height);
}

int ButtonBarLayout::heightForWidth(int width) const
{
    const QMargins m = contentsMargins();
    return Place(width).height + m.top() + m.bottom();
}

void ButtonBarLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QMargins m = contentsMargins();
    const BarPlacement p = Place(rect.width());
    // The rows are centred in the rectangle as they are among themselves.
    const int left = rect.left() + m.left() + std::max(rect.width() - m.left() - m.right() - p.width, 0) / 2;
    const int top = rect.top() + m.top();
    size_t k = 0;
    for (const Entry& e : items_) {
        if (e.item->isEmpty())
            continue;
        const BarBox& b = p.items[k++];
        e.item->setGeometry(QRect(left + b.left, top + b.top, b.width, b.height));
    }
}

}  // namespace zan
