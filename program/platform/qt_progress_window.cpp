#include "platform/qt_progress_window.h"

#include <QFont>
#include <QVBoxLayout>

namespace zan {

QtProgressWindow::QtProgressWindow(QWidget* parent)
    : window_(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    auto* layout = new QVBoxLayout(&window_);  // owned by window_
    auto* product = new QLabel("Zan", &window_);
    QFont big = product->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    product->setFont(big);
    product->setAlignment(Qt::AlignCenter);
    label_ = new QLabel(&window_);
    label_->setAlignment(Qt::AlignCenter);
    label_->setMinimumWidth(220);
    layout->addWidget(product);
    layout->addWidget(label_);
    window_.setWindowModality(Qt::NonModal);
}

void QtProgressWindow::show()
{
    window_.show();
    window_.raise();
    window_.repaint();
}

void QtProgressWindow::setLabel(const std::string& text)
{
    label_->setText(QString::fromStdString(text));
    if (window_.isVisible()) label_->repaint();
}

void QtProgressWindow::hide() { window_.hide(); }

std::string QtProgressWindow::label() const { return label_->text().toStdString(); }

bool QtProgressWindow::isVisible() const { return window_.isVisible(); }

}  // namespace zan
