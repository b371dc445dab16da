#include "index/packed_value.h"

#include <gtest/gtest.h>

#include "host/core.h"
#include "index/test_bytes.h"

namespace host::index {
namespace {

using testing::Bytes;

// 2026-12-10 08:45:52 +09:00 and 2026-12-11 (date only, +09:00) as packed date/times.
const model::DateTime kMorning{20797, 3155200, 540, false};
const model::DateTime kNextDay{20798, model::DateTime::kNoTime, 540, false};
constexpr std::uint64_t kMorningBits = 0x021C'0051'3D30'2500;
constexpr std::uint64_t kNextDayBits = 0x021C'0051'3EFF'FFFF;

std::vector<std::uint8_t> Packed(const model::Value& value, std::size_t limit = 0xFFFF) {
  std::vector<std::uint8_t> out;
  const std::size_t written = AppendPacked(value, limit, out);
  EXPECT_EQ(written, out.size());
  return out;
}

struct LayoutCase {
  const char* name;
  model::Value value;
  std::vector<std::uint8_t> bytes;
};

TEST(PackedValue, EveryTypeIsPackedByteForByte) {
  const LayoutCase cases[] = {
      {"number", model::Numbers{{1.5}, {}}, Bytes().U16(0x0300).F64(1.5)},
      {"number list with ranges", model::Numbers{{1, 2}, {{3, 4}}},
       Bytes().U16(0x0301).U16(2).U16(1).F64(1).F64(2).F64(3).F64(4)},
      {"one number with a range is a list", model::Numbers{{7}, {{8, 9}}},
       Bytes().U16(0x0301).U16(1).U16(1).F64(7).F64(8).F64(9)},
      {"time", model::DateTimes{{kMorning}, {}}, Bytes().U16(0x0400).U64(kMorningBits)},
      {"time list with ranges", model::DateTimes{{kMorning, kNextDay}, {{kMorning, kNextDay}}},
       Bytes().U16(0x0401).U16(2).U16(1).U64(kMorningBits).U64(kNextDayBits).U64(kMorningBits).U64(kNextDayBits)},
      {"text", model::Text{{"abc"}}, Bytes().U16(0x0500).Str("abc")},
      {"empty text", model::Text{{""}}, Bytes().U16(0x0500)},
      {"text list", model::Text{{"ab", "", "\xE8\xA1\xA8"}},
       Bytes().U16(0x0501).U16(3).U16(5).U16(2).U16(0).U16(3).Str("ab").Str("\xE8\xA1\xA8")},
      {"empty text list", model::Text{}, Bytes().U16(0x0501).U16(0).U16(0)},
      {"rich text", model::RichText{}, Bytes().U16(0x0001)},
      {"unsupported", model::Unsupported{"rawitemdata", 0x600}, Bytes().U16(0x0000)},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PackedSize(c.value), c.bytes.size());
    EXPECT_EQ(Packed(c.value), c.bytes);
  }
}

TEST(PackedValue, UnpacksWhatItPacked) {
  const model::Value values[] = {
      model::Numbers{{-2.25}, {}}, model::Numbers{{1, 2}, {{3, 4}}}, model::DateTimes{{kMorning}, {}},
      model::DateTimes{{kNextDay}, {{kMorning, kNextDay}}}, model::Text{{"x y"}}, model::Text{{"a", "", "b"}},
      model::RichText{},
  };
  for (const model::Value& value : values) EXPECT_EQ(UnpackValue(Packed(value)), value);
}

struct CutCase {
  const char* name;
  model::Value value;
  std::size_t limit;
  std::vector<std::uint8_t> bytes;  // empty: nothing fits
};

TEST(PackedValue, AValueTooLargeIsCutToTheLimit) {
  const std::string e = "\xC3\xA9";  // é, two bytes
  const CutCase cases[] = {
      {"text cut between characters", model::Text{{"ab" + e}}, 2 + 3, Bytes().U16(0x0500).Str("ab")},
      {"text cut after a whole character", model::Text{{"a" + e + "b"}}, 2 + 3, Bytes().U16(0x0500).Str("a" + e)},
      {"text list drops trailing entries", model::Text{{"ab", "cd", "ef"}}, 2 + 4 + 2 * 2 + 4 + 1,
       Bytes().U16(0x0501).U16(2).U16(4).U16(2).U16(2).Str("abcd")},
      {"number list drops ranges first", model::Numbers{{1, 2}, {{3, 4}, {5, 6}}}, 2 + 4 + 16 + 16 + 15,
       Bytes().U16(0x0301).U16(2).U16(1).F64(1).F64(2).F64(3).F64(4)},
      {"number list drops trailing numbers", model::Numbers{{1, 2, 3}, {{4, 5}}}, 2 + 4 + 16 + 7,
       Bytes().U16(0x0301).U16(2).U16(0).F64(1).F64(2)},
      {"time list keeps the times that fit", model::DateTimes{{kMorning, kNextDay}, {}}, 2 + 4 + 8,
       Bytes().U16(0x0401).U16(1).U16(0).U64(kMorningBits)},
      {"a number needs its ten bytes", model::Numbers{{1}, {}}, 9, {}},
      {"a list needs its header", model::Text{{"a", "b"}}, 5, {}},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_GT(PackedSize(c.value), c.limit);
    EXPECT_EQ(Packed(c.value, c.limit), c.bytes);
  }
}

}  // namespace
}  // namespace host::index
