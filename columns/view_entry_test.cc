#include "columns/view_entry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// Little-endian pieces of entry records.
std::string U16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)}; }
std::string U32(std::uint32_t v) { return U16(v & 0xFFFF) + U16(v >> 16); }
std::string Double(double d) {
  std::string bytes(8, '\0');
  std::memcpy(bytes.data(), &d, 8);
  return bytes;
}
std::string Time(int date) {
  const CoreDateTime parts{date, 3600 * 100, 540, false};
  CoreTimeDate packed;
  CorePackTimeDate(&parts, &packed);
  return std::string(reinterpret_cast<const char*>(packed.bytes), 8);
}

// Values: the type word followed by the data.
std::string Text(const std::string& s) { return U16(kCoreTypeText) + s; }
std::string Number(double d) { return U16(kCoreTypeNumber) + Double(d); }
std::string NumberList(const std::vector<double>& values, const std::vector<std::pair<double, double>>& ranges) {
  std::string v = U16(kCoreTypeNumberList) + U16(values.size()) + U16(ranges.size());
  for (double d : values) v += Double(d);
  for (auto [lo, hi] : ranges) v += Double(lo) + Double(hi);
  return v;
}
std::string TimeList(const std::vector<int>& dates, const std::vector<std::pair<int, int>>& ranges) {
  std::string v = U16(kCoreTypeTimeList) + U16(dates.size()) + U16(ranges.size());
  for (int d : dates) v += Time(d);
  for (auto [lo, hi] : ranges) v += Time(lo) + Time(hi);
  return v;
}
std::string TextList(const std::vector<std::string>& texts) {
  std::string lengths, bytes;
  for (const std::string& t : texts) {
    lengths += U16(t.size());
    bytes += t;
  }
  return U16(kCoreTypeTextList) + U16(texts.size()) + U16(bytes.size()) + lengths + bytes;
}

// An entry record of `values` (nullopt: absent), with the lengths the values really have.
std::string Record(std::uint32_t noteId, const std::vector<std::optional<std::string>>& values) {
  std::string lengths, data;
  for (const auto& v : values) {
    lengths += U16(v ? v->size() : 0);
    if (v) data += *v;
  }
  const std::string table = U16(values.size()) + lengths + data;
  return U32(noteId) + U16(table.size() + 2) + table;
}

// Bytes on the heap with nothing after them, so that a read past the end is a read past the block.
std::vector<char> Exact(const std::string& bytes) { return std::vector<char>(bytes.begin(), bytes.end()); }

std::string_view View(const std::vector<char>& bytes) { return {bytes.data(), bytes.size()}; }

std::vector<std::string> Texts(const LNItem& item) {
  std::vector<std::string> out;
  const LNText text(item);
  for (LNINT i = 0; i < text.GetCount(); ++i) out.push_back(text[i].GetTextPtr());
  return out;
}

std::vector<double> Numbers(const LNItem& item) {
  std::vector<double> out;
  const LNNumbers numbers(item);
  for (LNINT i = 0; i < numbers.GetCount(); ++i) out.push_back(numbers[i]);
  return out;
}

class DecodeTest : public ::testing::Test {
 protected:
  void SetUp() override { LNSetThrowAllErrorsGlobal(TRUE); }
};

TEST_F(DecodeTest, EveryValueTypeAtItsColumnNumber) {
  const std::string record = Record(0x8000010A, {Text("abc"), std::nullopt, Number(2.5), NumberList({1, 2}, {{5, 9}}),
                                                 TimeList({20000}, {{20001, 20003}}), TextList({"x", "", "yz"}),
                                                 U16(0x0999) + "junk", Text("after")});
  const std::vector<char> bytes = Exact(record + "trailing bytes of the next entry");
  ViewEntry entry;
  std::size_t size = 0;
  ASSERT_EQ(entry.Decode(View(bytes), &size), 0u);
  EXPECT_EQ(size, record.size());
  EXPECT_EQ(entry.GetNoteID(), 0x8000010Au);
  EXPECT_TRUE(entry.IsCategory());
  ASSERT_EQ(entry.GetValueCount(), 8u);
  EXPECT_EQ(Texts(entry.GetValue(0)), std::vector<std::string>{"abc"});
  EXPECT_TRUE(entry.GetValue(1).IsNull());  // absent in the middle: the later ones keep their places
  EXPECT_EQ(Numbers(entry.GetValue(2)), std::vector<double>{2.5});
  EXPECT_EQ(Numbers(entry.GetValue(3)), (std::vector<double>{1, 2}));  // the range is stepped over
  const LNDatetimes times(entry.GetValue(4));
  ASSERT_EQ(times.GetCount(), 2);
  EXPECT_EQ(times.GetDatetimeCount(), 1);  // the range comes after the single date/time
  CoreDateTime parts;
  const CoreTimeDate lower = times.GetRange(0).GetBegin().GetTimeDate();
  ASSERT_EQ(CoreUnpackTimeDate(&lower, &parts), 0u);
  EXPECT_EQ(parts.date, 20001);
  EXPECT_EQ(Texts(entry.GetValue(5)), (std::vector<std::string>{"x", "", "yz"}));
  EXPECT_TRUE(entry.GetValue(6).IsNull());  // a type not handled
  EXPECT_EQ(Texts(entry.GetValue(7)), std::vector<std::string>{"after"});
}

TEST_F(DecodeTest, DecodingAgainReplacesTheNoteIdAndAppendsValues) {
  const std::vector<char> first = Exact(Record(0x102, {Text("a")}));
  const std::vector<char> second = Exact(Record(0x106, {}));
  ViewEntry entry;
  std::size_t size = 0;
  ASSERT_EQ(entry.Decode(View(first), &size), 0u);
  ASSERT_EQ(entry.Decode(View(second), &size), 0u);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(entry.GetNoteID(), 0x106u);
  EXPECT_FALSE(entry.IsCategory());
  EXPECT_EQ(entry.GetValueCount(), 1u);
}

// Records whose lengths do not fit the bytes given: each is refused without a read past them.
TEST_F(DecodeTest, LyingLengthsAreRefused) {
  const std::string good = Record(0x102, {Text("abc"), Number(1)});
  std::string valueBeyondEntry = good;
  valueBeyondEntry[8] = 40;  // first value length reaches past the entry
  std::string lengthOne = good;
  lengthOne[8] = 1;  // shorter than a type word
  std::string textListBytes = Record(0x102, {TextList({"ab", "c"})});
  textListBytes[14] = 9;  // T, the byte count of all texts, larger than the value
  std::string textListSum = Record(0x102, {TextList({"ab", "c"})});
  textListSum[16] = 1;  // entry lengths that no longer add up to T
  const struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"shorter than a header", good.substr(0, 7)},
      {"entry longer than the bytes", good.substr(0, good.size() - 1)},
      {"L too small for the length table", U32(0x102) + U16(4) + U16(3) + U16(0) + U16(0) + U16(0)},
      {"value beyond the entry", valueBeyondEntry},
      {"value length 1", lengthOne},
      {"number shorter than a double", Record(0x102, {U16(kCoreTypeNumber) + "1234567"})},
      {"number list count too large", Record(0x102, {U16(kCoreTypeNumberList) + U16(3) + U16(0) + Double(1)})},
      {"number list without counts", Record(0x102, {U16(kCoreTypeNumberList) + "x"})},
      {"time list ranges too many", Record(0x102, {U16(kCoreTypeTimeList) + U16(1) + U16(1) + Time(1)})},
      {"time shorter than 8 bytes", Record(0x102, {U16(kCoreTypeTime) + "1234"})},
      {"text list byte count beyond the value", textListBytes},
      {"text list lengths not adding up", textListSum},
  };
  for (const Case& c : cases) {
    const std::vector<char> bytes = Exact(c.bytes);
    ViewEntry entry;
    std::size_t size = 12345;
    EXPECT_NE(entry.Decode(View(bytes), &size), 0u) << c.name;
    EXPECT_EQ(entry.GetNoteID(), 0u) << c.name;
    EXPECT_EQ(entry.GetValueCount(), 0u) << c.name;
    EXPECT_EQ(size, 12345u) << c.name;
    NOTEID noteId = 0;
    EXPECT_NE(MeasureEntryRecord(View(bytes), &size, &noteId), 0u) << c.name;
  }
  ViewEntry entry;
  std::size_t size = 0;
  const std::vector<char> bytes = Exact(good);
  ASSERT_EQ(entry.Decode(View(bytes), &size), 0u);  // the record the cases were made from is sound
}

TEST_F(DecodeTest, MeasureAgreesWithDecode) {
  const std::string record = Record(0x80000003, {TextList({"a", "b"}), std::nullopt, NumberList({1}, {{2, 3}})});
  const std::vector<char> bytes = Exact(record + "more");
  std::size_t size = 0;
  NOTEID noteId = 0;
  ASSERT_EQ(MeasureEntryRecord(View(bytes), &size, &noteId), 0u);
  EXPECT_EQ(size, record.size());
  EXPECT_EQ(noteId, 0x80000003u);
}

}  // namespace
