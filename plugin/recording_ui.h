// Tests only: a platform::Ui that records every message box and progress call instead of showing
// them, installed for the lifetime of the object.
#pragma once

#include <platform/cp932.h>
#include <platform/ui.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct RecordedMessage {
  std::string text;  // UTF-8
  std::string caption;
  platform::Buttons buttons;
  platform::Icon icon;
};

// What the progress windows were told, in order: "caption:...", "status:...", "counter:...",
// "range:low,high", "pos:p", "destroyed"; and "message" where a message box came between. Texts
// in UTF-8.
struct ProgressLog {
  std::vector<std::string> calls;
  int position = 0;
  // Called at each pump with the current position; returns the Cancel presses to report.
  std::function<int(int position)> cancelPresses;
};

class RecordingUi : public platform::Ui {
 public:
  explicit RecordingUi(std::vector<RecordedMessage>& messages, ProgressLog& progress)
      : messages_(messages), progress_(progress) {}

  platform::Answer MessageBox(std::string_view text, std::string_view caption, platform::Buttons buttons,
                              platform::Icon icon) override {
    messages_.push_back({platform::Cp932ToUtf8(text), std::string(caption), buttons, icon});
    progress_.calls.push_back("message");
    return buttons == platform::Buttons::Ok ? platform::Answer::Ok : platform::Answer::No;
  }
  std::unique_ptr<platform::ProgressView> CreateProgress() override { return std::make_unique<View>(progress_); }
  void ShowHelp(std::string_view, unsigned long) override {}
  void QuitHelp() override { ++quitHelpCalls; }
  bool HasDisplay() const override { return false; }

  int quitHelpCalls = 0;

 private:
  class View : public platform::ProgressView {
   public:
    explicit View(ProgressLog& log) : log_(log) {}
    ~View() override { log_.calls.push_back("destroyed"); }
    void SetCaption(std::string_view text) override { Log("caption:", text); }
    void SetStatusText(std::string_view text) override { Log("status:", text); }
    void SetCounterText(std::string_view text) override { Log("counter:", text); }
    void SetRange(int low, int high) override {
      log_.calls.push_back("range:" + std::to_string(low) + "," + std::to_string(high));
    }
    void SetPos(int pos) override {
      log_.position = pos;
      log_.calls.push_back("pos:" + std::to_string(pos));
    }
    int PumpMessages() override { return log_.cancelPresses ? log_.cancelPresses(log_.position) : 0; }

   private:
    void Log(const char* what, std::string_view text) { log_.calls.push_back(what + platform::Cp932ToUtf8(text)); }
    ProgressLog& log_;
  };

  std::vector<RecordedMessage>& messages_;
  ProgressLog& progress_;
};

// Installs a RecordingUi; the previous UI comes back on destruction.
class ScopedRecordingUi {
 public:
  ScopedRecordingUi() {
    auto ui = std::make_unique<RecordingUi>(messages, progress);
    ui_ = ui.get();
    previous_ = platform::InstallUi(std::move(ui));
  }
  ~ScopedRecordingUi() { platform::InstallUi(std::move(previous_)); }
  ScopedRecordingUi(const ScopedRecordingUi&) = delete;
  ScopedRecordingUi& operator=(const ScopedRecordingUi&) = delete;

  // The texts of the message boxes shown so far, UTF-8.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& message : messages) texts.push_back(message.text);
    return texts;
  }
  RecordingUi& ui() { return *ui_; }

  std::vector<RecordedMessage> messages;
  ProgressLog progress;

 private:
  RecordingUi* ui_ = nullptr;
  std::unique_ptr<platform::Ui> previous_;
};
