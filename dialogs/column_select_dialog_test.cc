// The column dialog on Qt's offscreen platform, driven as a user would: selections, keys, the
// buttons, renaming, definition files; the formula dialog stands in as an editor that always
// gives a formula.
#include "dialogs/column_select_dialog.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/files.h>
#include <platform/qt/testing/modal_boxes.h>
#include <platform/testing/recording_ui.h>
#include <unistd.h>

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "columns/column_data_array.h"
#include "columns/test_notes.h"

namespace dialogs {
namespace {

namespace fs = std::filesystem;
using columns_test::Cp932;

constexpr int kAdd = 1045, kEdit = 1048, kDelete = 1049, kUp = 1050, kDown = 2000, kOk = 1;

class ColumnSelectDialogTest : public columns_test::NotesTest {
 protected:
  void SetUp() override {
    NotesTest::SetUp();
    platform::qt::testing::OffscreenApplication();
    db_.Document("Order").Text("Name", {"x"});
    viewId_ = db_.View("Orders")
                  .Column({.title = "Name", .itemName = "Name"})
                  .Column({.title = "Secret", .itemName = "Secret", .hidden = true})
                  .Column({.title = "Qty", .itemName = "Qty"})
                  .Id();
    view_ = View(viewId_);
    database_ = Open();
    CColumnDataArray fromView;
    fromView.LoadFromView(view_);
    columns_ = fromView;
    dir_ = fs::path(::testing::TempDir()) / ("column-dialog-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::remove_all(dir_);
    NotesTest::TearDown();
  }

  // A dialog over `columns_` whose formula editor gives "Qty * 1", "Qty * 2", …
  std::unique_ptr<CColumnSelectDialog> Dialog() {
    auto dialog = std::make_unique<CColumnSelectDialog>(columns_, view_, database_);
    dialog->SetFormulaEditor([this](ColumnSpec& column) {
      column.SetFormula(LNString(("Qty * " + std::to_string(++formulas_)).c_str()), 0x3000);
      return true;
    });
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    return dialog;
  }

  static QTreeWidgetItem* Item(const CColumnSelectDialog& dialog, int position) {
    return dialog.List()->topLevelItem(position);
  }
  static void Select(CColumnSelectDialog& dialog, const std::vector<int>& positions) {
    dialog.List()->clearSelection();
    for (const int position : positions) Item(dialog, position)->setSelected(true);
  }
  static void Focus(CColumnSelectDialog& dialog, int position) {
    dialog.List()->setCurrentItem(Item(dialog, position), 0, QItemSelectionModel::NoUpdate);
  }
  // What the list shows, top to bottom: the titles with "+" for a ticked box.
  static std::vector<std::string> Shown(const CColumnSelectDialog& dialog) {
    std::vector<std::string> shown;
    for (int i = 0; i < dialog.List()->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = Item(dialog, i);
      shown.push_back((item->checkState(0) == Qt::Checked ? "+" : "") + item->text(0).toStdString());
    }
    return shown;
  }
  static std::vector<std::string> Titles(const ColumnSpecList& list) {
    std::vector<std::string> titles;
    for (const ColumnSpec& spec : list)
      titles.push_back((spec.output ? "+" : "") + platform::Cp932ToUtf8(spec.title.GetPlatformTextPtr()));
    return titles;
  }
  static std::vector<bool> Enabled(const CColumnSelectDialog& dialog) {
    std::vector<bool> enabled;
    for (const int id : {kAdd, kEdit, kDelete, kUp, kDown}) enabled.push_back(dialog.Button(id)->isEnabled());
    return enabled;
  }

  NOTEID viewId_ = 0;
  LNViewFolder view_;
  LNDatabase database_;
  ColumnSpecList columns_;
  fs::path dir_;
  int formulas_ = 0;
};

TEST_F(ColumnSelectDialogTest, AnEmptyListOffersOnlyAddAndOkKeepsTheAddedFormulaColumn) {
  columns_ = ColumnSpecList();
  auto dialog = Dialog();
  EXPECT_EQ(dialog->List()->topLevelItemCount(), 0);
  EXPECT_EQ(Enabled(*dialog), (std::vector<bool>{true, false, false, false, false}));
  dialog->Button(kAdd)->click();
  EXPECT_EQ(Shown(*dialog), std::vector<std::string>{"+式"});
  dialog->Button(kOk)->click();
  ASSERT_EQ(columns_.GetCount(), 1u);
  EXPECT_EQ(columns_[0].kind, ColumnKind::Formula);
  EXPECT_STREQ(columns_[0].formula.GetText().GetPlatformTextPtr(), "Qty * 1");
  EXPECT_EQ(Titles(columns_), std::vector<std::string>{"+式"});
}

TEST_F(ColumnSelectDialogTest, AddGoesToTheFocusOrTheEnd) {
  auto dialog = Dialog();
  EXPECT_EQ(Shown(*dialog), (std::vector<std::string>{"+Name", "Secret", "+Qty"}));
  dialog->Button(kAdd)->click();  // no focused item: at the end
  Focus(*dialog, 2);
  dialog->Button(kAdd)->click();  // at the focused item, which moves down
  EXPECT_EQ(Shown(*dialog), (std::vector<std::string>{"+Name", "Secret", "+式", "+Qty", "+式"}));
  EXPECT_EQ(dialog->List()->currentItem(), Item(*dialog, 3));
  EXPECT_FALSE(Item(*dialog, 2)->isSelected());
}

TEST_F(ColumnSelectDialogTest, DeleteRemovesTheSelectedFormulaColumnsAndNeverAViewColumn) {
  auto dialog = Dialog();
  dialog->Button(kAdd)->click();
  dialog->Button(kAdd)->click();
  Select(*dialog, {0});
  dialog->Button(kDelete)->click();
  EXPECT_EQ(dialog->List()->topLevelItemCount(), 5) << "a view column stays";

  Select(*dialog, {1, 3, 4});  // a view column and both formula columns
  dialog->List()->setFocus();
  QTest::keyClick(dialog->List(), Qt::Key_Delete);
  EXPECT_EQ(Shown(*dialog), (std::vector<std::string>{"+Name", "Secret", "+Qty"}));
  dialog->Button(kOk)->click();
  EXPECT_EQ(Titles(columns_), (std::vector<std::string>{"+Name", "Secret", "+Qty"}));
}

TEST_F(ColumnSelectDialogTest, UpPacksTheSelectionAndTheFocusLeavesAButtonThatGoesOff) {
  auto dialog = Dialog();
  dialog->Button(kAdd)->click();  // four entries
  Select(*dialog, {0, 2, 3});
  EXPECT_TRUE(dialog->Button(kUp)->isEnabled());
  dialog->Button(kUp)->setFocus();
  dialog->Button(kUp)->click();
  EXPECT_EQ(Shown(*dialog), (std::vector<std::string>{"+Name", "+Qty", "+式", "Secret"}));
  for (const int position : {0, 1, 2}) EXPECT_TRUE(Item(*dialog, position)->isSelected()) << position;
  EXPECT_FALSE(dialog->Button(kUp)->isEnabled());
  EXPECT_TRUE(dialog->Button(kOk)->hasFocus());

  Select(*dialog, {0, 1, 2});
  dialog->Button(kDown)->click();
  EXPECT_EQ(Shown(*dialog), (std::vector<std::string>{"Secret", "+Name", "+Qty", "+式"}));
  dialog->Button(kOk)->click();
  EXPECT_EQ(Titles(columns_), (std::vector<std::string>{"Secret", "+Name", "+Qty", "+式"}));
}

TEST_F(ColumnSelectDialogTest, RenamingUntickingAndSpaceReachTheListOnOkOnly) {
  const ColumnSpecList before = columns_;
  {
    auto dialog = Dialog();
    Item(*dialog, 0)->setText(0, QString());  // a rename to empty text
    Focus(*dialog, 2);
    dialog->List()->setFocus();
    QTest::keyClick(dialog->List(), Qt::Key_Space);  // unticks Qty
    EXPECT_EQ(Shown(*dialog), (std::vector<std::string>{"+", "Secret", "Qty"}));
    dialog->reject();  // Cancel
  }
  EXPECT_EQ(Titles(columns_), Titles(before));

  auto dialog = Dialog();
  Item(*dialog, 0)->setText(0, QString());
  Item(*dialog, 2)->setCheckState(0, Qt::Unchecked);
  dialog->Button(kOk)->click();
  EXPECT_EQ(Titles(columns_), (std::vector<std::string>{"+", "Secret", "Qty"}));
  EXPECT_EQ(columns_[2].kind, ColumnKind::ViewColumn);
}

TEST_F(ColumnSelectDialogTest, EditKeepsTitleAndTickAndTheButtonsFollowTheFocus) {
  auto dialog = Dialog();
  dialog->Button(kAdd)->click();
  Focus(*dialog, 0);
  EXPECT_EQ(Enabled(*dialog), (std::vector<bool>{true, false, false, false, false}));
  Focus(*dialog, 3);
  Item(*dialog, 3)->setText(0, QStringLiteral("合計"));
  EXPECT_TRUE(dialog->Button(kEdit)->isEnabled());
  dialog->Button(kEdit)->click();
  dialog->Button(kOk)->click();
  ASSERT_EQ(columns_.GetCount(), 4u);
  EXPECT_EQ(Titles(columns_).back(), "+合計");
  EXPECT_STREQ(columns_[3].formula.GetText().GetPlatformTextPtr(), "Qty * 2");
}

TEST_F(ColumnSelectDialogTest, SaveEditSaveAgainAndOpenAFileOfAnotherView) {
  const std::string path = platform::ToPlatformPath((dir_ / "列.cef").string());
  platform::testing::ScopedRecordingUi ui;
  auto dialog = Dialog();
  dialog->SetPathQuestion([&](bool) { return std::optional<std::string>(path); });
  dialog->Button(kAdd)->click();
  Select(*dialog, {3});
  dialog->Button(kUp)->click();  // the formula column before Qty
  dialog->Button(1047)->click();  // Save
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"エクスポート定義ファイルを保存しました。"});
  EXPECT_EQ(ui.boxes[0].icon, platform::Icon::Information);
  Item(*dialog, 2)->setText(0, QStringLiteral("倍"));  // still the formula column after the save
  Item(*dialog, 0)->setCheckState(0, Qt::Unchecked);
  dialog->Button(1047)->click();
  dialog->Button(kOk)->click();
  EXPECT_EQ(Titles(columns_), (std::vector<std::string>{"Name", "Secret", "+倍", "+Qty"}));

  // Opened over another view: its formulas only, after the question; No keeps the list.
  NOTEID other = db_.View("Other").Column({.title = "Name", .itemName = "Name"}).Id();
  LNViewFolder otherView = View(other);
  ColumnSpecList otherColumns;
  CColumnSelectDialog second(otherColumns, otherView, database_);
  second.SetPathQuestion([&](bool) { return std::optional<std::string>(path); });
  ui.boxes.clear();
  ui.answers = {platform::Answer::No, platform::Answer::Yes};
  second.Button(1046)->click();
  EXPECT_EQ(second.List()->topLevelItemCount(), 0);
  second.Button(1046)->click();
  EXPECT_EQ(Shown(second), (std::vector<std::string>{"+Name", "+倍"}));  // the view's columns, then the formulas
  ASSERT_EQ(ui.boxes.size(), 3u);
  EXPECT_EQ(ui.boxes[2].text, "エクスポート定義ファイルを開きました。");
}

}  // namespace
}  // namespace dialogs
