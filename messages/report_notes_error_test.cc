#include "messages/report_notes_error.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/testing/recording_ui.h>

#include <cstring>

#include "host/lnerror.h"
#include "host/status.h"

namespace {

TEST(ReportNotesError, StatusHostTextAndCallersText) {
  platform::testing::ScopedRecordingUi recorded;
  ReportNotesError(host::kErrFileOpen, platform::Utf8ToCp932("エクスポート中にノーツのエラーが発生しました。"));
  ReportNotesError(0xD0000132, "x");
  ASSERT_EQ(recorded.boxes.size(), 2u);
  char hostText[512];
  LNGetErrorMessageText(host::kErrFileOpen, hostText, sizeof hostText, 0);
  ASSERT_GT(std::strlen(hostText), 0u);
  EXPECT_EQ(recorded.boxes[0].platformText,
            std::string("102 : ") + hostText + "\n" + platform::Utf8ToCp932("エクスポート中にノーツのエラーが発生しました。"));
  EXPECT_EQ(recorded.boxes[0].caption, "nVorpel");
  EXPECT_EQ(recorded.boxes[0].buttons, platform::Buttons::Ok);
  EXPECT_EQ(recorded.boxes[0].icon, platform::Icon::Exclamation);
  EXPECT_EQ(recorded.boxes[1].platformText.substr(0, 11), "d0000132 : ");
}

TEST(ReportNotesError, StatusZeroShowsNothing) {
  platform::testing::ScopedRecordingUi recorded;
  ReportNotesError(0, "nothing");
  EXPECT_TRUE(recorded.boxes.empty());
}

}  // namespace
