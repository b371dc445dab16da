#include "clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace host {
namespace {

TEST(Clock, FixedTimeIsReturnedUntilReleased) {
  model::DateTime fixed;
  fixed.date = model::DaysFromCivil(2026, 12, 10);
  fixed.time = 8 * 360000 + 45 * 6000 + 52 * 100;
  fixed.zoneMinutes = 540;
  SetFixedNow(fixed);
  EXPECT_EQ(Now(), fixed);
  SetFixedNow(std::nullopt);
  EXPECT_NE(Now(), fixed);
}

TEST(Clock, RunningTimeIsLocalWithTheZoneOffset) {
  const char* saved = std::getenv("TZ");
  const std::string previous = saved ? saved : "";
  setenv("TZ", "JST-9", 1);
  tzset();
  const std::time_t before = std::time(nullptr);
  const model::DateTime now = Now();
  setenv("TZ", previous.c_str(), 1);
  if (!saved) unsetenv("TZ");
  tzset();

  ASSERT_TRUE(now.HasDate());
  ASSERT_TRUE(now.HasTime());
  EXPECT_EQ(now.zoneMinutes, 540);
  EXPECT_FALSE(now.dst);
  // The local date and time, shifted back by the offset, is the UTC instant.
  const std::int64_t seconds = static_cast<std::int64_t>(now.date) * 86400 + now.time / 100 - 540 * 60;
  EXPECT_GE(seconds, before);
  EXPECT_LE(seconds, before + 2);
}

}  // namespace
}  // namespace host
