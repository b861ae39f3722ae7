// The layout of the button bar: one row where there is room, wrapped rows in
// a narrow window (see render/bar_flow.h for the rules).
#pragma once

#include "render/bar_flow.h"

#include <QLayout>

#include <vector>

namespace zan {

class ButtonBarLayout : public QLayout {
public:
    explicit ButtonBarLayout(QWidget* parent = nullptr);
    ~ButtonBarLayout() override;

    // keepWithPrevious: the widget never starts a row after the one before it.
    void addWidget(QWidget* widget, bool keepWithPrevious);
    using QLayout::addWidget;
    // Extra room before the next item added.
    void addGap(int pixels) { pendingGap_ += pixels; }

    // The bar placed within width; height and rows tell how much room it needs.
    BarPlacement Place(int width) const;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;       // everything in one row
    QSize minimumSize() const override;    // as narrow as the widest group allows
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;
    Qt::Orientations expandingDirections() const override { return {}; }

private:
    struct Entry {
        QLayoutItem* item;
        bool keepWithPrevious;
        int gapBefore;
    };
    std::vector<BarItem> Items() const;
    QSize WithMargins(int width, int height) const;

    std::vector<Entry> items_;
    int pendingGap_ = 0;
    bool nextKept_ = false;
};

}  // namespace zan
