// Pictures of every window of the plug-in, as a user sees them, written into the build tree
// (screenshots/, or NVORPEL_SCREENSHOT_DIR): the two option sheets, the column and formula dialogs, the progress window, a
// message box and the help viewer's window.
#include <platform/cp932.h>
#include <platform/files.h>
#include <platform/help_file.h>
#include <platform/qt/help_window.h>
#include <platform/qt/qt_ui.h>
#include <platform/qt/testing/modal_boxes.h>

#include <QMessageBox>
#include <QTextBrowser>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>

#include "columns/test_notes.h"
#include "dialogs/column_select_dialog.h"
#include "dialogs/formula_input_dialog.h"
#include "plugin/progress_window.h"
#include "settings/option_sheets.h"

namespace {

namespace fs = std::filesystem;

class ScreenshotsTest : public columns_test::NotesTest {
 protected:
  void SetUp() override {
    NotesTest::SetUp();
    platform::qt::testing::OffscreenApplication();
    fs::create_directories(kDirectory);
    db_.Document("Order").Text("Name", {"x"});
    view_ = View(db_.View("V").Column({.title = "Name", .itemName = "Name"}).Id());
  }

  // Shows `window`, lets it paint, and writes its picture as NAME.png.
  static void Shoot(QWidget& window, const char* name) {
    window.show();
    QApplication::processEvents();
    const QPixmap picture = window.grab();
    ASSERT_FALSE(picture.isNull()) << name;
    EXPECT_EQ(picture.size(), window.size()) << name;
    const fs::path file = fs::path(kDirectory) / (std::string(name) + ".png");
    EXPECT_TRUE(picture.save(QString::fromStdString(file.string()))) << file;
  }

  // The build tree's screenshots/, or the folder NVORPEL_SCREENSHOT_DIR names (the README's
  // pictures in docs/ are made so).
  static inline const std::string kDirectory =
      std::getenv("NVORPEL_SCREENSHOT_DIR") ? std::getenv("NVORPEL_SCREENSHOT_DIR") : NVORPEL_SCREENSHOT_DIR;
  LNViewFolder view_;
  CColumnDataArray columns_;
};

TEST_F(ScreenshotsTest, OptionSheets) {
  settings::CExportPropertySheet csv(columns_, view_, {});
  Shoot(csv, "csv-option-sheet");
  settings::CXmlExportPropertySheet xml(columns_, view_, {});
  Shoot(xml, "xml-option-sheet");
}

TEST_F(ScreenshotsTest, ColumnAndFormulaDialogs) {
  db_.Form("受注").Body(host::testing::RichText().Field("Name").Field("Total", LNCOMPUTEOPTION_COMPUTED_FOR_DISPLAY, "1"));
  CColumnDataArray columns;
  columns.LoadFromView(view_);
  LNDatabase database = Open();
  dialogs::CColumnSelectDialog columnDialog(columns, view_, database);
  Shoot(columnDialog, "column-dialog");
  dialogs::CFormulaInputDialog formulaDialog(database);
  formulaDialog.Column().SetFormula(LNString("@Text(Total)"), 0x3000);
  formulaDialog.show();
  formulaDialog.FormsList()->setCurrentItem(formulaDialog.FormsList()->topLevelItem(0));
  Shoot(formulaDialog, "formula-dialog");
}

TEST_F(ScreenshotsTest, ProgressWindow) {
  ProgressWindow window;
  window.SetCaption(platform::Utf8ToCp932("書き出し中..."));
  window.SetStatusText(platform::Utf8ToCp932("CSVファイルを書き出しています..."));
  window.SetRange(0, 3);
  window.SetPos(1);
  window.SetCounterText(platform::Utf8ToCp932("1/3文書 (33%)"));
  window.PumpMessages();
  Shoot(window, "progress-window");
}

TEST_F(ScreenshotsTest, MessageBoxAndHelp) {
  const auto box = platform::qt::MakeMessageBox(
      platform::Utf8ToCp932("102 : ファイルを開くことができません。\nエクスポート中にノーツのエラーが発生しました。"),
      "nVorpel", platform::Buttons::Ok, platform::Icon::Exclamation);
  Shoot(*box, "message-box");

  const auto topics = platform::ReadHelpFile(platform::ToPlatformPath(NVORPEL_NOTES_DIR "/nVorpel.hlp"));
  ASSERT_TRUE(topics.has_value());
  platform::qt::HelpWindow viewer(*topics);
  Shoot(viewer, "help-contents");
}

}  // namespace
