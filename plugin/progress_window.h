// The progress dialog's window where there is a display: dialog 1011 of the resources, modeless,
// with the window it was opened over disabled for as long as it exists.
#pragma once

#include <platform/coarse_clock.h>
#include <platform/ui.h>

#include <QDialog>
#include <QPointer>
#include <string>

class QLabel;
class QProgressBar;

class ProgressWindow final : public QDialog, public platform::ProgressView {
 public:
  // Shows the window. Its owner (platform::qt::SafeOwner), when there is one and it is enabled, is
  // disabled until the window is destroyed.
  ProgressWindow();
  ~ProgressWindow() override;

  void SetCaption(std::string_view text) override;
  void SetStatusText(std::string_view text) override;
  void SetCounterText(std::string_view text) override;
  void SetRange(int low, int high) override;
  void SetPos(int pos) override;
  // Shows the counter text and the position last set and handles the pending events, at most
  // every 20 ms; returns the presses of Cancel, Escape and the close box since the last call.
  int PumpMessages() override;

  // The window stays: Cancel, Escape and the close box only count, OK does nothing.
  void reject() override;
  void accept() override {}

 protected:
  // F1 opens the window's help topic, Shift+F1 asks which control to explain.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::string counterText_;  // shown at the next dispatch
  int pos_ = 0;
  QLabel* status_;
  QLabel* counter_;
  QProgressBar* bar_;
  static constexpr std::chrono::milliseconds kPumpInterval{20};
  QPointer<QWidget> disabledOwner_;
  platform::CoarseClock::time_point lastPump_;  // the epoch before the first
  int cancelPresses_ = 0;
};
