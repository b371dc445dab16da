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

// A column whose formula the engine cannot compile still gives the view its rows: the column
// shows a marker naming the @function on each, and the view lists the problem once. A selection
// formula that does not compile is a status whose detail names the view and the @function.
TEST(Indexer, AFormulaBeyondTheEngineCostsOnlyItsColumn) {
  TestDatabase db;
  db.Document(4, {TextItem("Name", {"Abe"})});
  db.Document(8, {TextItem("Name", {"Ito"})});
  std::vector<model::Column> columns = {Column("Name"), Column("@DocFoo(\"\";\"%\")"), Column("@Left(")};
  columns[1].title = "返信数";
  const model::Note& view = db.View(12, "Discussion", columns);

  const PackedRows packed = IndexViewPacked(db.Get(), view);
  EXPECT_EQ(packed.problems, (std::vector<std::string>{"列「返信数」: @DocFoo", "列「3 番目」: 式の構文"}));
  const std::vector<Row> rows = IndexView(db.Get(), view);
  ASSERT_EQ(NoteIds(rows), (std::vector<std::uint32_t>{4, 8}));
  for (const Row& row : rows) {
    EXPECT_EQ(row.values[1], model::Value(model::Text{{"#式エラー: @DocFoo"}}));
    EXPECT_EQ(row.values[2], model::Value(model::Text{{"#式エラー"}}));
  }
  EXPECT_EQ(rows[1].values[0], model::Value(model::Text{{"Ito"}})) << "the other columns are exact";

  const model::Note& badSelection = db.View(16, "Bad too", {}, "SELECT @NoSuchFunction(1)");
  try {
    IndexView(db.Get(), badSelection);
    ADD_FAILURE() << "indexed";
  } catch (const StatusError& error) {
    EXPECT_EQ(error.status, kErrFormulaUnknownFunction);
    EXPECT_NE(error.detail.find("ビュー「Bad too」"), std::string::npos) << error.detail;
    EXPECT_NE(error.detail.find("@NoSuchFunction"), std::string::npos) << error.detail;
  }
}

}  // namespace
// A small discussion: two main documents, responses two levels deep, a response whose parent is
// not in the database and one whose parent the selection leaves out. Each response has a category
// value of its own, which a hierarchy does not use.
class DiscussionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Post(4, "Hello", "B", "");
    Post(8, "Apple", "A", "");
    Post(12, "Re: Hello", "Z", "4");
    Post(16, "Zebra reply to Apple", "Z", "8");
    Post(20, "Re: Re: Hello", "Z", "12");
    Post(24, "A second reply", "Z", "4");
    Post(28, "Orphan", "Z", "99");
    Post(32, "Other", "C", "").items.push_back(TextItem("Form", {"Other"}));
    Post(36, "Re: Other", "Z", "32");
  }
  model::Note& Post(std::uint32_t id, std::string subject, std::string category, std::string parent) {
    model::Note& note = db_.Document(id, {TextItem("Subject", {subject}), TextItem("Category", {category})});
    note.unid = model::Unid(std::string_view(Unid(id)));
    if (!parent.empty()) note.Extras().parentUnid = model::Unid(std::string_view(Unid(std::stoul(parent))));
    return note;
  }
  static std::string Unid(std::uint32_t id) { return std::string(30, '0') + (id < 10 ? "0" : "") + std::to_string(id); }

  // Each row as "note ID/level" (categories as "cat"), then the text of each later column.
  std::vector<std::string> Rows(const model::Note& view) {
    std::vector<std::string> out;
    for (const Row& row : IndexView(db_.Get(), view)) {
      std::string line = row.noteId & 0x80000000u ? "cat" : std::to_string(row.noteId) + "/" + std::to_string(row.level);
      for (std::size_t c = 1; c < row.values.size(); ++c) {
        line += " ";
        if (!row.values[c]) line += "-";
        else
          for (const std::string& text : std::get<model::Text>(*row.values[c]).values) line += text;
      }
      out.push_back(line);
    }
    return out;
  }
  model::Note& View(std::uint32_t id, std::vector<model::Column> columns, std::string selection, bool hierarchy = true) {
    model::Note& view = db_.View(id, "V" + std::to_string(id), std::move(columns), std::move(selection));
    view.view->showResponseHierarchy = hierarchy;
    return view;
  }
  TestDatabase db_;
};

TEST_F(DiscussionTest, ResponsesStandUnderTheirParents) {
  const std::string kSelect = "SELECT Form != \"Other\"";
  const model::Column bySubject = Column("Subject", model::SortOrder::Ascending);
  const model::Column byCategory = Column("Category", model::SortOrder::Ascending, true);
  model::Column levelOfResponses = Column("@Text(@DocLevel)");
  levelOfResponses.responsesOnly = true;
  const struct {
    const char* name;
    model::Note& view;
    std::vector<std::string> rows;
  } cases[] = {
      {"sorted: siblings by the sorted column too",
       View(100, {bySubject, Column("Subject")}, kSelect),
       {"8/0 Apple", "16/1 Zebra reply to Apple", "4/0 Hello", "24/1 A second reply", "12/1 Re: Hello",
        "20/2 Re: Re: Hello"}},
      {"flat: today's order", View(104, {bySubject, Column("Subject")}, kSelect, false),
       {"24/0 A second reply", "8/0 Apple", "4/0 Hello", "28/0 Orphan", "12/0 Re: Hello", "36/0 Re: Other",
        "20/0 Re: Re: Hello", "16/0 Zebra reply to Apple"}},
      {"unsorted: note-ID order at each level", View(108, {Column("Subject"), Column("Subject")}, kSelect),
       {"4/0 Hello", "12/1 Re: Hello", "20/2 Re: Re: Hello", "24/1 A second reply", "8/0 Apple",
        "16/1 Zebra reply to Apple"}},
      {"categorised: responses in their parent's category",
       View(112, {byCategory, bySubject}, kSelect),
       {"cat -", "8/0 Apple", "16/1 Zebra reply to Apple", "cat -", "4/0 Hello", "24/1 A second reply",
        "12/1 Re: Hello", "20/2 Re: Re: Hello"}},
      {"@AllDescendants", View(116, {bySubject, Column("Subject")}, "SELECT Subject = \"Hello\" | @AllDescendants"),
       {"4/0 Hello", "24/1 A second reply", "12/1 Re: Hello", "20/2 Re: Re: Hello"}},
      {"@AllChildren", View(120, {bySubject, Column("Subject")}, "SELECT Subject = \"Hello\" | @AllChildren"),
       {"4/0 Hello", "24/1 A second reply", "12/1 Re: Hello"}},
      {"responses only", View(124, {bySubject, levelOfResponses}, "SELECT Subject = \"Apple\" | @AllChildren"),
       {"8/0 -", "16/1 2"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Rows(c.view), c.rows) << c.name;
}

// Responses that answer each other in a ring hang under no main document: the hierarchy leaves
// them out, a flat view shows them, and @AllDescendants ends its walk.
TEST_F(DiscussionTest, ResponsesInARingEndTheWalk) {
  Post(40, "Ring A", "Z", "44");
  Post(44, "Ring B", "Z", "40");
  const std::string kSelect = "SELECT Subject = \"Ring A\" | @AllDescendants";
  const model::Column bySubject = Column("Subject", model::SortOrder::Ascending);
  EXPECT_EQ(Rows(View(300, {bySubject, Column("Subject")}, kSelect, false)),
            (std::vector<std::string>{"40/0 Ring A", "44/0 Ring B"}));
  EXPECT_TRUE(Rows(View(304, {bySubject, Column("Subject")}, kSelect)).empty());
}

// The functions of a row's place, on each row of the sorted hierarchy.
TEST_F(DiscussionTest, PlaceFunctionsOnEachRow) {
  const model::Note& view = View(
      200,
      {Column("Subject", model::SortOrder::Ascending), Column("@DocNumber"), Column("@DocLevel"), Column("@DocChildren"),
       Column("@DocDescendants(\"\"; \"%件\")"), Column("@DocSiblings"), Column("@DocParentNumber"),
       Column("@IsExpandable")},
      "SELECT Form != \"Other\"");
  EXPECT_EQ(Rows(view), (std::vector<std::string>{
                            "8/0 1 1 1 1件 2  +",
                            "16/1 1.1 2 0  1 1 -",
                            "4/0 2 1 2 3件 2  +",
                            "24/1 2.1 2 0  2 2 -",
                            "12/1 2.2 2 1 1件 2 2 +",
                            "20/2 2.2.1 3 0  1 2.2 -",
                        }));
}

}  // namespace host::index
