#include "plugin/progress_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWhatsThis>

#include "messages/app_help.h"
#include "platform/qt/qt_ui.h"
#include "resources/dialog_builder.h"

namespace {

constexpr unsigned long kHelpContext = 0x20000 + resources::kProgressDialog;

}  // namespace

ProgressWindow::ProgressWindow() {
  const resources::DialogTemplate& dialog = resources::Dialog(resources::kProgressDialog);
  resources::BuildControls(dialog, *this);
  status_ = qobject_cast<QLabel*>(resources::FindControl(*this, 1005));
  counter_ = qobject_cast<QLabel*>(resources::FindControl(*this, 1004));
  bar_ = qobject_cast<QProgressBar*>(resources::FindControl(*this, 1003));
  auto* cancel = qobject_cast<QPushButton*>(resources::FindControl(*this, 2));
  connect(cancel, &QPushButton::clicked, this, [this] { ++cancelPresses_; });

  QWidget* owner = platform::qt::SafeOwner();
  if (owner && owner->isEnabled()) {
    owner->setEnabled(false);
    disabledOwner_ = owner;
  }
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  show();
}

ProgressWindow::~ProgressWindow() {
  if (disabledOwner_) disabledOwner_->setEnabled(true);
}

void ProgressWindow::SetCaption(std::string_view text) { setWindowTitle(platform::qt::FromPlatformText(text)); }
void ProgressWindow::SetStatusText(std::string_view text) { status_->setText(platform::qt::FromPlatformText(text)); }
void ProgressWindow::SetCounterText(std::string_view text) { counterText_.assign(text); }
void ProgressWindow::SetRange(int low, int high) { bar_->setRange(low, high); }
void ProgressWindow::SetPos(int pos) { pos_ = pos; }

int ProgressWindow::PumpMessages() {
  // Showing the counter and the bar, dispatching and painting take longer than rendering a
  // document: they happen at most every kPumpInterval, which keeps the window current and
  // responsive without slowing the export.
  const auto now = platform::CoarseClock::now();
  if (now - lastPump_ >= kPumpInterval) {
    counter_->setText(platform::qt::FromPlatformText(counterText_));
    bar_->setValue(pos_);
    QCoreApplication::processEvents();
    lastPump_ = now;
  }
  const int presses = cancelPresses_;
  cancelPresses_ = 0;
  return presses;
}

void ProgressWindow::reject() { ++cancelPresses_; }

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_F1) return QDialog::keyPressEvent(event);
  if (event->modifiers() & Qt::ShiftModifier) {
    QWhatsThis::enterWhatsThisMode();
  } else {
    AppWinHelp(kHelpContext, platform::HelpCommand::Context);
  }
}
