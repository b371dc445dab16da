#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>
#include <cstdint>
#include <memory>
#include <string>

#include "console_io.h"
#include "platform/cp932.h"
#include "platform/help_file.h"
#include "platform/help_viewer.h"
#include "platform/ui.h"

namespace platform {
namespace {

// A text bar on standard error, drawn only when standard error is a terminal; a redirected
// standard error gets no progress at all.
class ConsoleProgress : public ProgressView {
 public:
  ~ConsoleProgress() override {
    if (drawn_) WriteToStandardError("\n");
  }
  void SetCaption(std::string_view) override {}
  void SetStatusText(std::string_view text) override {
    status_ = text;
    Draw();
  }
  void SetCounterText(std::string_view text) override {
    counter_ = text;
    Draw();
  }
  void SetRange(int low, int high) override {
    low_ = low;
    high_ = high;
    Draw();
  }
  void SetPos(int pos) override {
    const int shown = Percent();
    pos_ = pos;
    if (Percent() != shown) Draw();  // only the percentage shows the position
  }
  int PumpMessages() override { return 0; }

 private:
  static constexpr int kBarWidth = 30;

  int Percent() const {
    if (high_ <= low_) return 0;
    const std::int64_t done =
        std::clamp<std::int64_t>(std::int64_t{pos_} - low_, 0, std::int64_t{high_} - low_);
    return static_cast<int>(done * 100 / (std::int64_t{high_} - low_));
  }

  void Draw() {
    if (!terminal_) return;
    const int percent = Percent();
    const int filled = percent * kBarWidth / 100;
    std::string line = "\r[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
                       std::to_string(percent) + "% " + counter_ + " " + status_ + "\x1b[K";
    if (line == lastLine_) return;
    WriteToStandardError(line);
    lastLine_ = std::move(line);
    drawn_ = true;
  }

  const bool terminal_ = StandardErrorIsTerminal();
  std::string status_, counter_, lastLine_;
  int low_ = 0, high_ = 100, pos_ = 0;
  bool drawn_ = false;
};

bool StartsWithLetter(const std::string& line, char lower) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first != std::string::npos && (line[first] == lower || line[first] == lower - 'a' + 'A');
}

class ConsoleUi : public Ui {
 public:
  Answer MessageBox(std::string_view text, std::string_view caption, Buttons buttons, Icon) override {
    std::string message = std::string(caption) + ": " + std::string(text);
    if (buttons == Buttons::Ok) {
      WriteToStandardError(message + "\n");
      return Answer::Ok;
    }
    WriteToStandardError(message + " [y/n] ");
    for (;;) {
      const auto line = ReadStandardInputLine();
      if (!line) {
        WriteToStandardError("\n");
        return Answer::No;
      }
      if (StartsWithLetter(*line, 'y')) return Answer::Yes;
      if (StartsWithLetter(*line, 'n')) return Answer::No;
      WriteToStandardError("[y/n] ");
    }
  }
  std::unique_ptr<ProgressView> CreateProgress() override { return std::make_unique<ConsoleProgress>(); }
  // With a display the help viewer shows it; on a terminal alone the topic is printed.
  bool WinHelp(std::string_view helpFile, HelpCommand command, unsigned long data) override {
    if (command == HelpCommand::ContextPopup) return true;
    if (DisplayAvailable()) return AskHelpViewer(helpFile, command, data);
    if (command == HelpCommand::Quit) return true;
    const std::optional<std::vector<HelpTopic>> topics = ReadHelpFile(helpFile);
    if (!topics) return false;
    const HelpTopic* topic = FindHelpTopic(*topics, command == HelpCommand::Context ? data : 0);
    if (!topic) topic = &topics->front();
    const std::string text = Cp932ToLocale(Utf8ToCp932("\n" + topic->title + "\n" + topic->text + "\n"));
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    return true;
  }
  bool OpenAddress(std::string_view address) override {
    WriteToStandardError(std::string(address) + "\n");
    return false;
  }
  bool HasDisplay() const override { return false; }
};

}  // namespace

std::unique_ptr<Ui> MakeConsoleUi() { return std::make_unique<ConsoleUi>(); }

}  // namespace platform
