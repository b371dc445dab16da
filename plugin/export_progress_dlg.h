// The progress dialog of an export run: a status line, a counter of documents done out of the
// total with a percentage, a bar, and a Cancel button. It is modeless: the run calls it between
// documents, and it handles the pending events then. In the console, Ctrl+C is the Cancel button
// for as long as the dialog exists.
#pragma once

#include <platform/coarse_clock.h>
#include <platform/ui.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "plugin/interrupt_cancel.h"

class CExportProgressDlg {
 public:
  CExportProgressDlg() = default;
  CExportProgressDlg(const CExportProgressDlg&) = delete;
  CExportProgressDlg& operator=(const CExportProgressDlg&) = delete;
  ~CExportProgressDlg();

  // Shows the dialog, captioned "書き出し中...", with the range 0..100 at 0: a window built from
  // its template where there is a display, else the platform's console progress. Returns false
  // when there is none; every later call then does nothing but report Cancel and Ctrl+C.
  bool Create();
  void DestroyWindow();

  // `text` is platform text.
  void SetStatusText(std::string_view text);
  // `high` is the total shown in the counter; the range must not be empty when SetPos is called.
  void SetRange(int low, int high);
  // Handles pending events, moves the bar and updates the counter "p/high文書 (n%)"; returns the
  // previous position. The counter changes with every change of its percentage, at `high`, and
  // otherwise at most every kCounterInterval, as fast as anybody reads it.
  int SetPos(int pos);
  // Handles pending events; true once for every press (or presses) of Cancel since the last call.
  bool CheckCancel();

 private:
  void PumpMessages();
  void UpdateCounterText(int pos);

  std::unique_ptr<platform::ProgressView> view_;
  InterruptCancel interrupt_;
  int low_ = 0;
  int high_ = 100;
  int pos_ = 0;
  bool cancel_ = false;
  std::string counterText_;
  std::int64_t counterPercent_ = -1;
  platform::CoarseClock::time_point counterTime_;
};

inline constexpr std::chrono::milliseconds kCounterInterval{50};

// The counter's percentage for position `pos` of low..high: truncated, and taken modulo 100 unless
// it is exactly 100.
std::int64_t ProgressPercent(int pos, int low, int high);

// The counter text for position `pos` of low..high: "%d/%d文書 (%d%%)", with ProgressPercent.
// Platform text.
std::string ProgressCounterText(int pos, int low, int high);
