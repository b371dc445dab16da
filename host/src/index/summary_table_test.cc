#include "index/summary_table.h"

#include <gtest/gtest.h>

#include <string>

#include "index/packed_value.h"
#include "index/test_bytes.h"

namespace host::index {
namespace {

using testing::Bytes;

std::vector<std::uint8_t> Table(const std::vector<const model::Value*>& values) {
  std::vector<std::uint8_t> out;
  TablePacker().Append(values, out);
  return out;
}

TEST(SummaryTable, HoldsLengthCountValueLengthsAndValues) {
  const model::Value number = model::Numbers{{1}, {}}, text = model::Text{{"xy"}};
  const std::vector<std::uint8_t> table = Table({&number, nullptr, &text});
  EXPECT_EQ(table, Bytes().U16(4 + 6 + 10 + 4).U16(3).U16(10).U16(0).U16(4).U16(0x0300).F64(1).U16(0x0500).Str("xy").Get());

  EXPECT_EQ(TableSize(table.data()), table.size());
  EXPECT_EQ(ValueInTable(table.data(), 0).size(), 10u);
  EXPECT_TRUE(ValueInTable(table.data(), 1).empty());
  EXPECT_EQ(UnpackValue(ValueInTable(table.data(), 2)), text);
  EXPECT_TRUE(ValueInTable(table.data(), 3).empty()) << "beyond the value count";
}

TEST(SummaryTable, ValuesTooLargeTogetherAreCutSoTheEntryFitsOneBuffer) {
  const model::Value small = model::Text{{"small"}};
  const model::Value big = model::Text{{std::string(70'000, 'a')}};
  const model::Value list = model::Text{std::vector<std::string>(3'000, std::string(20, 'b'))};
  const std::vector<std::uint8_t> table = Table({&small, &big, &list});

  ASSERT_GT(PackedSize(big) + PackedSize(list), kCoreMaxBuffer);
  EXPECT_EQ(table.size(), TableSize(table.data()));
  EXPECT_LE(4 + table.size(), kCoreMaxBuffer);
  EXPECT_GT(4 + table.size(), kCoreMaxBuffer - 100) << "the room is used, not wasted";
  EXPECT_EQ(UnpackValue(ValueInTable(table.data(), 0)), small) << "a small value stays whole";

  const auto cutText = std::get<model::Text>(UnpackValue(ValueInTable(table.data(), 1)));
  const auto cutList = std::get<model::Text>(UnpackValue(ValueInTable(table.data(), 2)));
  ASSERT_EQ(cutText.values.size(), 1u);
  EXPECT_EQ(cutText.values[0], std::string(cutText.values[0].size(), 'a'));
  EXPECT_GT(cutText.values[0].size(), 30'000u) << "both large values share the room";
  EXPECT_GT(cutList.values.size(), 1'000u);
  EXPECT_LT(cutList.values.size(), 3'000u);
}

}  // namespace
}  // namespace host::index
