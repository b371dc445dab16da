#include "plugin/export_failures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/testing/recording_ui.h>

#include <new>
#include <string>

#include "host/status.h"
#include "messages/report_notes_error.h"
#include "plugin/framework_exceptions.h"

namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

template <class Thrown>
std::exception_ptr Failure(Thrown thrown) {
  try {
    throw thrown;
  } catch (...) {
    return std::current_exception();
  }
}

class CountedException : public CException {
 public:
  explicit CountedException(int& deleted) : deleted_(deleted) {}
  ~CountedException() override { ++deleted_; }
  CString GetErrorMessage() const override { return platform::Utf8ToCp932("メモリが不足しています。"); }

 private:
  int& deleted_;
};

TEST(ExportFailuresTest, EachKindOfFailureIsShownInItsOwnWay) {
  platform::testing::ScopedRecordingUi ui;
  ReportExportFailure(Failure(host::kErrFileOpen));
  ReportExportFailure(Failure(CString(platform::Utf8ToCp932("そのままの文"))));
  ReportExportFailure(Failure(42));
  ReportExportFailure(Failure(std::string_view("not a CString")));
  ASSERT_EQ(ui.boxes.size(), 4u);
  EXPECT_THAT(ui.boxes[0].text, StartsWith("102 : "));
  EXPECT_THAT(ui.boxes[0].text, ::testing::EndsWith("\nエクスポート中にノーツのエラーが発生しました。"));
  EXPECT_EQ(ui.boxes[1].text, "そのままの文");
  EXPECT_EQ(ui.boxes[2].text, "不明なエラー(...)が発生しました。");
  EXPECT_EQ(ui.boxes[3].text, "不明なエラー(...)が発生しました。");
  for (const platform::testing::RecordedBox& message : ui.boxes) {
    EXPECT_EQ(message.caption, "nVorpel");
    EXPECT_EQ(message.buttons, platform::Buttons::Ok);
    EXPECT_EQ(message.icon, platform::Icon::Exclamation);
  }
}

TEST(ExportFailuresTest, StatusZeroIsNoFailureAndShowsNothing) {
  platform::testing::ScopedRecordingUi ui;
  ReportNotesError(0, "text");
  ReportNotesError(host::kErrNoteNotFound, "text");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_THAT(ui.boxes[0].text, StartsWith("104 : "));
}

TEST(ExportFailuresTest, AFrameworkExceptionReportsItselfAndIsDeleted) {
  platform::testing::ScopedRecordingUi ui;
  int deleted = 0;
  ReportExportFailure(Failure<CException*>(new CountedException(deleted)));
  EXPECT_EQ(deleted, 1);
  EXPECT_THAT(ui.Texts(), ElementsAre("メモリが不足しています。"));

  ReportExportFailure(Failure<CException*>(new CFileException(CFileException::diskFull, "\\dev\\full")));
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[1].text, "ファイル(/dev/full)に書き込めませんでした。\nディスクに空きがありません。");

  // Out of memory is the framework's memory exception, not an unknown failure.
  ReportExportFailure(std::make_exception_ptr(std::bad_alloc()));
  ASSERT_EQ(ui.boxes.size(), 3u);
  EXPECT_EQ(ui.boxes[2].text, "メモリが不足しています。");
}

}  // namespace
