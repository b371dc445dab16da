#include "dxl/datetime_text.h"

#include <gtest/gtest.h>

namespace host::dxl {
namespace {

using model::DateTime;
using model::DaysFromCivil;

constexpr std::int32_t Hundredths(int h, int m, int s, int cs) { return ((h * 60 + m) * 60 + s) * 100 + cs; }

TEST(ParseDateTime, ReadsEachForm) {
  struct Case {
    const char* text;
    std::int32_t date, time;
    int zone;
  };
  const Case cases[] = {
      {"19990713T060306,52+05", DaysFromCivil(1999, 7, 13), Hundredths(6, 3, 6, 52), 300},
      {"20220125T202600,00+01", DaysFromCivil(2022, 1, 25), Hundredths(20, 26, 0, 0), 60},
      {"20260720T120000,00-04", DaysFromCivil(2026, 7, 20), Hundredths(12, 0, 0, 0), -240},
      {"20000229T235959,99+0530", DaysFromCivil(2000, 2, 29), Hundredths(23, 59, 59, 99), 330},
      {"19690101T000000,00-0930", DaysFromCivil(1969, 1, 1), 0, -570},
      {"20260720T083000", DaysFromCivil(2026, 7, 20), Hundredths(8, 30, 0, 0), 0},
      {"19990713", DaysFromCivil(1999, 7, 13), DateTime::kNoTime, 0},
      {"T060306,52", DateTime::kNoDate, Hundredths(6, 3, 6, 52), 0},
      {"\n 20140808T131833,00-04 \n", DaysFromCivil(2014, 8, 8), Hundredths(13, 18, 33, 0), -240},
      {"", DateTime::kNoDate, DateTime::kNoTime, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto value = ParseDateTime(c.text, false);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->date, c.date);
    EXPECT_EQ(value->time, c.time);
    EXPECT_EQ(value->zoneMinutes, c.zone);
  }
}

TEST(ParseDateTime, KeepsDaylightSavingFlag) {
  const auto value = ParseDateTime("20260720T143221,43-04", true);
  ASSERT_TRUE(value.has_value());
  EXPECT_TRUE(value->dst);
  EXPECT_EQ(value->zoneMinutes, -240);  // the offset already includes daylight saving
}

TEST(ParseDateTime, RejectsMalformedText) {
  for (const char* text : {"1999071", "19991301", "19990230", "19000229", "19990713T2400", "19990713T246000,00",
                           "19990713T060306,5", "19990713T060306,52+5", "19990713T060306,52+051",
                           "19990713T060306,52*05", "19990713X", "T0603", "T060306,52+05junk", "yesterday",
                           "19990713T060306,52+2400"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(ParseDateTime(text, false).has_value());
  }
}

}  // namespace
}  // namespace host::dxl
