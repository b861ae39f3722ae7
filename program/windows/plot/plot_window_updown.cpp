#include "windows/plot/plot_window_updown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zan {

UpDown::UpDown(int minimum, int maximum, QLineEdit* buddy, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), value_(minimum), buddy_(buddy)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setFixedSize(16, 11);
        layout->addWidget(button);
    }
    connect(up_, &QToolButton::clicked, this, &UpDown::StepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::StepDown);
}

void UpDown::setValue(int value)
{
    value_ = std::clamp(value, minimum_, maximum_);
}

void UpDown::StepUp() { Step(+1); }
void UpDown::StepDown() { Step(-1); }

void UpDown::Step(int delta)
{
    const int next = std::clamp(value_ + delta, minimum_, maximum_);
    if (next == value_)
        return;
    value_ = next;
    if (buddy_)
        buddy_->setText(QString::number(value_));
}

} // namespace zan
