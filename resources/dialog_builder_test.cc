#include "resources/dialog_builder.h"

#include <gtest/gtest.h>
#include <platform/qt/testing/modal_boxes.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace resources {
namespace {

const int kDialogs[] = {kCsvOptionPage, kProgressDialog, kColumnSelectDialog, kFormulaInputDialog, kXmlOptionPage};

class DialogBuilderTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { platform::qt::testing::OffscreenApplication(); }
};

TEST(DialogFont, IsAJapaneseFontOfNinePoints) {
  platform::qt::testing::OffscreenApplication();
  const QFont font = DialogFont();
  EXPECT_EQ(font.pointSize(), 9);
  EXPECT_TRUE(QFontDatabase::writingSystems(font.family()).contains(QFontDatabase::Japanese)) << font.family().toStdString();
  const BaseUnits units = DialogBaseUnits(font);
  EXPECT_GT(units.x, 3);
  EXPECT_GT(units.y, 8);
}

TEST(DialogUnits, ScaleByTheBaseUnitsWithoutGapsBetweenNeighbours) {
  const BaseUnits units{6, 12};
  EXPECT_EQ(ToPixels(units, 0, 0, 4, 8), QRect(0, 0, 6, 12));
  EXPECT_EQ(ToPixels(units, 7, 7, 110, 47), QRect(11, 11, 165, 70));  // 10.5 and 10.5 round up
  // Where one control ends the next one starts, whatever the rounding.
  EXPECT_EQ(ToPixels(units, 1, 1, 1, 1).right() + 1, ToPixels(units, 2, 2, 1, 1).left());
}

TEST_P(DialogBuilderTest, EveryControlSitsWhereItsTemplatePutsItInTabOrder) {
  const DialogTemplate& dialog = Dialog(GetParam());
  ASSERT_EQ(dialog.id, GetParam());
  QWidget widget;
  BuildControls(dialog, widget);
  const BaseUnits units = DialogBaseUnits(widget.font());
  EXPECT_EQ(widget.size(), ToPixels(units, 0, 0, dialog.cx, dialog.cy).size());

  std::vector<QWidget*> focusable;
  for (const ControlTemplate& control : dialog.controls) {
    if (control.id == kNoId) continue;
    SCOPED_TRACE(control.id);
    QWidget* made = FindControl(widget, control.id);
    ASSERT_NE(made, nullptr);
    const QRect expected = ToPixels(units, control.x, control.y, control.cx, control.cy);
    EXPECT_EQ(made->pos(), expected.topLeft());
    EXPECT_EQ(made->width(), expected.width());
    if (control.kind != ControlKind::DropDownList) {
      EXPECT_EQ(made->height(), expected.height());
    }
    if (auto* list = qobject_cast<QComboBox*>(made)) {
      ASSERT_EQ(list->count(), static_cast<int>(control.entries.size()));
      for (std::size_t i = 0; i < control.entries.size(); ++i)
        EXPECT_EQ(list->itemText(static_cast<int>(i)).toStdString(), control.entries[i]);
    }
    if (made->focusPolicy() & Qt::TabFocus) focusable.push_back(made);
  }
  // Along the focus chain (which also holds labels and the controls' inner widgets) the controls
  // that take the focus come in the template's order.
  const auto next = [&](QWidget* from) {
    for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain())
      if (std::find(focusable.begin(), focusable.end(), w) != focusable.end()) return w;
    return from;
  };
  ASSERT_GE(focusable.size(), 1u);
  for (std::size_t i = 1; i < focusable.size(); ++i)
    EXPECT_EQ(next(focusable[i - 1]), focusable[i]) << focusable[i]->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogBuilderTest, ::testing::ValuesIn(kDialogs));

TEST(DialogBuilder, RadioGroupsAndAccessKeysOfTheCsvPage) {
  platform::qt::testing::OffscreenApplication();
  QWidget page;
  BuildControls(Dialog(kCsvOptionPage), page);
  QButtonGroup* documents = RadioGroup(page, 21007);
  QButtonGroup* columns = RadioGroup(page, 21012);
  ASSERT_NE(documents, nullptr);
  ASSERT_NE(columns, nullptr);
  EXPECT_EQ(documents->buttons().size(), 2);
  EXPECT_EQ(columns->buttons().size(), 3);
  EXPECT_EQ(columns->button(2), FindControl(page, 21014));
  EXPECT_TRUE(columns->exclusive());

  const struct {
    int label, control;
  } buddies[] = {{1036, 21024}, {1037, 21019}, {1038, 21028}, {1039, 21017}, {1040, 21020}, {1041, 21018},
                 {1042, 21025}};
  for (const auto& b : buddies) {
    auto* label = qobject_cast<QLabel*>(FindControl(page, b.label));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->buddy(), FindControl(page, b.control)) << b.label;
  }
}

TEST(DialogBuilder, DefaultButtonAndStrings) {
  platform::qt::testing::OffscreenApplication();
  QWidget dialog;
  BuildControls(Dialog(kProgressDialog), dialog);
  auto* cancel = qobject_cast<QPushButton*>(FindControl(dialog, 2));
  ASSERT_NE(cancel, nullptr);
  EXPECT_TRUE(cancel->isDefault());
  EXPECT_EQ(cancel->text(), QStringLiteral("キャンセル"));
  EXPECT_EQ(String(1012), "書き出し中...");
  EXPECT_EQ(String(1022), "ホームページを表示します。");
  EXPECT_EQ(String(4711), "");
}

// A group box inside another lies above it, so that a click on it (and "?" on it) finds it; both lie
// beneath the controls they surround.
TEST(DialogBuilder, AnInnerGroupBoxLiesAboveTheOuterOne) {
  platform::qt::testing::OffscreenApplication();
  QWidget page;
  BuildControls(Dialog(kCsvOptionPage), page);
  QWidget* outer = FindControl(page, 1034);
  QWidget* inner = FindControl(page, 1035);
  ASSERT_TRUE(outer && inner && outer->geometry().contains(inner->geometry()));
  const QPoint insideInnerOnly = inner->geometry().topLeft() + QPoint(2, inner->height() - 3);
  EXPECT_EQ(page.childAt(insideInnerOnly), inner);
  const QObjectList& order = page.children();  // bottom to top
  EXPECT_LT(order.indexOf(outer), order.indexOf(inner));
  EXPECT_LT(order.indexOf(inner), order.indexOf(FindControl(page, 21017))) << "beneath the lists inside it";
}

// The lists of the column and formula dialogs draw grid lines between rows and between columns.
TEST(DialogBuilder, ListsDrawGridLines) {
  platform::qt::testing::OffscreenApplication();
  for (const auto& [dialogId, listId] : {std::pair{kColumnSelectDialog, 21010}, std::pair{kFormulaInputDialog, 1054}}) {
    SCOPED_TRACE(listId);
    QWidget dialog;
    BuildControls(Dialog(dialogId), dialog);
    auto* list = qobject_cast<QTreeWidget*>(FindControl(dialog, listId));
    ASSERT_NE(list, nullptr);
    list->setColumnCount(2);
    for (const char* text : {"a", "b"}) new QTreeWidgetItem(list, QStringList{text, text});
    dialog.show();
    const QRect first = list->visualItemRect(list->topLevelItem(0));
    ASSERT_FALSE(first.isEmpty());
    const QImage picture = list->viewport()->grab().toImage();
    const QRgb background = picture.pixel(first.width() / 4, first.center().y() - 3);  // inside the row, no text
    const QRgb rows = picture.pixel(first.width() / 4, first.bottom());
    EXPECT_NE(rows, background) << "a line between the rows";
    EXPECT_EQ(picture.pixel(list->columnWidth(0) - 1, first.center().y()), rows) << "and between the columns";
  }
}

TEST(Pictures, HaveTheirSizes) {
  platform::qt::testing::OffscreenApplication();
  const struct {
    int id, width, height;
  } cases[] = {{kCsvSheetIcon, 32, 32}, {kXmlSheetIcon, 32, 32}, {kColumnImages, 64, 16},
               {kFieldImages, 80, 16}, {kFormImages, 32, 16}};
  for (const auto& c : cases) {
    const QPixmap picture = Picture(c.id);
    EXPECT_EQ(picture.size(), QSize(c.width, c.height)) << c.id;
    EXPECT_TRUE(picture.hasAlphaChannel()) << c.id;
  }
}

}  // namespace
}  // namespace resources
