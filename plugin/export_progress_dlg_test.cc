#include "plugin/export_progress_dlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <platform/coarse_clock.h>
#include <platform/cp932.h>
#include <platform/testing/recording_ui.h>

#include <chrono>
#include <csignal>
#include <string>
#include <vector>

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

std::string Counter(int pos, int low, int high) { return platform::Cp932ToUtf8(ProgressCounterText(pos, low, high)); }

TEST(ExportProgressDlgTest, CounterTextShowsDocumentsDoneAndATruncatedPercentage) {
  struct Case {
    int pos, low, high;
    const char* expected;
  };
  const Case cases[] = {
      {0, 0, 1, "0/1文書 (0%)"},     {0, 0, 3, "0/3文書 (0%)"},      {1, 0, 3, "1/3文書 (33%)"},
      {2, 0, 3, "2/3文書 (66%)"},    {3, 0, 3, "3/3文書 (100%)"},    {5, 0, 2, "5/2文書 (50%)"},  // 250 % mod 100
      {15, 10, 20, "15/20文書 (50%)"}, {99, 0, 100, "99/100文書 (99%)"},
      {21474837, 0, 21474838, "21474837/21474838文書 (99%)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(Counter(c.pos, c.low, c.high), c.expected);
  }
}

TEST(ExportProgressDlgTest, ShowsCaptionStatusRangeAndCounterAndGoesAwayWithTheObject) {
  platform::testing::ScopedRecordingUi ui;
  {
    CExportProgressDlg dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.SetStatusText(platform::Utf8ToCp932("CSVファイルを書き出しています..."));
    dialog.SetRange(0, 2);
    EXPECT_EQ(dialog.SetPos(0), 0);
    dialog.SetPos(0);  // the same position does not rewrite the counter
    EXPECT_EQ(dialog.SetPos(1), 0);
    EXPECT_FALSE(dialog.CheckCancel());
  }
  EXPECT_THAT(ui.progress.calls,
              ElementsAre("caption:書き出し中...", "range:0,100", "pos:0", "status:CSVファイルを書き出しています...",
                          "range:0,2", "pos:0", "counter:0/2文書 (0%)", "pos:0", "pos:1", "counter:1/2文書 (50%)",
                          "destroyed"));
}

TEST(ExportProgressDlgTest, ManyDocumentsRewriteTheCounterWithItsPercentageAndAtTheEnd) {
  platform::testing::ScopedRecordingUi ui;
  CExportProgressDlg dialog;
  ASSERT_TRUE(dialog.Create());
  constexpr int kDocuments = 100000;
  dialog.SetRange(0, kDocuments);
  const auto start = platform::CoarseClock::now();
  for (int pos = 1; pos <= kDocuments; ++pos) dialog.SetPos(pos);
  const auto intervals = (platform::CoarseClock::now() - start) / kCounterInterval;

  std::vector<std::string> counters;
  for (const std::string& call : ui.progress.calls)
    if (call.starts_with("counter:")) counters.push_back(call);
  // One for each percentage, one more for each interval that passed, and the last position.
  EXPECT_LE(counters.size(), 100 + static_cast<std::size_t>(intervals) + 1);
  EXPECT_THAT(counters, Contains("counter:1000/100000文書 (1%)"));
  EXPECT_THAT(counters, Contains("counter:99000/100000文書 (99%)"));
  ASSERT_FALSE(counters.empty());
  EXPECT_EQ(counters.back(), "counter:100000/100000文書 (100%)");
}

TEST(ExportProgressDlgTest, CancelIsReportedOnceAndClearedWhenRead) {
  platform::testing::ScopedRecordingUi ui;
  int pumps = 0;
  ui.progress.cancelPresses = [&](int) { return ++pumps == 1 ? 2 : 0; };  // two presses before one read
  CExportProgressDlg dialog;
  ASSERT_TRUE(dialog.Create());
  dialog.SetRange(0, 3);
  dialog.SetPos(0);  // the presses arrive here
  EXPECT_TRUE(dialog.CheckCancel());
  EXPECT_FALSE(dialog.CheckCancel());
  EXPECT_EQ(pumps, 3);
}

int interruptsSeenOutside = 0;
void CountOutside(int) { ++interruptsSeenOutside; }

TEST(ExportProgressDlgTest, CtrlCIsCancelWhileTheDialogExists) {
  platform::testing::ScopedRecordingUi ui;
  struct sigaction outside {}, saved{};
  outside.sa_handler = CountOutside;
  sigemptyset(&outside.sa_mask);
  ASSERT_EQ(sigaction(SIGINT, &outside, &saved), 0);
  {
    CExportProgressDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_FALSE(dialog.CheckCancel());
    std::raise(SIGINT);
    std::raise(SIGINT);
    EXPECT_TRUE(dialog.CheckCancel());
    EXPECT_FALSE(dialog.CheckCancel());
  }
  EXPECT_EQ(interruptsSeenOutside, 0);
  std::raise(SIGINT);  // the handler in place before the dialog is back
  EXPECT_EQ(interruptsSeenOutside, 1);
  sigaction(SIGINT, &saved, nullptr);
}

TEST(ExportProgressDlgTest, WithoutAProgressWindowTheCallsDoNothingButCancelStillWorks) {
  struct NoProgressUi : platform::testing::RecordingUi {
    using RecordingUi::RecordingUi;
    std::unique_ptr<platform::ProgressView> CreateProgress() override { return nullptr; }
  };
  platform::testing::Recording recording;
  auto previous = platform::InstallUi(std::make_unique<NoProgressUi>(recording));
  {
    CExportProgressDlg dialog;
    EXPECT_FALSE(dialog.Create());
    dialog.SetStatusText("x");
    dialog.SetRange(0, 1);
    dialog.SetPos(0);
    std::raise(SIGINT);
    EXPECT_TRUE(dialog.CheckCancel());
  }
  platform::InstallUi(std::move(previous));
  EXPECT_TRUE(recording.progress.calls.empty());
}

}  // namespace
