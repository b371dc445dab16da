#include "index/timedate_packing.h"

#include <gtest/gtest.h>

namespace host::index {
namespace {

model::DateTime Make(std::int32_t date, std::int32_t time, std::int16_t zone, bool dst = false) {
  return {date, time, zone, dst};
}

struct PackingCase {
  const char* name;
  model::DateTime value;
  std::uint64_t packed;
};

// 2026-12-10 is day 20797 (0x513D); 08:45:52.00 is 3 155 200 hundredths (0x302500).
const PackingCase kCases[] = {
    {"date, time and zone", Make(20797, 3155200, 540), 0x021C'0051'3D30'2500},
    {"date only", Make(20797, model::DateTime::kNoTime, 540), 0x021C'0051'3DFF'FFFF},
    {"time only", Make(model::DateTime::kNoDate, 3155200, 0), 0x0000'8000'0030'2500},
    {"day before the epoch, zone west", Make(-1, 0, -300), 0x7ED4'FFFF'FF00'0000},
    {"daylight saving", Make(0, 0, 60, true), 0x803C'0000'0000'0000},
    {"last hundredth of a day", Make(0, 8'639'999, 0), 8'639'999},
};

TEST(TimeDatePacking, PacksEachFieldInItsBitsAndUnpacksToTheSameValue) {
  for (const PackingCase& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PackTimeDate(c.value), c.packed);
    const std::optional<model::DateTime> back = UnpackTimeDate(c.packed);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, c.value);
  }
}

TEST(TimeDatePacking, ClampsWhatTheBitsCannotHold) {
  const model::DateTime far = Make(20'000'000, 0, -20'000);
  const std::optional<model::DateTime> back = UnpackTimeDate(PackTimeDate(far));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->date, 0x7FFFFF);
  EXPECT_EQ(back->zoneMinutes, -0x3FFF);
}

TEST(TimeDatePacking, RejectsATimeOfDayBeyondOneDay) {
  EXPECT_FALSE(UnpackTimeDate(8'640'000).has_value());
  EXPECT_FALSE(UnpackTimeDate(0xFFFFFE).has_value());
}

}  // namespace
}  // namespace host::index
