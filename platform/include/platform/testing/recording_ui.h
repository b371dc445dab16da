// Tests only: a platform::Ui that records every message box and progress call instead of showing
// them, answers Yes/No questions as scripted, and an installer that puts the previous UI back.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/cp932.h"
#include "platform/ui.h"

namespace platform::testing {

struct RecordedBox {
  std::string text;          // UTF-8
  std::string platformText;  // the text exactly as shown (code page 932)
  std::string caption;       // as shown
  Buttons buttons;
  Icon icon;
};

// What the progress windows were told, in order: "caption:...", "status:...", "counter:...",
// "range:low,high", "pos:p", "destroyed"; and "message" where a message box came between. Texts
// in UTF-8.
struct ProgressLog {
  std::vector<std::string> calls;
  int position = 0;
  // Called at each pump with the current position; returns the Cancel presses to report. Unset,
  // Cancel is never pressed.
  std::function<int(int position)> cancelPresses;
};

// Everything a RecordingUi records, and the answers it gives.
struct Recording {
  std::vector<RecordedBox> boxes;
  // Yes/No questions take these in order; once they run out, `defaultAnswer`. Ok boxes answer Ok.
  std::deque<Answer> answers;
  Answer defaultAnswer = Answer::No;
  ProgressLog progress;
  int quitHelpCalls = 0;
  // The other help calls, as "file|command|data"; each succeeds unless `helpFails`.
  std::vector<std::string> helpCalls;
  bool helpFails = false;
  std::vector<std::string> openedAddresses;  // as given

  // The texts of the message boxes shown so far, UTF-8.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const RecordedBox& box : boxes) texts.push_back(box.text);
    return texts;
  }
};

// Records into a Recording that outlives it.
class RecordingUi : public Ui {
 public:
  explicit RecordingUi(Recording& recording) : recording_(recording) {}

  Answer MessageBox(std::string_view text, std::string_view caption, Buttons buttons, Icon icon) override {
    recording_.boxes.push_back({Cp932ToUtf8(text), std::string(text), std::string(caption), buttons, icon});
    recording_.progress.calls.push_back("message");
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (recording_.answers.empty()) return recording_.defaultAnswer;
    const Answer answer = recording_.answers.front();
    recording_.answers.pop_front();
    return answer;
  }
  std::unique_ptr<ProgressView> CreateProgress() override { return std::make_unique<View>(recording_.progress); }
  bool WinHelp(std::string_view helpFile, HelpCommand command, unsigned long data) override {
    if (command == HelpCommand::Quit) {
      ++recording_.quitHelpCalls;
      return true;
    }
    recording_.helpCalls.push_back(std::string(helpFile) + "|" + std::to_string(static_cast<unsigned>(command)) +
                                   "|" + std::to_string(data));
    return !recording_.helpFails;
  }
  bool OpenAddress(std::string_view address) override {
    recording_.openedAddresses.emplace_back(address);
    return true;
  }
  bool HasDisplay() const override { return false; }

 private:
  class View : public ProgressView {
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
    void Log(const char* what, std::string_view text) { log_.calls.push_back(what + Cp932ToUtf8(text)); }
    ProgressLog& log_;
  };

  Recording& recording_;
};

// Installs a RecordingUi over this object's own Recording; the previous UI comes back on
// destruction.
class ScopedRecordingUi : public Recording {
 public:
  ScopedRecordingUi() : previous_(InstallUi(std::make_unique<RecordingUi>(*this))) {}
  ~ScopedRecordingUi() { InstallUi(std::move(previous_)); }
  ScopedRecordingUi(const ScopedRecordingUi&) = delete;
  ScopedRecordingUi& operator=(const ScopedRecordingUi&) = delete;

 private:
  std::unique_ptr<Ui> previous_;
};

}  // namespace platform::testing
