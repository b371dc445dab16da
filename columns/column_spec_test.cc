#include "columns/column_spec.h"

#include <gtest/gtest.h>

#include "columns/test_notes.h"
#include "columns/view_entry.h"
#include "columns/view_entry_list.h"

namespace {

class ColumnSpecTest : public columns_test::NotesTest {};

TEST_F(ColumnSpecTest, DefaultSpecIsAnUnsetHiddenColumnWithTheSemicolon) {
  ColumnSpec spec;
  EXPECT_EQ(spec.kind, ColumnKind::Unset);
  EXPECT_EQ(spec.columnNumber, 0xFFFFFFFFu);
  EXPECT_TRUE(spec.hidden);
  EXPECT_FALSE(spec.icon || spec.categorized || spec.output);
  EXPECT_TRUE(spec.title.IsNull());
  EXPECT_TRUE(spec.formula.IsNull());
  EXPECT_EQ(spec.designSeparator, 0x3000u);
  spec.output = true;
  EXPECT_FALSE(spec.IsOutput());  // an unset spec is never output
}

TEST_F(ColumnSpecTest, SetFormulaMakesAFormulaColumnThatIsNotOutputYet) {
  ColumnSpec spec;
  spec.kind = ColumnKind::ViewColumn;
  spec.columnNumber = 3;
  spec.hidden = spec.icon = spec.categorized = spec.output = true;
  spec.title = "Kept";
  spec.SetFormula("Subject", 0x3000);
  EXPECT_EQ(spec.kind, ColumnKind::Formula);
  EXPECT_EQ(spec.columnNumber, kNoColumnNumber);
  EXPECT_FALSE(spec.hidden || spec.icon || spec.categorized || spec.output);
  EXPECT_STREQ(spec.formula.GetText().GetTextPtr(), "Subject");
  EXPECT_STREQ(spec.title.GetTextPtr(), "Kept");
  EXPECT_FALSE(spec.IsOutput());
}

TEST_F(ColumnSpecTest, RejectedFormulaThrowsAndLeavesTheSpecAsItWas) {
  ColumnSpec spec;
  spec.SetFormula("Subject", 0x2000);
  spec.output = true;
  EXPECT_THROW(spec.SetFormula("Subject +* )", 0x3000), LNSTATUS);
  EXPECT_STREQ(spec.formula.GetText().GetTextPtr(), "Subject");
  EXPECT_EQ(spec.designSeparator, 0x2000u);
  EXPECT_TRUE(spec.output);
}

TEST_F(ColumnSpecTest, EvaluateFormulaOnADocument) {
  const NOTEID doc = db_.Document().Text("Subject", {"Hello"}).Id();
  ColumnSpec spec;
  spec.SetFormula("Subject", 0x3000);
  LNNote note = Note(doc);
  note.Open();
  EXPECT_EQ(spec.ValueToText(spec.EvaluateFormula(note), nullptr, nullptr), "Hello");
  spec.SetFormula("@Error", 0x3000);
  EXPECT_THROW(spec.EvaluateFormula(note), LNSTATUS);
}

// The category rule: categorized columns have values on category rows, the others on documents.
TEST_F(ColumnSpecTest, EntryValueFollowsTheCategoryRule) {
  db_.Document().Text("Kind", {"k"}).Text("Name", {"n"});
  const NOTEID view = db_.View("ByKind").Column({.title = "Kind", .itemName = "Kind", .categorized = true})
                          .Column({.title = "Name", .itemName = "Name"}).Id();
  ViewEntryList list;
  ASSERT_EQ(list.ReadView(Params(view), true), 0u);
  ASSERT_EQ(list.GetCount(), 2u);
  const ViewEntry category = list.GetEntry(0);
  const ViewEntry document = list.GetEntry(1);
  ASSERT_TRUE(category.IsCategory());
  ASSERT_FALSE(document.IsCategory());

  const struct Case {
    bool categorized;
    std::uint32_t columnNumber;
    const ViewEntry* entry;
    const char* expected;  // null: no value
  } cases[] = {
      {true, 0, &category, "k"},    {false, 0, &category, nullptr}, {false, 1, &category, nullptr},
      {false, 1, &document, "n"},   {true, 0, &document, nullptr},  {false, 2, &document, nullptr},
      {false, kNoColumnNumber, &document, nullptr},
  };
  for (const Case& c : cases) {
    ColumnSpec spec;
    spec.kind = ColumnKind::ViewColumn;
    spec.categorized = c.categorized;
    spec.columnNumber = c.columnNumber;
    const LNItem value = spec.GetEntryValue(*c.entry);
    if (c.expected) {
      EXPECT_EQ(spec.ValueToText(value, nullptr, nullptr), c.expected) << c.columnNumber;
    } else {
      EXPECT_TRUE(value.IsNull()) << c.categorized << " " << c.columnNumber << " " << c.entry->IsCategory();
    }
  }
}

TEST(ColumnSpecList, SetSizeAndSetAtGrow) {
  ColumnSpecList list;
  ColumnSpec spec;
  spec.title = "T";
  list.SetAtGrow(2, spec);
  ASSERT_EQ(list.GetCount(), 3u);
  EXPECT_EQ(list[0].kind, ColumnKind::Unset);
  EXPECT_STREQ(list[2].title.GetTextPtr(), "T");
  list.SetAtGrow(list.GetCount(), spec);
  EXPECT_EQ(list.GetCount(), 4u);
  list.SetAtGrow(0, spec);
  EXPECT_STREQ(list[0].title.GetTextPtr(), "T");
  EXPECT_EQ(list.GetCount(), 4u);
  list.SetSize(1);
  EXPECT_EQ(list.GetCount(), 1u);
  list.SetSize(0);
  EXPECT_EQ(list.GetCount(), 0u);
}

}  // namespace
