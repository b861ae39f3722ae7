#include "platform/qt_progress_window.h"

#include <QFont>
#include <QVBoxLayout>

namespace zan {

QtProgressWindow::QtProgressWindow(QWidget* parent)
    : window_(new QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint))
{
    auto* layout = new QVBoxLayout(window_.data());  // owned by window_
    auto* product = new QLabel("Zan", window_.data());
    QFont big = product->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    product->setFont(big);
    product->setAlignment(Qt::AlignCenter);
    label_ = new QLabel(window_.data());
    label_->setAlignment(Qt::AlignCenter);
    label_->setMinimumWidth(220);
    file_ = new QLabel(window_.data());
    file_->setAlignment(Qt::AlignCenter);
    bar_ = new QProgressBar(window_.data());
    bar_->setRange(0, 100);
    cancel_ = new QPushButton("Cancel", window_.data());
    cancel_->setToolTip("Stop loading");
    QObject::connect(cancel_, &QPushButton::clicked, [this] { cancelled_ = true; });
    layout->addWidget(product);
    layout->addWidget(label_);
    layout->addWidget(file_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_, 0, Qt::AlignCenter);
    file_->hide();
    bar_->hide();
    cancel_->hide();
    window_->setWindowModality(Qt::NonModal);
}

QtProgressWindow::~QtProgressWindow()
{
    delete window_.data();
}

void QtProgressWindow::show()
{
    if (!window_) return;  // gone with its parent
    window_->show();
    window_->raise();
    window_->repaint();
}

void QtProgressWindow::setLabel(const std::string& text)
{
    if (!window_) return;  // gone with its parent
    label_->setText(QString::fromStdString(text));
    if (window_->isVisible()) label_->repaint();
}

void QtProgressWindow::setLoad(const std::string& fileName, int percent)
{
    if (!window_) return;  // gone with its parent
    file_->setText(QString::fromStdString(fileName));
    bar_->setValue(percent);
    if (cancel_->isHidden() || !window_->isVisible()) {
        // Modality only changes while the window is hidden.
        window_->hide();
        window_->setWindowModality(Qt::ApplicationModal);
        file_->show();
        bar_->show();
        cancel_->show();
        show();
    }
}

void QtProgressWindow::hide()
{
    if (!window_) return;  // gone with its parent
    window_->hide();
    window_->setWindowModality(Qt::NonModal);
    file_->hide();
    bar_->hide();
    cancel_->hide();
    cancelled_ = false;
}

std::string QtProgressWindow::label() const { return window_ ? label_->text().toStdString() : std::string(); }

bool QtProgressWindow::isVisible() const { return window_ && window_->isVisible(); }

std::string QtProgressWindow::fileName() const { return window_ ? file_->text().toStdString() : std::string(); }

int QtProgressWindow::percent() const { return window_ ? bar_->value() : 0; }

}  // namespace zan
