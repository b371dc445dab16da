#include "platform/ui.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "console_streams_for_test.h"

namespace platform {
namespace {

class RecordingUi : public Ui {
 public:
  explicit RecordingUi(std::vector<std::string>& log) : log_(log) {}
  Answer MessageBox(std::string_view text, std::string_view caption, Buttons, Icon icon) override {
    log_.push_back(std::string(caption) + "|" + std::string(text) + "|" + std::to_string(static_cast<int>(icon)));
    return Answer::Yes;
  }
  std::unique_ptr<ProgressView> CreateProgress() override { return nullptr; }
  bool WinHelp(std::string_view, HelpCommand, unsigned long) override { return true; }
  bool OpenAddress(std::string_view) override { return false; }
  bool HasDisplay() const override { return true; }

 private:
  std::vector<std::string>& log_;
};

TEST(Ui, InstalledUiTakesTheMessagesUntilTheConsoleIsRestored) {
  std::vector<std::string> log;
  const auto previous = InstallUi(std::make_unique<RecordingUi>(log));
  ASSERT_NE(previous, nullptr);
  EXPECT_FALSE(previous->HasDisplay());  // the console was current before
  EXPECT_TRUE(CurrentUi().HasDisplay());
  EXPECT_EQ(MessageBox("text", "caption"), Answer::Yes);
  EXPECT_EQ(log, std::vector<std::string>{"caption|text|0"});  // the exclamation icon by default

  const auto recording = InstallUi(nullptr);
  EXPECT_TRUE(recording->HasDisplay());
  EXPECT_FALSE(CurrentUi().HasDisplay());
  testing_support::ConsoleStreams streams("");
  EXPECT_EQ(MessageBox("text", "caption", Buttons::YesNo), Answer::No);
  EXPECT_EQ(log.size(), 1u);
  EXPECT_EQ(streams.Error(), "caption: text [y/n] \n");
}

TEST(Ui, DisplayIsAvailableWhenAnyDisplayVariableIsSet) {
  const char* names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
  std::vector<std::optional<std::string>> saved;
  for (const char* name : names) {
    const char* value = std::getenv(name);
    saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    unsetenv(name);
  }
  EXPECT_FALSE(DisplayAvailable());
  for (const char* name : names) {
    setenv(name, "", 1);
    EXPECT_FALSE(DisplayAvailable()) << name << " empty";
    setenv(name, ":0", 1);
    EXPECT_TRUE(DisplayAvailable()) << name;
    unsetenv(name);
  }
  for (std::size_t i = 0; i < saved.size(); ++i) {
    if (saved[i]) setenv(names[i], saved[i]->c_str(), 1);
  }
}

}  // namespace
}  // namespace platform
