// A spin control of two arrow buttons beside a number box: each press steps
// a value within its range and writes it into the box.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace zan {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(int minimum, int maximum, QLineEdit* buddy, QWidget* parent = nullptr);

    int value() const { return value_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // Takes the value without touching the box (the box changed first).
    void setValue(int value);
    void StepUp();
    void StepDown();

private:
    void Step(int delta);

    int minimum_;
    int maximum_;
    int value_;
    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace zan
