// The plug-in's messages and its progress window as the user sees them where the client has a
// display, on Qt's offscreen platform: message boxes closed and answered from the keyboard, and
// Cancel clicked during a run.
#include <platform/qt/qt_ui.h>
#include <platform/qt/testing/modal_boxes.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "dialogs/column_select_dialog.h"
#include "dialogs/formula_input_dialog.h"
#include "plugin/export_fixture.h"
#include "plugin/progress_window.h"
#include "resources/dialog_builder.h"
#include "settings/option_sheets.h"

namespace {

using host::testing::DatabaseBuilder;
using platform::qt::testing::WhenBoxIsUp;
using platform::qt::testing::WhenModalIsUp;

class WindowedExportTest : public ExportFixture {
 protected:
  void SetUp() override {
    ExportFixture::SetUp();
    platform::qt::testing::OffscreenApplication();
    recording_ = platform::InstallUi(platform::qt::MakeQtUi());
  }
  void TearDown() override {
    platform::InstallUi(std::move(recording_));
    ExportFixture::TearDown();
  }

 private:
  std::unique_ptr<platform::Ui> recording_;
};

TEST_F(WindowedExportTest, AFailedExportIsAWindowTitledWithTheLibraryNameThatEnterCloses) {
  DatabaseBuilder db;
  db.Document().Text("Name", {"x"});
  const NOTEID view = db.View("V").Column({.title = "Name", .itemName = "Name"}).Id();
  QString title, text;
  WhenBoxIsUp([&](QMessageBox& box) {
    title = box.windowTitle();
    text = box.text();
    QTest::keyClick(&box, Qt::Key_Return);
  });
  EXPECT_EQ(Export(Params(db, view), Typed("missing/out.csv", "/X")), 0);
  EXPECT_EQ(title, QStringLiteral("nVorpel"));
  EXPECT_TRUE(text.startsWith(QStringLiteral("102 : "))) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral("\nエクスポート中にノーツのエラーが発生しました。"))) << text.toStdString();
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(WindowedExportTest, TheOverwriteQuestionIsAnsweredBothWays) {
  DatabaseBuilder db;
  db.Document().Text("Name", {"x"}).Attachment("a.txt", "a.txt", "new");
  const NOTEID view = db.View("V").Column({.title = "Name", .itemName = "Name"}).Id();
  const struct {
    Qt::Key key;
    const char* kept;
  } cases[] = {{Qt::Key_Escape, "old"}, {Qt::Key_Return, "new"}};
  for (const auto& c : cases) {
    std::filesystem::create_directories(dir_ / "out.files" / "00000102");
    Write("out.files/00000102/a.txt", "old");
    QString title;
    WhenBoxIsUp([&](QMessageBox& box) {
      title = box.windowTitle();
      QTest::keyClick(&box, c.key);
    });
    Export(Params(db, view), Typed("out.xml", "/X /P"), "xml");
    EXPECT_EQ(title, QStringLiteral("nVorpel"));
    EXPECT_EQ(Read("out.files/00000102/a.txt"), c.kept);
  }
}

TEST_F(WindowedExportTest, CancelInTheProgressWindowStopsTheRunAfterTheCurrentRecord) {
  DatabaseBuilder db;
  for (const char* name : {"a", "b", "c"}) db.Document().Text("Name", {name});
  const NOTEID view =
      db.View("V").Column({.title = "Name", .itemName = "Name", .sort = host::testing::Sort::Ascending}).Id();
  bool clicked = false;
  QTimer::singleShot(0, [&] {  // runs in the window's first dispatch, before the first document
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* progress = dynamic_cast<ProgressWindow*>(window); progress && progress->isVisible()) {
        QTest::mouseClick(qobject_cast<QPushButton*>(resources::FindControl(*progress, 2)), Qt::LeftButton);
        clicked = true;
      }
  });
  Export(Params(db, view), Typed("out.csv", "/X"));
  EXPECT_TRUE(clicked);
  EXPECT_EQ(Read("out.csv"), "a\r\n");
  EXPECT_TRUE(ui_.boxes.empty());
}

// What a user does in the windows of two exports: in the first, the column dialog unticks Name,
// renames Qty and moves it up, adds a formula column through the formula dialog and saves the
// choice; in the second, it opens that file. Both files hold exactly the chosen columns.
TEST_F(WindowedExportTest, ColumnsChosenInTheDialogsAreTheColumnsExported) {
  DatabaseBuilder db;
  db.Document().Text("Name", {"a"}).Numbers("Qty", {3});
  db.Document().Text("Name", {"b"}).Numbers("Qty", {4});
  const NOTEID view = db.View("V")
                          .Column({.title = "Name", .itemName = "Name", .sort = host::testing::Sort::Ascending})
                          .Column({.title = "Qty", .itemName = "Qty"})
                          .Id();
  const std::string definition = (dir_ / "列の選択.cef").string();
  const auto typePath = [definition] {
    WhenModalIsUp<QFileDialog>([definition](QFileDialog& files) {
      auto* name = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(name, nullptr);
      name->insert(QString::fromStdString(definition));  // typed, as an input method gives Japanese text
      QTest::keyClick(name, Qt::Key_Return);
    });
  };
  const auto closeBox = [](const char* expected) {
    WhenBoxIsUp([expected](QMessageBox& box) {
      EXPECT_EQ(box.text().toStdString(), expected);
      QTest::keyClick(&box, Qt::Key_Return);
    });
  };
  const auto runSheet = [](std::function<void(dialogs::CColumnSelectDialog&)> chooseColumns) {
    WhenModalIsUp<settings::CExportPropertySheet>([chooseColumns](settings::CExportPropertySheet& sheet) {
      QTest::mouseClick(sheet.ControlAs<QRadioButton>(21007), Qt::LeftButton);  // all documents
      WhenModalIsUp<dialogs::CColumnSelectDialog>(chooseColumns);
      QTest::mouseClick(sheet.ControlAs<QRadioButton>(21014), Qt::LeftButton);
      QTest::keyClick(&sheet, Qt::Key_Return);  // Finish
    });
  };

  runSheet([&](dialogs::CColumnSelectDialog& columns) {
    QTreeWidget* list = columns.List();
    list->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    list->topLevelItem(1)->setText(0, QStringLiteral("数量"));
    list->topLevelItem(1)->setSelected(true);
    columns.Button(1050)->click();  // Up
    WhenModalIsUp<dialogs::CFormulaInputDialog>([](dialogs::CFormulaInputDialog& formula) {
      QTest::keyClicks(formula.FormulaBox(), "Qty * 10");
      qobject_cast<QPushButton*>(resources::FindControl(formula, 1))->click();
    });
    columns.Button(1045)->click();  // Add
    typePath();
    closeBox("エクスポート定義ファイルを保存しました。");
    columns.Button(1047)->click();  // Save
    columns.Button(1)->click();     // OK
  });
  Export(Params(db, view), Typed("first.csv"));
  EXPECT_EQ(Read("first.csv"), platform::Utf8ToCp932("数量,式\r\n3,30\r\n4,40\r\n"));

  runSheet([&](dialogs::CColumnSelectDialog& columns) {
    typePath();
    closeBox("エクスポート定義ファイルを開きました。");
    columns.Button(1046)->click();  // Open
    columns.Button(1)->click();
  });
  Export(Params(db, view), Typed("second.csv"));
  EXPECT_EQ(Read("second.csv"), Read("first.csv"));
}

}  // namespace
