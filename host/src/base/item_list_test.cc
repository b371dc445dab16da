#include <gtest/gtest.h>

#include "model.h"

namespace host::model {
namespace {

// Every kind of value comes back as it went in, in order, and is found by its name in any ASCII case.
TEST(ItemList, KeepsEveryKindOfValue) {
  RTElement field;
  field.type = RTType::FormField;
  field.fieldName = "合計";
  const DateTime morning{20000, 3000000, 540, true};
  const std::vector<Item> items = {
      {"Form", Text{{"受注"}}, kSummary},
      {"空", Text{}, 0},
      {"一覧", Text{{"ソ", "", std::string(300, 'x')}}, kSummary | kNames},
      {"数量", Numbers{{1.5, -2}, {{1, 9}}}, kSummary},
      {"日付", DateTimes{{morning}, {{morning, morning}}}, kSummary},
      {"本文", RichText{{field}}, 0},
      {"$REF", Unsupported{"noteref", 0x19}, kSummary | kProtected},
      {"form", Text{{"second of the name"}}, 0},
  };
  const ItemList list(items);
  ASSERT_EQ(list.size(), items.size());
  EXPECT_EQ(std::vector<Item>(list.begin(), list.end()), items);
  for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(list[i], items[i]) << i;
  EXPECT_EQ(list.Find("FORM"), items[0]);  // the first of two names that differ in case
  EXPECT_EQ(list.Find("$ref"), items[6]);
  EXPECT_FALSE(list.Find("none").has_value());
  EXPECT_TRUE(ItemList().empty());

  const ItemList copy = list;  // rich text is copied with its list
  EXPECT_EQ(copy[5], items[5]);
}

}  // namespace
}  // namespace host::model
