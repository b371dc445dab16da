#include "progress_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_ui.h"

namespace platform::qt {

ProgressWindow::ProgressWindow()
    : status_(new QLabel(this)), counter_(new QLabel(this)), bar_(new QProgressBar(this)) {
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  connect(cancel, &QPushButton::clicked, this, [this] { ++cancelPresses_; });
  bar_->setTextVisible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  layout->addWidget(counter_);
  layout->addWidget(bar_);
  layout->addWidget(cancel, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetNoConstraint);  // a size, not limits, for the window system
  resize(320, sizeHint().height());
  show();
}

void ProgressWindow::SetCaption(std::string_view text) { setWindowTitle(FromPlatformText(text)); }
void ProgressWindow::SetStatusText(std::string_view text) { status_->setText(FromPlatformText(text)); }
void ProgressWindow::SetCounterText(std::string_view text) { counter_->setText(FromPlatformText(text)); }
void ProgressWindow::SetRange(int low, int high) { bar_->setRange(low, high); }
void ProgressWindow::SetPos(int pos) { bar_->setValue(pos); }

int ProgressWindow::PumpMessages() {
  QCoreApplication::processEvents();
  const int presses = cancelPresses_;
  cancelPresses_ = 0;
  return presses;
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  ++cancelPresses_;
  event->ignore();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    ++cancelPresses_;
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace platform::qt
