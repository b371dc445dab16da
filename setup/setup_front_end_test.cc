#include "setup_front_end.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/testing/recording_ui.h>

namespace setup {
namespace {

TEST(SetupFrontEnd, MessageBoxHasCaptionTextIconAndOneOkButton) {
  const platform::Icon icons[] = {platform::Icon::Information, platform::Icon::Error};
  const std::string text = "Corvaneをnotes.iniに登録しました。\n二行目";
  for (const platform::Icon icon : icons) {
    platform::testing::ScopedRecordingUi ui;
    MakeMessageBoxFrontEnd()->ShowMessage(platform::Utf8ToCp932(text), icon);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Corvane");
    EXPECT_EQ(ui.boxes[0].text, text);
    EXPECT_EQ(ui.boxes[0].icon, icon);
    EXPECT_EQ(ui.boxes[0].buttons, platform::Buttons::Ok);
  }
}

}  // namespace
}  // namespace setup
