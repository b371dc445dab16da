#include "index/indexer.h"

#include <gtest/gtest.h>

#include "index/test_database.h"
#include "status_error.h"

namespace host::index {
namespace {

using testing::Column;
using testing::NumberItem;
using testing::TestDatabase;
using testing::TextItem;

std::vector<std::uint32_t> NoteIds(const std::vector<Row>& rows) {
  std::vector<std::uint32_t> ids;
  for (const Row& row : rows) ids.push_back(row.noteId);
  return ids;
}

TEST(Indexer, SelectsTheDocumentsTheSelectionFormulaPicks) {
  TestDatabase db;
  db.Document(4, {TextItem("Form", {"Order"}), NumberItem("Qty", {3})});
  db.Document(8, {TextItem("Form", {"Memo"}), NumberItem("Qty", {5})});
  db.Document(12, {TextItem("Form", {"Order"})}).deleted = true;
  db.Document(16, {TextItem("Form", {"Order"}), NumberItem("Qty", {1})});
  const model::Note& view = db.View(20, "Orders", {Column("Qty")}, "SELECT Form = \"Order\"");

  const std::vector<Row> rows = IndexView(db.Get(), view);
  EXPECT_EQ(NoteIds(rows), (std::vector<std::uint32_t>{4, 16})) << "no deleted document, no design note";
  ASSERT_EQ(rows[0].values.size(), 1u);
  EXPECT_EQ(rows[0].values[0], model::Value(model::Numbers{{3}, {}}));
}

TEST(Indexer, EveryDocumentRowHasAValueInEveryColumn) {
  TestDatabase db;
  db.Document(4, {TextItem("Name", {"Abe"})});
  const model::Note& view = db.View(8, "All", {Column("Name"), Column("Missing"), Column("@Error")});

  const std::vector<Row> rows = IndexView(db.Get(), view);
  ASSERT_EQ(rows.size(), 1u);
  const model::Value empty = model::Text{{""}};
  EXPECT_EQ(rows[0].values[0], model::Value(model::Text{{"Abe"}}));
  EXPECT_EQ(rows[0].values[1], empty) << "a missing item is an empty text";
  EXPECT_EQ(rows[0].values[2], empty) << "a formula failing on the document gives an empty text";
}

TEST(Indexer, CategoryRowsCarryOnlyTheirOwnColumn) {
  TestDatabase db;
  db.Document(4, {TextItem("Region", {"East", "West"}), TextItem("Name", {"Abe"})});
  db.Document(8, {TextItem("Region", {"West"}), TextItem("Name", {"Ito"})});
  const model::Note& view = db.View(12, "By Region", {Column("Region", model::SortOrder::None, true), Column("Name")});

  const std::vector<Row> rows = IndexView(db.Get(), view);
  ASSERT_EQ(NoteIds(rows), (std::vector<std::uint32_t>{0x80000001, 4, 0x80000002, 4, 8}));
  EXPECT_EQ(rows[2].values[0], model::Value(model::Text{{"West"}}));
  EXPECT_FALSE(rows[2].values[1].has_value());
  EXPECT_EQ(rows[4].values[1], model::Value(model::Text{{"Ito"}}));
}

// @DocNumber counts rows in view order: in a sorted view by the sorted position, under categories
// by the category's number and the place under it (a document under two categories has two).
TEST(Indexer, DocNumberCountsInViewOrder) {
  TestDatabase db;
  db.Document(4, {TextItem("Region", {"West"}), TextItem("Name", {"Ueda"})});
  db.Document(8, {TextItem("Region", {"East", "West"}), TextItem("Name", {"Abe"})});
  db.Document(12, {TextItem("Region", {"East"}), TextItem("Name", {"Ito"})});
  const auto numbers = [](const std::vector<Row>& rows, std::size_t column) {
    std::vector<std::string> texts;
    for (const Row& row : rows)
      texts.push_back(row.values[column] ? std::get<model::Text>(*row.values[column]).values[0] : "-");
    return texts;
  };
  const model::Note& sorted =
      db.View(16, "By Name", {Column("Name", model::SortOrder::Ascending), Column("@DocNumber")});
  EXPECT_EQ(numbers(IndexView(db.Get(), sorted), 1), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(NoteIds(IndexView(db.Get(), sorted)), (std::vector<std::uint32_t>{8, 12, 4}));

  const model::Note& categorized = db.View(
      20, "By Region",
      {Column("Region", model::SortOrder::None, true), Column("Name", model::SortOrder::Ascending), Column("@DocNumber")});
  const std::vector<Row> rows = IndexView(db.Get(), categorized);
  ASSERT_EQ(NoteIds(rows), (std::vector<std::uint32_t>{0x80000001, 8, 12, 0x80000002, 8, 4}));
  EXPECT_EQ(numbers(rows, 2), (std::vector<std::string>{"-", "1.1", "1.2", "-", "2.1", "2.2"}));
}

TEST(Indexer, AFolderWithoutASelectionFormulaHoldsNoDocuments) {
  TestDatabase db;
  db.Document(4, {TextItem("Name", {"Abe"})});
  const model::Note& folder = db.View(8, "Kept", {Column("Name")}, "", model::NoteClass::Folder);
  EXPECT_TRUE(IndexView(db.Get(), folder).empty());
}

TEST(Indexer, AFormulaThatDoesNotCompileIsAStatus) {
  TestDatabase db;
  db.Document(4, {});
  const model::Note& badColumn = db.View(8, "Bad", {Column("@Left(")});
  const model::Note& badSelection = db.View(12, "Bad too", {}, "SELECT @NoSuchFunction(1)");
  for (const model::Note* view : {&badColumn, &badSelection}) {
    try {
      IndexView(db.Get(), *view);
      ADD_FAILURE() << view->view->name << " indexed";
    } catch (const StatusError& error) {
      EXPECT_GE(error.status, kErrFormulaSyntax);
      EXPECT_LE(error.status, kErrFormulaUnsupported);
    }
  }
}

}  // namespace
}  // namespace host::index
