#include "dialogs/column_rules.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>

#include <algorithm>

namespace dialogs {
namespace {

TEST(ColumnButtonStates, EditAndDeleteFollowTheFocusUpAndDownTheSelection) {
  const struct {
    const char* name;
    bool focusedIsFormula;
    std::vector<int> selected;
    int count;
    ColumnButtons expected;
  } cases[] = {
      {"empty list", false, {}, 0, {false, false, false, false}},
      {"nothing selected", true, {}, 3, {true, true, false, false}},
      {"top entry", false, {0}, 3, {false, false, false, true}},
      {"bottom entry", false, {2}, 3, {false, false, true, false}},
      {"top two", false, {0, 1}, 3, {false, false, false, true}},
      {"0, 2 and 3 of 4", false, {0, 2, 3}, 4, {false, false, true, true}},
      {"bottom three of 4", false, {1, 2, 3}, 4, {false, false, true, false}},
      {"0, 2 of 4", true, {0, 2}, 4, {true, true, true, true}},
      {"all", false, {0, 1, 2}, 3, {false, false, false, false}},
  };
  for (const auto& c : cases) EXPECT_EQ(ColumnButtonStates(c.focusedIsFormula, c.selected, c.count), c.expected) << c.name;
}

// The positions of the selected entries after the swaps.
std::vector<int> MovedSelection(std::vector<int> selected, int count, bool up) {
  std::vector<char> flags(static_cast<std::size_t>(count));
  for (const int s : selected) flags[static_cast<std::size_t>(s)] = true;
  for (const auto& [a, b] : up ? UpSwaps(selected) : DownSwaps(selected, count)) {
    EXPECT_EQ(b, a + 1);
    std::swap(flags[static_cast<std::size_t>(a)], flags[static_cast<std::size_t>(b)]);
  }
  std::vector<int> moved;
  for (int i = 0; i < count; ++i)
    if (flags[static_cast<std::size_t>(i)]) moved.push_back(i);
  return moved;
}

TEST(ColumnMoves, EverySelectedEntryMovesOnePlaceUnlessPackedAgainstTheEnd) {
  const struct {
    std::vector<int> selected;
    int count;
    bool up;
    std::vector<int> after;
  } cases[] = {
      {{0, 2, 3}, 4, true, {0, 1, 2}},
      {{1, 3}, 5, true, {0, 2}},
      {{0, 1}, 3, true, {0, 1}},
      {{0, 2}, 4, false, {1, 3}},
      {{1, 3}, 4, false, {2, 3}},
      {{2, 3}, 4, false, {2, 3}},
  };
  for (const auto& c : cases) EXPECT_EQ(MovedSelection(c.selected, c.count, c.up), c.after);
}

TEST(RebuildColumns, DisplayOrderWithoutUnsetEntries) {
  ColumnSpecList working;
  for (const char* title : {"a", "b", "c", "d"}) {
    ColumnSpec spec;
    spec.kind = ColumnKind::ViewColumn;
    spec.title = title;
    working.SetAtGrow(working.GetCount(), spec);
  }
  working[1] = ColumnSpec();  // a deleted formula column
  const ColumnSpecList rebuilt = RebuildColumns(working, {3, 1, 0, 2});
  std::vector<std::string> titles;
  for (const ColumnSpec& spec : rebuilt) titles.emplace_back(spec.title.GetPlatformTextPtr());
  EXPECT_EQ(titles, (std::vector<std::string>{"d", "a", "c"}));
}

TEST(ColumnImageAndTip, IconBeforeHiddenAndTheFormulasText) {
  ColumnSpec view;
  view.kind = ColumnKind::ViewColumn;
  view.columnNumber = 4;
  view.hidden = false;
  EXPECT_EQ(ColumnImage(view), 0);
  EXPECT_EQ(platform::Cp932ToUtf8(ColumnTip(view)), "タイプ : ビュー\r\n列番号 : 4");
  view.hidden = true;
  EXPECT_EQ(ColumnImage(view), 1);
  EXPECT_EQ(platform::Cp932ToUtf8(ColumnTip(view)), "タイプ : ビュー(非表示)\r\n列番号 : 4");
  view.icon = true;
  EXPECT_EQ(ColumnImage(view), 2);
  EXPECT_EQ(platform::Cp932ToUtf8(ColumnTip(view)), "タイプ : ビュー(アイコン)\r\n列番号 : 4");

  ColumnSpec formula;
  formula.SetFormula(LNString("Qty * 2"), 0x3000);
  EXPECT_EQ(ColumnImage(formula), 3);
  EXPECT_EQ(platform::Cp932ToUtf8(ColumnTip(formula)), "タイプ : 式\r\n式 : Qty * 2");
}

}  // namespace
}  // namespace dialogs
