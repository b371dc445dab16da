// The rows of a view as the window shows them: formatted cells, category rows with their levels
// and subtrees, and batches read as they are asked for.
#include "client/view_rows.h"

#include <gtest/gtest.h>
#include <host/notes.h>
#include <host/testing/builder.h>

#include <memory>
#include <string>
#include <vector>

namespace client {
namespace {

using host::testing::ColumnDesign;
using host::testing::DatabaseBuilder;

// The rows of `view`, read from its collection.
class OpenView {
 public:
  OpenView(DatabaseBuilder& db, NOTEID view) {
    const DBHANDLE handle = db.Register();
    EXPECT_EQ(CoreOpenCollection(handle, view, &collection_), 0u);
    LNNotesSession session;
    session.Initialize();
    LNDatabase database;
    LNViewFolder folder;
    EXPECT_EQ(session.GetDatabase(handle, &database), 0u);
    EXPECT_EQ(database.GetViewFolder(view, &folder), 0u);
    EXPECT_EQ(folder.Open(), 0u);
    rows_ = std::make_unique<ViewRows>(collection_, ReadViewLayout(folder));
  }
  ~OpenView() {
    rows_.reset();
    CoreCloseCollection(collection_);
  }
  ViewRows& Rows() { return *rows_; }

 private:
  CoreCollectionHandle collection_ = 0;
  std::unique_ptr<ViewRows> rows_;
};

TEST(ViewRows, CellsAreFormattedAsTheViewShowsThem) {
  DatabaseBuilder db;
  db.Document("F")
      .Text("Name", {"Abe"})
      .Text("Tags", {"a", "b", "c"})
      .Numbers("Price", {1234.5})
      .Numbers("Counts", {1, 2, 3})
      .Numbers("Icon", {82})
      .Numbers("NoIcon", {0})
      .Datetimes("When", {host::testing::At(2026, 4, 1, 9, 15, 0)})
      .Text("Lines", {"one", "two"});
  LNNumberFormat fixed;
  fixed.SetStyle(LNNUMBERFORMATSTYLE_FIXED);
  fixed.SetDigits(2);
  fixed.SetPunctuated(TRUE);
  LNDatetimeFormat dateOnly;
  dateOnly.SetShow(LNDATETIMESHOW_DATE);
  const NOTEID view = db.View("All")
                          .Column({.title = "名前", .itemName = "Name"})
                          .Column({.title = "隠し", .itemName = "Name", .hidden = true})
                          .Column({.itemName = "Tags", .separator = LNVFSEPARATOR_SEMICOLON})
                          .Column({.itemName = "Tags", .separator = LNVFSEPARATOR_NONE})
                          .Column({.itemName = "Price", .numberFormat = fixed})
                          .Column({.itemName = "Counts", .separator = LNVFSEPARATOR_SPACE})
                          .Column({.itemName = "Icon", .icons = true})
                          .Column({.itemName = "NoIcon", .icons = true})
                          .Column({.itemName = "When", .datetimeFormat = dateOnly})
                          .Column({.itemName = "Lines", .separator = LNVFSEPARATOR_NEWLINE})
                          .Column({.itemName = "Missing", .width = 2.5})
                          .Id();
  OpenView open(db, view);
  ViewRows& rows = open.Rows();
  ASSERT_EQ(rows.Count(), 1u);
  const ViewLayout& layout = rows.Layout();
  ASSERT_EQ(layout.shown.size(), 10u) << "the hidden column is not shown";
  EXPECT_EQ(layout.shown[0].title, "名前");
  EXPECT_EQ(layout.shown[1].title, "");
  EXPECT_EQ(layout.shown[1].valueIndex, 2) << "values are found by column number";
  EXPECT_EQ(layout.shown[0].width, 10);
  EXPECT_EQ(layout.shown[9].width, 2.5);
  const std::vector<std::string> expected = {
      "Abe", "a;b;c", "abc", "1,234.50", "1 2 3", "82", "", "2026/04/01", "one\ntwo", ""};
  EXPECT_EQ(rows.At(0).cells, expected);
  EXPECT_EQ(rows.At(0).categoryLevel, -1);
}

// Two categorised columns; the document with two regions stands under both.
TEST(ViewRows, CategoryRowsHaveTheirLevelAndSubtree) {
  DatabaseBuilder db;
  const NOTEID a = db.Document().Text("Region", {"East"}).Text("Who", {"Ann"}).Text("No", {"1"}).Id();
  const NOTEID b = db.Document().Text("Region", {"East", "West"}).Text("Who", {"Bob"}).Text("No", {"2"}).Id();
  const NOTEID c = db.Document().Text("Region", {"West"}).Text("Who", {"Bob"}).Text("No", {"3"}).Id();
  const NOTEID view = db.View("ByRegion")
                          .Column({.title = "Region", .itemName = "Region", .categorized = true})
                          .Column({.itemName = "Who", .hidden = true, .categorized = true})
                          .Column({.title = "No", .itemName = "No", .sort = host::testing::Sort::Ascending})
                          .Id();
  OpenView open(db, view);
  ViewRows& rows = open.Rows();
  struct Expected {
    bool category;
    int level;
    NOTEID document;
    std::vector<std::string> cells;
  };
  const std::vector<Expected> expected = {
      {true, 0, 0, {"East", ""}}, {true, 1, 0, {"", "Ann"}}, {false, -1, a, {"", "1"}},
      {true, 1, 0, {"", "Bob"}},  {false, -1, b, {"", "2"}},
      {true, 0, 0, {"West", ""}}, {true, 1, 0, {"", "Bob"}}, {false, -1, b, {"", "2"}}, {false, -1, c, {"", "3"}},
  };
  ASSERT_EQ(rows.Count(), expected.size());
  for (std::uint32_t i = 0; i < rows.Count(); ++i) {
    const ViewRow& row = rows.At(i);
    EXPECT_EQ(IsCategoryNoteId(row.noteId), expected[i].category) << i;
    EXPECT_EQ(row.categoryLevel, expected[i].level) << i;
    if (!expected[i].category) {
      EXPECT_EQ(row.noteId, expected[i].document) << i;
    }
    EXPECT_EQ(row.cells, expected[i].cells) << i << " (a hidden category shows in the next visible column)";
  }
  EXPECT_EQ(rows.SubtreeEnd(0), 5u);
  EXPECT_EQ(rows.SubtreeEnd(1), 3u);
  EXPECT_EQ(rows.SubtreeEnd(5), 9u);
  EXPECT_EQ(rows.SubtreeEnd(2), 3u) << "a document row has no subtree";
  EXPECT_EQ(rows.DocumentsIn(1, rows.SubtreeEnd(0)), (std::vector<NOTEID>{a, b}));
  EXPECT_EQ(rows.DocumentsIn(0, rows.Count()), (std::vector<NOTEID>{a, b, b, c}));
}

// Entries of about 1 KB: one read of the host gives fewer entries than a batch holds, so a batch
// takes several reads. Rows asked for in any order are the rows in view order, and only a bounded
// number of them is held.
TEST(ViewRows, LargeViewsAreReadInBatchesAsTheyAreAskedFor) {
  DatabaseBuilder db;
  const std::string padding(1000, 'x');
  constexpr int kDocuments = 20'000;
  for (int i = 0; i < kDocuments; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "%06d", i);
    db.Document().Text("No", {number}).Text("Pad", {padding});
  }
  const NOTEID view = db.View("All")
                          .Column({.itemName = "No", .sort = host::testing::Sort::Ascending})
                          .Column({.itemName = "Pad"})
                          .Id();
  OpenView open(db, view);
  ViewRows& rows = open.Rows();
  ASSERT_EQ(rows.Count(), static_cast<std::uint32_t>(kDocuments));
  for (const std::uint32_t i : {19'999u, 0u, 127u, 128u, 12'345u, 129u, 19'872u}) {
    char number[16];
    std::snprintf(number, sizeof number, "%06u", i);
    EXPECT_EQ(rows.At(i).cells.at(0), number) << i;
    EXPECT_EQ(rows.At(i).cells.at(1).size(), padding.size()) << i;
  }
  for (std::uint32_t i = 0; i < rows.Count(); i += 97) rows.At(i);
  EXPECT_LE(rows.HeldRows(), ViewRows::kHeldBatches * ViewRows::kBatchRows);
}

}  // namespace
}  // namespace client
