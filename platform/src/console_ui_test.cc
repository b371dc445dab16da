#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "console_streams_for_test.h"
#include "platform/files.h"
#include "platform/ui.h"

namespace platform {
namespace {

using testing_support::ConsoleStreams;
using testing_support::TerminalError;

#define SO "\x83\x5C"    // ソ
#define HYO "\x95\x5C"   // 表
#define JI "\x8E\xA6"    // 示

TEST(ConsoleUi, OkBoxWritesCaptionAndTextInTheLocalesCharacterSet) {
  ConsoleStreams streams("y\n");
  const auto ui = MakeConsoleUi();
  EXPECT_EQ(ui->MessageBox(HYO JI "\n" SO, "nVorpel", Buttons::Ok, Icon::Error), Answer::Ok);
  EXPECT_EQ(streams.Error(), "nVorpel: 表示\nソ\n");
  EXPECT_EQ(streams.UnreadInput(), "y\n");  // an OK box asks nothing
}

TEST(ConsoleUi, YesNoIsAnsweredFromStandardInput) {
  const struct {
    const char* input;
    Answer answer;
    const char* unread;
  } cases[] = {
      {"y\n", Answer::Yes, ""},
      {"Yes\nrest\n", Answer::Yes, "rest\n"},
      {"  N\r\n", Answer::No, ""},
      {"no", Answer::No, ""},
      {"", Answer::No, ""},
      {"maybe\n\ny\n", Answer::Yes, ""},
      {"maybe", Answer::No, ""},
  };
  for (const auto& c : cases) {
    ConsoleStreams streams(c.input);
    EXPECT_EQ(MakeConsoleUi()->MessageBox(SO "?", "nVorpel", Buttons::YesNo, Icon::Question), c.answer)
        << '"' << c.input << '"';
    EXPECT_EQ(streams.UnreadInput(), c.unread) << '"' << c.input << '"';
    EXPECT_EQ(streams.Error().rfind("nVorpel: ソ? [y/n] ", 0), 0u) << streams.Error();
  }
}

TEST(ConsoleUi, EachQuestionTakesOneLine) {
  ConsoleStreams streams("n\ny\n");
  const auto ui = MakeConsoleUi();
  EXPECT_EQ(ui->MessageBox("1", "c", Buttons::YesNo, Icon::Question), Answer::No);
  EXPECT_EQ(ui->MessageBox("2", "c", Buttons::YesNo, Icon::Question), Answer::Yes);
  EXPECT_EQ(ui->MessageBox("3", "c", Buttons::YesNo, Icon::Question), Answer::No);  // end of input
  EXPECT_EQ(streams.Error(), "c: 1 [y/n] c: 2 [y/n] c: 3 [y/n] \n");
}

void RunProgress(ProgressView& progress) {
  progress.SetCaption("nVorpel");
  progress.SetStatusText(HYO JI);
  progress.SetRange(0, 10);
  for (int pos = 0; pos <= 10; ++pos) {
    progress.SetCounterText(std::to_string(pos) + "/10");
    progress.SetPos(pos);
    progress.SetPos(pos);
    EXPECT_EQ(progress.PumpMessages(), 0);
  }
}

TEST(ConsoleUi, ProgressIsDrawnOnlyOnATerminal) {
  {
    ConsoleStreams streams("");
    auto progress = MakeConsoleUi()->CreateProgress();
    RunProgress(*progress);
    progress.reset();
    EXPECT_EQ(streams.Error(), "");
  }
  TerminalError terminal;
  ASSERT_TRUE(terminal.ready());
  auto progress = MakeConsoleUi()->CreateProgress();
  RunProgress(*progress);
  progress.reset();
  const std::string shown = terminal.Output();
  EXPECT_NE(shown.find("\r[..............................] 0% 0/10 表示"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\r[###############...............] 50% 5/10 表示"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\r[##############################] 100% 10/10 表示"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("50% 5/10 表示\x1b[K\r[###############...............] 50% 5/10"), std::string::npos)
      << "an unchanged bar is drawn again";
  EXPECT_EQ(shown.substr(shown.size() - 2), "\r\n");  // the line is finished when the view goes
}

TEST(ConsoleUi, ProgressSurvivesAnEmptyOrReversedRange) {
  TerminalError terminal;
  ASSERT_TRUE(terminal.ready());
  auto progress = MakeConsoleUi()->CreateProgress();
  progress->SetRange(5, 5);
  progress->SetPos(7);
  progress->SetRange(10, 0);
  progress->SetRange(0, 2000000000);
  progress->SetPos(-2000000000);
  progress->SetPos(2000000000);
  progress.reset();
  const std::string shown = terminal.Output();
  EXPECT_NE(shown.find(" 0% "), std::string::npos) << shown;
  EXPECT_NE(shown.find(" 100% "), std::string::npos) << shown;
}

// Without a display the topic is printed; there is nothing to close and no pop-up.
TEST(ConsoleUi, HelpOnATerminalPrintsTheTopic) {
  const char* const kDisplayVariables[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
  std::vector<std::pair<std::string, std::string>> saved;
  for (const char* name : kDisplayVariables)
    if (const char* value = std::getenv(name)) saved.emplace_back(name, value);
  for (const char* name : kDisplayVariables) unsetenv(name);
  ASSERT_FALSE(DisplayAvailable());

  const std::string file = ::testing::TempDir() + "/console_ui_" + std::to_string(getpid()) + ".hlp";
  std::ofstream(file) << "@ 0 nVorpel ヘルプ\n目次\n@ 123 notes.ini\nnotes.ini を探す場所。\n";
  ConsoleStreams streams("");
  const auto ui = MakeConsoleUi();
  ::testing::internal::CaptureStdout();
  EXPECT_TRUE(ui->WinHelp(ToPlatformPath(file), HelpCommand::Context, 123));
  EXPECT_TRUE(ui->WinHelp(ToPlatformPath(file), HelpCommand::Quit, 0));
  EXPECT_TRUE(ui->WinHelp(ToPlatformPath(file), HelpCommand::ContextPopup, 123));
  EXPECT_FALSE(ui->WinHelp(ToPlatformPath(file + ".missing"), HelpCommand::Contents, 0));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "\nnotes.ini\nnotes.ini を探す場所。\n");
  EXPECT_FALSE(ui->HasDisplay());
  EXPECT_EQ(streams.Error(), "");
  for (const auto& [name, value] : saved) setenv(name.c_str(), value.c_str(), 1);
  std::remove(file.c_str());
}

}  // namespace
}  // namespace platform
