#include "columns/column_data_array.h"

#include <gtest/gtest.h>

#include "columns/test_notes.h"

namespace {

class LoadFromViewTest : public columns_test::NotesTest {};

TEST_F(LoadFromViewTest, ColumnsOfTheViewInOrderWithTheirDesign) {
  LNNumberFormat fixed;
  fixed.SetStyle(LNNUMBERFORMATSTYLE_FIXED);
  const NOTEID view =
      db_.View("Orders")
          .Column({.title = "Kind", .itemName = "Kind", .categorized = true, .separator = LNVFSEPARATOR_NEWLINE})
          .Column({.title = std::nullopt, .itemName = "Amount", .numberFormat = fixed})
          .Column({.title = "Secret", .itemName = "Secret", .hidden = true})
          .Column({.title = "Flag", .itemName = "Flag", .icons = true})
          .Id();
  LNViewFolder folder = View(view);
  CColumnDataArray columns;
  columns.SetSize(7);  // whatever was there goes
  columns.LoadFromView(folder);
  EXPECT_FALSE(folder.IsOpen());
  ASSERT_EQ(columns.GetCount(), 4u);

  const struct Expected {
    const char* title;
    bool hidden, icon, categorized, output;
  } expected[] = {
      {"Kind", false, false, true, true},
      {"Amount", false, false, false, true},  // untitled: the internal name
      {"Secret", true, false, false, false},
      {"Flag", false, true, false, false},
  };
  for (std::size_t i = 0; i < columns.GetCount(); ++i) {
    const ColumnSpec& spec = columns[i];
    EXPECT_EQ(spec.kind, ColumnKind::ViewColumn) << i;
    EXPECT_EQ(spec.columnNumber, i);
    EXPECT_STREQ(spec.title.GetTextPtr(), expected[i].title) << i;
    EXPECT_EQ(spec.hidden, expected[i].hidden) << i;
    EXPECT_EQ(spec.icon, expected[i].icon) << i;
    EXPECT_EQ(spec.categorized, expected[i].categorized) << i;
    EXPECT_EQ(spec.output, expected[i].output) << i;
  }
  EXPECT_EQ(columns[0].designSeparator, static_cast<std::uint32_t>(LNVFSEPARATOR_NEWLINE));
  EXPECT_EQ(columns[1].numberFormat.GetStyle(), LNNUMBERFORMATSTYLE_FIXED);
  EXPECT_STREQ(columns[1].formula.GetText().GetTextPtr(), "Amount");

  columns.CheckAll();
  for (const ColumnSpec& spec : columns) EXPECT_TRUE(spec.IsOutput());
}

TEST_F(LoadFromViewTest, AnOpenViewIsClosedToo) {
  const NOTEID view = db_.View("None").Id();
  LNViewFolder folder = View(view);
  ASSERT_EQ(folder.Open(0), 0u);
  CColumnDataArray columns;
  columns.SetSize(2);
  columns.LoadFromView(folder);
  EXPECT_EQ(columns.GetCount(), 0u);
  EXPECT_FALSE(folder.IsOpen());
}

TEST(CheckAll, FormulaAndUnsetSpecs) {
  CColumnDataArray columns;
  ColumnSpec formula;
  formula.kind = ColumnKind::Formula;
  columns.SetAtGrow(1, formula);
  columns.CheckAll();
  EXPECT_TRUE(columns[0].output);
  EXPECT_FALSE(columns[0].IsOutput());  // unset specs stay out
  EXPECT_TRUE(columns[1].IsOutput());
}

}  // namespace
