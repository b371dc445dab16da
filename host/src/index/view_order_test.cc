#include "index/view_order.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "index/packed_value.h"
#include "index/summary_table.h"

namespace host::index {
namespace {

model::Value T(std::vector<std::string> values) { return model::Text{std::move(values)}; }
model::Value N(double value) { return model::Numbers{{value}, {}}; }
model::Value D(std::int32_t date, std::int32_t time, std::int16_t zone) {
  return model::DateTimes{{model::DateTime{date, time, zone, false}}, {}};
}

struct Document {
  std::uint32_t noteId;
  std::vector<model::Value> values;
};

// The documents in note-ID order, packed as the indexer packs them.
PackedRows Pack(const std::vector<Document>& documents) {
  PackedRows rows;
  TablePacker packer;
  for (const Document& document : documents) {
    std::vector<const model::Value*> values;
    for (const model::Value& value : document.values) values.push_back(&value);
    rows.entries.push_back({rows.tables.Add(packer, values), document.noteId});
  }
  return rows;
}

std::vector<std::uint32_t> NoteIds(const PackedRows& rows) {
  std::vector<std::uint32_t> ids;
  for (const PackedRows::Entry& entry : rows.entries) ids.push_back(entry.noteId);
  return ids;
}

struct OrderCase {
  const char* name;
  std::vector<SortKey> keys;
  std::vector<Document> documents;
  std::vector<std::uint32_t> order;
};

TEST(ViewOrder, SortsByTheSortedColumnsLeftToRightThenByNoteId) {
  const OrderCase cases[] = {
      {"no sorted column: note-ID order", {}, {{4, {T({"b"})}}, {8, {T({"a"})}}}, {4, 8}},
      {"text, ASCII letters without regard to case",
       {{0}},
       {{4, {T({"banana"})}}, {8, {T({"apple"})}}, {12, {T({"Cherry"})}}, {16, {T({"Apple"})}}, {20, {T({"_x"})}}},
       {20, 8, 16, 4, 12}},
      {"text by character code beyond ASCII",
       {{0}},
       {{4, {T({"\xE8\xA1\xA8"})}}, {8, {T({"\xE3\x82\xBD"})}}, {12, {T({"z"})}}},
       {12, 8, 4}},
      {"numbers by value", {{0}}, {{4, {N(10)}}, {8, {N(9)}}, {12, {N(-1)}}, {16, {N(2.5)}}}, {12, 16, 8, 4}},
      {"date/times by instant, zones included",
       {{0}},
       // 10:00 +09:00 is 01:00 UTC, before 02:00 +00:00 on the same day; the next day is last.
       {{4, {D(100, 200'000, 0)}}, {8, {D(100, 360'000, 540)}}, {12, {D(101, 0, 0)}}},
       {8, 4, 12}},
      {"descending, ties still by ascending note ID",
       {{0, true}},
       {{4, {N(1)}}, {8, {N(2)}}, {12, {N(1)}}, {16, {N(3)}}},
       {16, 8, 4, 12}},
      {"second sorted column breaks ties of the first",
       {{0}, {2, true}},
       {{4, {T({"a"}), T({"x"}), N(1)}}, {8, {T({"a"}), T({"y"}), N(2)}}, {12, {T({"A"}), T({"z"}), N(3)}}},
       {12, 8, 4}},
      {"a multi-valued sorted column sorts by its first value",
       {{0}},
       {{4, {T({"b", "a"})}}, {8, {T({"a", "z"})}}},
       {8, 4}},
      {"texts alike beyond the sort prefix",
       {{0}, {1, true}},
       {{4, {T({std::string(30, 'x') + "b"}), N(1)}}, {8, {T({std::string(30, 'x') + "a"}), N(1)}},
        {12, {T({std::string(30, 'x') + "a"}), N(2)}}},
       {12, 8, 4}},
      {"bytes 0 and 1 in texts",
       {{0}},
       {{4, {T({std::string("a\x01")})}}, {8, {T({std::string("a")})}}, {12, {T({std::string("a\0b", 3)})}},
        {16, {T({std::string("a\x02")})}}},
       {8, 12, 4, 16}},
      {"negative numbers, infinity and NaN",
       {{0}},
       {{4, {N(std::nan(""))}}, {8, {N(3)}}, {12, {N(-0.5)}}, {16, {N(-1e300)}}, {20, {N(-INFINITY)}}},
       {20, 16, 12, 8, 4}},
      {"several kinds in one column: empty list, numbers, date/times, texts",
       {{0}},
       {{4, {T({"a"})}}, {8, {D(0, 0, 0)}}, {12, {N(5)}}, {16, {T({})}}},
       {16, 12, 8, 4}},
  };
  for (const OrderCase& c : cases) {
    SCOPED_TRACE(c.name);
    PackedRows rows = Pack(c.documents);
    OrderRows(c.keys, static_cast<std::uint16_t>(c.documents[0].values.size()), rows);
    EXPECT_EQ(NoteIds(rows), c.order);
  }
}

// A category row's one value, as text; fails when any other column carries one.
std::string CategoryValue(const PackedRows& rows, std::size_t entry, std::size_t column, std::size_t columnCount) {
  const std::uint8_t* table = rows.TableOf(rows.entries[entry]);
  for (std::size_t c = 0; c < columnCount; ++c)
    if (c != column) {
      EXPECT_TRUE(ValueInTable(table, c).empty()) << "entry " << entry << " column " << c;
    }
  const std::span<const std::uint8_t> value = ValueInTable(table, column);
  if (value.empty()) return "<absent>";
  return std::get<model::Text>(UnpackValue(value)).values.at(0);
}

TEST(ViewOrder, CategoryRowsHeadEachValueOfEachCategorisedColumn) {
  // Region and Tag are categorised; document 4 has two tags (and one twice, in other letter case).
  PackedRows rows = Pack({
      {4, {T({"East"}), T({"b", "a", "B"}), T({"d4"})}},
      {8, {T({"West"}), T({"a"}), T({"d8"})}},
      {12, {T({"east"}), T({"a"}), T({"d12"})}},
  });
  OrderRows({{0, false, true}, {1, false, true}}, 3, rows);

  const std::vector<std::uint32_t> expected = {0x80000001, 0x80000002, 4, 12, 0x80000003, 4,
                                               0x80000004, 0x80000005, 8};
  ASSERT_EQ(NoteIds(rows), expected);
  EXPECT_EQ(CategoryValue(rows, 0, 0, 3), "East") << "the first document's spelling heads the category";
  EXPECT_EQ(CategoryValue(rows, 1, 1, 3), "a");
  EXPECT_EQ(CategoryValue(rows, 4, 1, 3), "b");
  EXPECT_EQ(CategoryValue(rows, 6, 0, 3), "West");
  EXPECT_EQ(CategoryValue(rows, 7, 1, 3), "a");

  // Document rows keep all their values, the whole list included.
  const std::uint8_t* document4 = rows.TableOf(rows.entries[2]);
  EXPECT_EQ(UnpackValue(ValueInTable(document4, 1)), T({"b", "a", "B"}));
  EXPECT_EQ(rows.entries[2].table, rows.entries[5].table) << "a document under two categories is packed once";
}

TEST(ViewOrder, DescendingCategoriesAndNumberListCategories) {
  PackedRows rows = Pack({
      {4, {model::Numbers{{1, 3}, {{7, 8}}}}},
      {8, {N(2)}},
  });
  OrderRows({{0, true, true}}, 1, rows);
  const std::vector<std::uint32_t> expected = {0x80000001, 4, 0x80000002, 8, 0x80000003, 4};
  ASSERT_EQ(NoteIds(rows), expected);
  EXPECT_EQ(UnpackValue(ValueInTable(rows.TableOf(rows.entries[0]), 0)), N(3));
  EXPECT_EQ(UnpackValue(ValueInTable(rows.TableOf(rows.entries[4]), 0)), N(1));
}

}  // namespace
}  // namespace host::index
