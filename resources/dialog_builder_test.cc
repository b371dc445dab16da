#include "resources/dialog_builder.h"

#include <gtest/gtest.h>
#include <platform/qt/testing/modal_boxes.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionComboBox>
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
    if (control.kind == ControlKind::DropDownList) {
      EXPECT_GE(made->width(), expected.width()) << "a closed list may grow to show its entries";
    } else {
      EXPECT_EQ(made->width(), expected.width());
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

// Each entry of each closed list shows whole in the room the list gives its text, and a list that grew
// for it still lies inside its frame, clear of its frame's edge and of every other control.
TEST(DialogBuilder, ClosedListsShowTheirEntriesWhole) {
  platform::qt::testing::OffscreenApplication();
  for (const int dialogId : {kCsvOptionPage, kXmlOptionPage}) {
    QWidget page;
    BuildControls(Dialog(dialogId), page);
    const QList<QComboBox*> lists = page.findChildren<QComboBox*>();
    ASSERT_FALSE(lists.isEmpty());
    for (const QComboBox* list : lists) {
      SCOPED_TRACE(list->objectName().toStdString());
      QStyleOptionComboBox option;
      option.initFrom(list);
      const QRect text = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
      const QRect arrow = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, list);
      EXPECT_LE(list->width() - text.width(), 23) << "an edge and an arrow as narrow as the platform's";
      EXPECT_LT(text.right(), arrow.left());
      for (int i = 0; i < list->count(); ++i)
        EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)), text.width()) << list->itemText(i).toStdString();

      const QGroupBox* frame = nullptr;
      for (const QGroupBox* box : page.findChildren<QGroupBox*>())
        if (box->geometry().contains(list->geometry().topLeft()) && (!frame || frame->geometry().contains(box->geometry())))
          frame = box;
      ASSERT_NE(frame, nullptr);
      EXPECT_LT(list->geometry().right() + 1, frame->geometry().right()) << "clear of the frame's line";
      for (const QWidget* other : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != list && !qobject_cast<const QGroupBox*>(other)) {
          EXPECT_FALSE(other->geometry().intersects(list->geometry())) << other->objectName().toStdString();
        }
      }
    }
  }
  QWidget csv;
  BuildControls(Dialog(kCsvOptionPage), csv);
  const int right = FindControl(csv, 21018)->geometry().right();
  EXPECT_GT(right, ToPixels(DialogBaseUnits(csv.font()), 216, 0, 48, 0).right()) << "it grew";
  for (const int id : {21017, 21020, 21025}) EXPECT_EQ(FindControl(csv, id)->geometry().right(), right) << "the lists below each other end in one line";
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
