#include "messages/app_help.h"

#include <gtest/gtest.h>
#include <platform/testing/recording_ui.h>

namespace {

TEST(AppWinHelp, AsksForTheHelpFileBesideTheProgramAndSaysWhenHelpCannotStart) {
  const std::string file = AppHelpFile();
  ASSERT_TRUE(file.ends_with("messages_test.HLP")) << file;  // this test program stands for the library

  platform::testing::ScopedRecordingUi ui;
  AppWinHelp(0x83F1520F, platform::HelpCommand::ContextPopup);
  EXPECT_EQ(ui.helpCalls, std::vector<std::string>{file + "|8|2213630479"});
  EXPECT_TRUE(ui.boxes.empty());

  ui.helpFails = true;
  AppWinHelp(0, platform::HelpCommand::Contents);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "ﾍﾙﾌﾟの起動に失敗しました。");
  EXPECT_EQ(ui.boxes[0].caption, "nVorpel");
}

}  // namespace
