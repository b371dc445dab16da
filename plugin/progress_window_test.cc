// The progress dialog as a window: built from its template, counting Cancel, Escape and the close
// box while it stays up, keeping the window it was opened over disabled, and asking for its help.
#include "plugin/progress_window.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/qt/qt_ui.h>
#include <platform/qt/testing/modal_boxes.h>
#include <platform/testing/recording_ui.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "plugin/export_progress_dlg.h"
#include "resources/dialog_builder.h"

namespace {

class ProgressWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::qt::testing::OffscreenApplication(); }
};

TEST_F(ProgressWindowTest, ShowsWhatTheRunSetsInItsTemplatesControls) {
  ProgressWindow window;
  ASSERT_TRUE(window.isVisible());
  window.SetCaption(platform::Utf8ToCp932("書き出し中..."));
  window.SetStatusText(platform::Utf8ToCp932("CSVファイルを書き出しています..."));
  window.SetCounterText(platform::Utf8ToCp932("1/3文書 (33%)"));
  window.SetRange(0, 3);
  window.SetPos(1);
  window.PumpMessages();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("書き出し中..."));
  EXPECT_EQ(qobject_cast<QLabel*>(resources::FindControl(window, 1005))->text(),
            QStringLiteral("CSVファイルを書き出しています..."));
  EXPECT_EQ(qobject_cast<QLabel*>(resources::FindControl(window, 1004))->text(), QStringLiteral("1/3文書 (33%)"));
  auto* bar = qobject_cast<QProgressBar*>(resources::FindControl(window, 1003));
  EXPECT_EQ(bar->maximum(), 3);
  EXPECT_EQ(bar->value(), 1);
}

TEST_F(ProgressWindowTest, CancelEscapeAndTheCloseBoxEachCountWhileTheWindowStays) {
  ProgressWindow window;
  EXPECT_EQ(window.PumpMessages(), 0);
  QTest::mouseClick(qobject_cast<QPushButton*>(resources::FindControl(window, 2)), Qt::LeftButton);
  QTest::keyClick(&window, Qt::Key_Escape);
  window.close();
  window.accept();  // OK does nothing
  EXPECT_EQ(window.PumpMessages(), 3);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.PumpMessages(), 0);
}

TEST_F(ProgressWindowTest, TheWindowItOpensOverIsDisabledUntilItIsGone) {
  QWidget client;
  client.show();
  QApplication::setActiveWindow(&client);
  ASSERT_EQ(QApplication::activeWindow(), &client);
  {
    ProgressWindow window;
    EXPECT_FALSE(client.isEnabled());
  }
  EXPECT_TRUE(client.isEnabled());
}

// The client's main window owns the windows opened without a parent: the progress window disables
// it even when another window (the option sheet that has just closed, say) is the active one.
TEST_F(ProgressWindowTest, TheProgramsMainWindowIsTheOwnerItDisables) {
  QWidget mainWindow, other;
  mainWindow.show();
  other.show();
  platform::qt::SetMainWindow(&mainWindow);
  QApplication::setActiveWindow(&other);
  ASSERT_EQ(QApplication::activeWindow(), &other);
  {
    ProgressWindow window;
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_TRUE(other.isEnabled());
  }
  EXPECT_TRUE(mainWindow.isEnabled());
  platform::qt::SetMainWindow(nullptr);
}

TEST_F(ProgressWindowTest, F1AsksForItsHelpTopic) {
  platform::testing::ScopedRecordingUi ui;
  ProgressWindow window;
  QTest::keyClick(&window, Qt::Key_F1);
  ASSERT_EQ(ui.helpCalls.size(), 1u);
  EXPECT_TRUE(ui.helpCalls[0].ends_with("|1|" + std::to_string(0x20000 + 1011))) << ui.helpCalls[0];
}

// With the windowed UI installed the export's progress dialog is that window.
TEST_F(ProgressWindowTest, IsTheProgressDialogWhereThereIsADisplay) {
  std::unique_ptr<platform::Ui> previous = platform::InstallUi(platform::qt::MakeQtUi());
  {
    CExportProgressDlg dialog;
    EXPECT_TRUE(dialog.Create());
    bool found = false;
    for (QWidget* top : QApplication::topLevelWidgets())
      found = found || (dynamic_cast<ProgressWindow*>(top) && top->isVisible() &&
                        top->windowTitle() == QStringLiteral("書き出し中..."));
    EXPECT_TRUE(found);
  }
  platform::InstallUi(std::move(previous));
}

}  // namespace
