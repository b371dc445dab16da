// The progress window of an export: caption, status line, counter, bar and a Cancel button.
#pragma once

#include <platform/ui.h>

#include <QWidget>

class QLabel;
class QProgressBar;

namespace platform::qt {

// Shown from construction on, without an owner window. Cancel, Escape and the close box each
// count one press; the window stays until it is destroyed.
class ProgressWindow final : public QWidget, public ProgressView {
 public:
  ProgressWindow();

  void SetCaption(std::string_view text) override;
  void SetStatusText(std::string_view text) override;
  void SetCounterText(std::string_view text) override;
  void SetRange(int low, int high) override;
  void SetPos(int pos) override;
  int PumpMessages() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* status_;
  QLabel* counter_;
  QProgressBar* bar_;
  int cancelPresses_ = 0;
};

}  // namespace platform::qt
