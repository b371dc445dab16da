#include "plugin/export_progress_dlg.h"

#include <platform/cp932.h>
#include <platform/ui.h>

#include <charconv>
#include <cstdint>

#include "plugin/progress_window.h"
#include "resources/dialog_template.h"

namespace {

constexpr int kDefaultCaption = 1012;  // "書き出し中..."

void AppendNumber(std::string& text, std::int64_t n) {
  char digits[24];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

}  // namespace

std::int64_t ProgressPercent(int pos, int low, int high) {
  std::int64_t percent = 0;
  if (high != low) percent = (std::int64_t{pos} - low) * 100 / (std::int64_t{high} - low);
  return percent == 100 ? percent : percent % 100;
}

std::string ProgressCounterText(int pos, int low, int high) {
  static const std::string documents = platform::Utf8ToCp932("文書 (");
  const std::int64_t percent = ProgressPercent(pos, low, high);
  std::string text;
  text.reserve(48);
  AppendNumber(text, pos);
  text += '/';
  AppendNumber(text, high);
  text += documents;
  AppendNumber(text, percent);
  text += "%)";
  return text;
}

CExportProgressDlg::~CExportProgressDlg() { DestroyWindow(); }

bool CExportProgressDlg::Create() {
  platform::Ui& ui = platform::CurrentUi();
  view_ = ui.HasDisplay() ? std::make_unique<ProgressWindow>() : ui.CreateProgress();
  if (!view_) return false;
  view_->SetCaption(platform::Utf8ToCp932(resources::String(kDefaultCaption)));
  view_->SetRange(low_, high_);
  view_->SetPos(low_);
  pos_ = low_;
  return true;
}

void CExportProgressDlg::DestroyWindow() { view_.reset(); }

void CExportProgressDlg::SetStatusText(std::string_view text) {
  if (view_) view_->SetStatusText(text);
}

void CExportProgressDlg::SetRange(int low, int high) {
  low_ = low;
  high_ = high;
  counterPercent_ = -1;  // the next position shows its counter
  if (view_) view_->SetRange(low, high);
}

int CExportProgressDlg::SetPos(int pos) {
  PumpMessages();
  const int previous = pos_;
  pos_ = pos;
  if (view_) view_->SetPos(pos);
  UpdateCounterText(pos);
  return previous;
}

bool CExportProgressDlg::CheckCancel() {
  PumpMessages();
  const bool cancelled = cancel_;
  cancel_ = false;
  return cancelled;
}

void CExportProgressDlg::PumpMessages() {
  if (view_ && view_->PumpMessages() > 0) cancel_ = true;
  if (interrupt_.TakeInterrupts()) cancel_ = true;
}

void CExportProgressDlg::UpdateCounterText(int pos) {
  const std::int64_t percent = ProgressPercent(pos, low_, high_);
  const auto now = platform::CoarseClock::now();
  if (percent == counterPercent_ && pos != high_ && now - counterTime_ < kCounterInterval) return;
  counterPercent_ = percent;
  counterTime_ = now;
  std::string text = ProgressCounterText(pos, low_, high_);
  if (text == counterText_) return;
  counterText_ = std::move(text);
  if (view_) view_->SetCounterText(counterText_);
}
