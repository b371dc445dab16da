// The formula dialog on Qt's offscreen platform: forms and subforms, the fields of a form through
// nested subforms, the sort headers, the insert buttons, Ctrl+A and the host's check at OK.
#include "dialogs/formula_input_dialog.h"

#include <gtest/gtest.h>
#include <platform/qt/testing/modal_boxes.h>
#include <platform/testing/recording_ui.h>

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "columns/test_notes.h"
#include "resources/dialog_builder.h"

namespace dialogs {
namespace {

using host::testing::RichText;

class FormulaInputDialogTest : public columns_test::NotesTest {
 protected:
  void SetUp() override {
    NotesTest::SetUp();
    platform::qt::testing::OffscreenApplication();
  }

  // Opens the dialog over the database as the builder has made it, editing `formula` when given.
  std::unique_ptr<CFormulaInputDialog> Dialog(const char* formula = nullptr) {
    database_ = Open();
    auto dialog = std::make_unique<CFormulaInputDialog>(database_);
    if (formula) dialog->Column().SetFormula(LNString(formula), 0x3000);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    return dialog;
  }

  static std::vector<std::string> Texts(const QTreeWidget* list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) texts.push_back(list->topLevelItem(i)->text(0).toStdString());
    return texts;
  }
  static QPushButton* Button(const CFormulaInputDialog& dialog, int id) {
    return qobject_cast<QPushButton*>(resources::FindControl(dialog, id));
  }
  static void Choose(QTreeWidget* list, int position) { list->setCurrentItem(list->topLevelItem(position)); }
  // A double click on the item at `position`, as the mouse gives it: a click, then the double click.
  static void DoubleClick(QTreeWidget* list, int position) {
    const QPoint at = list->visualItemRect(list->topLevelItem(position)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }

  LNDatabase database_;
};

TEST_F(FormulaInputDialogTest, FieldsOfAFormThenOfItsSubformsNestedOnesFollowed) {
  db_.Subform("Inner").Body(RichText().Field("Deep", LNCOMPUTEOPTION_COMPUTED_WHEN_COMPOSED, "\"deep\""));
  db_.Subform("Middle").Body(RichText().Field("Mid", LNCOMPUTEOPTION_COMPUTED, "1").SubformRef("Inner"));
  db_.Form("Order")
      .Alias("o")
      .Body(RichText().Field("Qty").SubformRef("Middle").Field("Total", LNCOMPUTEOPTION_COMPUTED_FOR_DISPLAY, "Qty * 2"));
  db_.Form("Plain");  // no $BODY rich text
  auto dialog = Dialog();
  EXPECT_EQ(Texts(dialog->FormsList()), (std::vector<std::string>{"Order", "Plain", "Inner", "Middle"}));
  EXPECT_EQ(Texts(dialog->FieldsList()), std::vector<std::string>{}) << "no form is chosen at the start";
  EXPECT_FALSE(Button(*dialog, 1053)->isEnabled());
  EXPECT_FALSE(Button(*dialog, 1055)->isEnabled());

  Choose(dialog->FormsList(), 0);
  EXPECT_EQ(Texts(dialog->FieldsList()), (std::vector<std::string>{"Qty", "Total", "Mid", "Deep"}));
  Choose(dialog->FieldsList(), 1);  // computed for display
  EXPECT_FALSE(Button(*dialog, 1053)->isEnabled());
  EXPECT_TRUE(Button(*dialog, 1055)->isEnabled());
  DoubleClick(dialog->FieldsList(), 1);
  EXPECT_EQ(dialog->FormulaBox()->toPlainText(), QStringLiteral("Qty * 2"));

  dialog->FormulaBox()->selectAll();  // an editable field's name replaces the selection
  DoubleClick(dialog->FieldsList(), 0);
  EXPECT_EQ(dialog->FormulaBox()->toPlainText(), QStringLiteral("Qty"));

  Choose(dialog->FormsList(), 1);
  EXPECT_EQ(Texts(dialog->FieldsList()), std::vector<std::string>{});
}

// Subforms that refer to themselves and to each other in a loop, and one referred to twice: the
// fields of each once, in the order of first reference, instead of a walk that never ends.
TEST_F(FormulaInputDialogTest, SubformsInALoopGiveTheFieldsOfEachOnce) {
  db_.Subform("Self").Body(RichText().Field("S").SubformRef("Self").SubformRef("Back").SubformRef("Leaf"));
  db_.Subform("Back").Body(RichText().Field("B").SubformRef("Self").SubformRef("Back"));
  db_.Subform("Leaf").Body(RichText().Field("F"));
  db_.Form("Loop").Body(RichText().Field("L").SubformRef("Back").SubformRef("Leaf").SubformRef("Back"));
  auto dialog = Dialog();
  ASSERT_EQ(Texts(dialog->FormsList()), (std::vector<std::string>{"Loop", "Self", "Back", "Leaf"}));
  Choose(dialog->FormsList(), 0);
  EXPECT_EQ(Texts(dialog->FieldsList()), (std::vector<std::string>{"L", "B", "S", "F"}));
  Choose(dialog->FormsList(), 1);
  EXPECT_EQ(Texts(dialog->FieldsList()), (std::vector<std::string>{"S", "B", "F"}));
}

TEST_F(FormulaInputDialogTest, HeaderClicksCycleTypeNameAndReversedName) {
  db_.Form("beta");
  db_.Subform("Alpha");
  db_.Form("Gamma");
  db_.Subform("delta");
  auto dialog = Dialog();
  QHeaderView* header = dialog->FormsList()->header();
  const struct {
    const char* header;
    std::vector<std::string> order;
  } clicks[] = {
      {"フォーム : タイプ別", {"beta", "Gamma", "Alpha", "delta"}},
      {"フォーム : 名前順▼", {"Alpha", "beta", "delta", "Gamma"}},
      {"フォーム : 名前順▲", {"Gamma", "delta", "beta", "Alpha"}},
      {"フォーム : タイプ別", {"beta", "Gamma", "Alpha", "delta"}},
  };
  EXPECT_EQ(dialog->FormsList()->headerItem()->text(0), QStringLiteral("フォーム"));
  for (const auto& click : clicks) {
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(header->sectionSize(0) / 2, 5));
    EXPECT_EQ(dialog->FormsList()->headerItem()->text(0).toStdString(), click.header);
    EXPECT_EQ(Texts(dialog->FormsList()), click.order);
  }
  // Two quick clicks are two steps: the second comes as a double click, then its release.
  const QPoint at(header->sectionSize(0) / 2, 5);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QMouseEvent second(QEvent::MouseButtonDblClick, at, header->viewport()->mapToGlobal(at), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(header->viewport(), &second);
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(dialog->FormsList()->headerItem()->text(0).toStdString(), clicks[2].header);
}

TEST_F(FormulaInputDialogTest, CtrlAEnterAndTheHostsCheckAtOk) {
  auto dialog = Dialog("@Text(Qty)");  // the edited column's formula is shown at the start
  EXPECT_EQ(dialog->FormulaBox()->toPlainText(), QStringLiteral("@Text(Qty)"));
  EXPECT_EQ(Texts(dialog->FormsList()), std::vector<std::string>{}) << "a database without forms";

  dialog->FormsList()->setFocus();
  QTest::keyClick(dialog->FormsList(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_FALSE(dialog->FormulaBox()->textCursor().hasSelection()) << "consumed, nothing selected";
  dialog->FormulaBox()->setFocus();
  QTest::keyClick(dialog->FormulaBox(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(dialog->FormulaBox()->textCursor().selectedText(), QStringLiteral("@Text(Qty)"));
  QTest::keyClicks(dialog->FormulaBox(), "1 +");
  QTest::keyClick(dialog->FormulaBox(), Qt::Key_Return);  // a new line, not OK
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->FormulaBox()->toPlainText(), QStringLiteral("1 +\n"));

  platform::testing::ScopedRecordingUi ui;
  Button(*dialog, 1)->click();  // "1 +" does not compile
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_TRUE(ui.boxes[0].text.ends_with("\n式にエラーがあります。")) << ui.boxes[0].text;
  EXPECT_TRUE(dialog->isVisible());
  ASSERT_FALSE(Button(*dialog, 1053)->isEnabled() || Button(*dialog, 1055)->isEnabled()) << "no field chosen";
  QTest::keyClick(dialog->FormulaBox(), Qt::Key_I, Qt::AltModifier);  // their access key, with both off
  EXPECT_EQ(dialog->FormulaBox()->toPlainText(), QStringLiteral("1 +\n")) << "Alt+I types nothing";
  QTest::keyClick(dialog->FormulaBox(), Qt::Key_2);
  Button(*dialog, 1)->click();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->Column().kind, ColumnKind::Formula);
  EXPECT_STREQ(dialog->Column().formula.GetText().GetPlatformTextPtr(), "1 +\n2");
}

}  // namespace
}  // namespace dialogs
