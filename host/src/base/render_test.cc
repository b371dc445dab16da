#include "render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "clock.h"

namespace host {
namespace {

using model::DateTime;
using model::DatetimeFormat;
using model::International;
using model::NumberFormat;

const International kJapan;

DateTime At(int y, unsigned mo, unsigned d, int h, int mi, int s, int zoneMinutes = 540, int hundredths = 0) {
  DateTime v;
  v.date = model::DaysFromCivil(y, mo, d);
  v.time = ((h * 60 + mi) * 60 + s) * 100 + hundredths;
  v.zoneMinutes = static_cast<std::int16_t>(zoneMinutes);
  return v;
}
DateTime DateOnly(int y, unsigned mo, unsigned d) {
  DateTime v;
  v.date = model::DaysFromCivil(y, mo, d);
  return v;
}
DateTime TimeOnly(int h, int mi, int s) {
  DateTime v;
  v.time = ((h * 60 + mi) * 60 + s) * 100;
  return v;
}

TEST(PlainNumber, GeneralFormWithFifteenSignificantDigits) {
  struct Case {
    double value;
    const char* expected;
  } cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {12, "12"},
      {-12.5, "-12.5"},
      {0.1 + 0.2, "0.3"},  // the 17th digit does not show
      {1.0 / 3, "0.333333333333333"},
      {123456789012345678.0, "1.23456789012346E+17"},
      {1e15, "1000000000000000"},
      {9.99e15, "9990000000000000"},
      {1e16, "1E+16"},
      {1e-15, "0.000000000000001"},
      {1.5e-16, "1.5E-16"},
      {-2.5e20, "-2.5E+20"},
      {1234567.125, "1234567.125"},
      {5e-324, "4.94065645841247E-324"},  // subnormal: its shortest form "5E-324" is not the rounding
  };
  for (const Case& c : cases) EXPECT_EQ(PlainNumber(c.value, kJapan), c.expected) << c.value;
}

// The fifteen significant digits are the value correctly rounded, as printf's "%.15g" rounds it,
// for values whose shortest form is short and for values that need all seventeen digits.
TEST(PlainNumber, DigitsAreTheValueCorrectlyRoundedToFifteen) {
  std::uint64_t state = 0x243F6A8885A308D3u;
  auto next = [&] { return state = state * 6364136223846793005u + 1442695040888963407u; };
  int longForms = 0;
  for (int i = 0; i < 20000; ++i) {
    double value;
    if (i % 2 == 0) {
      const std::uint64_t bits = next();
      std::memcpy(&value, &bits, sizeof value);
      if (!std::isfinite(value)) continue;
    } else {
      value = static_cast<double>(next() % 100000000) / std::pow(10.0, static_cast<double>(next() % 12));
    }
    char reference[64];
    std::snprintf(reference, sizeof reference, "%.15g", value);
    char shortest[64];
    std::snprintf(shortest, sizeof shortest, "%.17g", value);
    longForms += std::strtod(reference, nullptr) != value;
    const std::string plain = PlainNumber(value, kJapan);
    ASSERT_EQ(std::strtod(plain.c_str(), nullptr), std::strtod(reference, nullptr)) << shortest << " gave " << plain;
  }
  EXPECT_GT(longForms, 5000);  // many values really needed rounding
}

TEST(PlainNumber, DecimalSymbolAndNonFiniteValues) {
  International european;
  european.decimalSymbol = ",";
  EXPECT_EQ(PlainNumber(1.25, european), "1,25");
  EXPECT_EQ(PlainNumber(std::numeric_limits<double>::quiet_NaN(), kJapan), "ERROR");
  EXPECT_EQ(PlainNumber(std::numeric_limits<double>::infinity(), kJapan), "ERROR");
}

NumberFormat Format(NumberFormat::Style style, int digits, bool punctuated = false, bool parens = false,
                    bool percent = false) {
  NumberFormat f;
  f.style = style;
  f.digits = digits;
  f.punctuated = punctuated;
  f.parens = parens;
  f.percent = percent;
  return f;
}

TEST(FormatNumber, ColumnFormatsWithJapaneseSettings) {
  using S = NumberFormat::Style;
  struct Case {
    double value;
    NumberFormat format;
    const char* expected;
  } cases[] = {
      {1234567.891, Format(S::General, 0), "1234567.891"},
      {1234567.891, Format(S::General, 0, true), "1,234,567.891"},
      {1234567.891, Format(S::Fixed, 2), "1234567.89"},
      {1234567.891, Format(S::Fixed, 2, true), "1,234,567.89"},
      // every length of the leading group
      {12345, Format(S::Fixed, 2, true), "12,345.00"},
      {123456, Format(S::Fixed, 0, true), "123,456"},
      {12345678, Format(S::Fixed, 0, true), "12,345,678"},
      {-1234.5, Format(S::Fixed, 0, true), "-1,235"},
      {-1234.5, Format(S::Fixed, 1, true, true), "(1,234.5)"},
      {-0.001, Format(S::Fixed, 2), "0.00"},  // rounds to zero: no sign
      {999.999, Format(S::Fixed, 2, true), "1,000.00"},
      {12345.678, Format(S::Scientific, 2), "1.23E+04"},
      {-0.00012, Format(S::Scientific, 1, true), "-1.2E-04"},
      {0, Format(S::Scientific, 2), "0.00E+00"},
      {1500, Format(S::Currency, 0, true), "\xEF\xBF\xA5" "1,500"},
      {-1500.5, Format(S::Currency, 2, true, true), "(\xEF\xBF\xA5" "1,500.50)"},
      {-1500.5, Format(S::Currency, 2), "-\xEF\xBF\xA5" "1500.50"},
      {0.125, Format(S::General, 0, false, false, true), "12.5%"},
      {0.125, Format(S::Fixed, 0, false, false, true), "13%"},
      {-0.5, Format(S::Fixed, 1, false, true, true), "(50.0%)"},
      {123, Format(S::Fixed, 99), "123.000000000000000"},  // digits beyond 15 are clamped
      // values whose decimals come out whole, and the neighbours that need rounding
      {0.05, Format(S::Fixed, 2), "0.05"},
      {0.05, Format(S::Fixed, 4), "0.0500"},
      {823.5, Format(S::Fixed, 2, true), "823.50"},
      {0.125, Format(S::Fixed, 2), "0.13"},  // half away from zero
      {1.005, Format(S::Fixed, 2), "1.01"},  // on its 15 digits 1.00500000000000
      {0.29, Format(S::Fixed, 2), "0.29"},   // 0.29 × 100 is not whole in binary
      {9999999999999.99, Format(S::Fixed, 2, true), "9,999,999,999,999.99"},
      {99999999999999.99, Format(S::Fixed, 2), "100000000000000.00"},  // 16 digits: rounded to 15
      {1e15, Format(S::General, 0, true), "1,000,000,000,000,000"},
      {-7, Format(S::General, 0), "-7"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.value, c.format, kJapan), c.expected) << c.value;
}

TEST(FormatNumber, OtherInternationalSymbols) {
  International other;
  other.decimalSymbol = ",";
  other.thousandsSeparator = ".";
  other.currencySymbol = "EUR";
  other.currencyBefore = false;
  EXPECT_EQ(FormatNumber(1234.5, Format(NumberFormat::Style::Currency, 2, true), other), "1.234,50EUR");
}

TEST(TextOfNumber, FormatStrings) {
  struct Case {
    double value;
    const char* format;
    const char* expected;
  } cases[] = {
      {1234.5678, "", "1234.5678"},
      {1234.5678, "G", "1234.5678"},
      {1234.5678, "F", "1234.57"},
      {1234.5678, "F1", "1234.6"},
      {1234.5678, "F0", "1235"},
      {1234.5678, ",F2", "1,234.57"},
      {1234.5678, "S1", "1.2E+03"},
      {1234.5678, "C,0", "\xEF\xBF\xA5" "1,235"},
      {-1234.5678, "F2()", "(1234.57)"},
      {0.256, "%", "25.6%"},
      {0.256, "F0%", "26%"},
      {1, "F12", "1.000000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(TextOfNumber(c.value, c.format, kJapan), c.expected) << c.format;
}

TEST(PlainDateTime, DateTimeDateOnlyTimeOnly) {
  EXPECT_EQ(PlainDateTime(At(2026, 12, 10, 8, 45, 52), kJapan), "2026/12/10 08:45:52");
  EXPECT_EQ(PlainDateTime(At(2026, 1, 5, 23, 0, 9, -300, 99), kJapan), "2026/01/05 23:00:09");  // own zone
  EXPECT_EQ(PlainDateTime(DateOnly(2026, 12, 10), kJapan), "2026/12/10");
  EXPECT_EQ(PlainDateTime(TimeOnly(8, 45, 52), kJapan), "08:45:52");
  EXPECT_EQ(PlainDateTime(DateTime{}, kJapan), "");
  EXPECT_EQ(PlainDateTime(DateOnly(1, 1, 1), kJapan), "0001/01/01");
}

TEST(PlainDateTime, OtherOrdersAndTwelveHourClock) {
  International us;
  us.dateOrder = International::DateOrder::MDY;
  us.clock24 = false;
  EXPECT_EQ(PlainDateTime(At(2026, 12, 10, 0, 5, 0), us), "12/10/2026 12:05:00 AM");
  EXPECT_EQ(PlainDateTime(At(2026, 12, 10, 13, 5, 0), us), "12/10/2026 01:05:00 PM");
  International uk;
  uk.dateOrder = International::DateOrder::DMY;
  uk.dateSeparator = ".";
  EXPECT_EQ(PlainDateTime(DateOnly(2026, 12, 10), uk), "10.12.2026");
}

using Date = DatetimeFormat::DateParts;
using Time = DatetimeFormat::TimeParts;
using Zone = DatetimeFormat::Zone;

DatetimeFormat DtFormat(DatetimeFormat::Show show, Date date, Time time, Zone zone = Zone::Never,
                        bool fourDigitYear = true) {
  DatetimeFormat f;
  f.show = show;
  f.date = date;
  f.time = time;
  f.zone = zone;
  f.fourDigitYear = fourDigitYear;
  return f;
}

TEST(FormatDateTime, ColumnFormats) {
  using Show = DatetimeFormat::Show;
  const DateTime thursday = At(2026, 12, 10, 8, 45, 52, 540, 7);
  const DateTime eastern = At(2026, 7, 20, 14, 32, 21, -240);
  DateTime easternDst = eastern;
  easternDst.dst = true;
  struct Case {
    DateTime value;
    DatetimeFormat format;
    const char* expected;
  } cases[] = {
      {thursday, DtFormat(Show::DateTime, Date::YearMonthDay, Time::HourMinuteSecond), "2026/12/10 08:45:52"},
      {thursday, DtFormat(Show::Date, Date::YearMonthDay, Time::HourMinuteSecond), "2026/12/10"},
      {thursday, DtFormat(Show::Time, Date::YearMonthDay, Time::HourMinute), "08:45"},
      {thursday, DtFormat(Show::DateTime, Date::YearMonthDay, Time::HourMinuteSecondHundredths), "2026/12/10 08:45:52.07"},
      {thursday, DtFormat(Show::DateTime, Date::YearMonthDay, Time::Hour), "2026/12/10 08"},
      {thursday, DtFormat(Show::Date, Date::YearMonthDay, Time::HourMinuteSecond, Zone::Never, false), "26/12/10"},
      {thursday, DtFormat(Show::Date, Date::MonthDay, Time::HourMinuteSecond), "12/10"},
      {thursday, DtFormat(Show::Date, Date::YearMonth, Time::HourMinuteSecond), "2026/12"},
      {thursday, DtFormat(Show::Date, Date::Year, Time::HourMinuteSecond), "2026"},
      {thursday, DtFormat(Show::Date, Date::Month, Time::HourMinuteSecond), "12"},
      {thursday, DtFormat(Show::Date, Date::Day, Time::HourMinuteSecond), "10"},
      {thursday, DtFormat(Show::Date, Date::Weekday, Time::HourMinuteSecond), "\xE6\x9C\xA8\xE6\x9B\x9C\xE6\x97\xA5"},
      {thursday, DtFormat(Show::Date, Date::WeekdayMonthDay, Time::HourMinuteSecond), "\xE6\x9C\xA8\xE6\x9B\x9C\xE6\x97\xA5 12/10"},
      {thursday, DtFormat(Show::Date, Date::WeekdayMonthDayYear, Time::HourMinuteSecond),
       "\xE6\x9C\xA8\xE6\x9B\x9C\xE6\x97\xA5 2026/12/10"},
      {thursday, DtFormat(Show::DateTime, Date::YearMonthDay, Time::HourMinuteSecond, Zone::Always), "2026/12/10 08:45:52 JST"},
      {easternDst, DtFormat(Show::DateTime, Date::YearMonthDay, Time::HourMinute, Zone::Always), "2026/07/20 14:32 EDT"},
      {eastern, DtFormat(Show::DateTime, Date::YearMonthDay, Time::HourMinute, Zone::Always), "2026/07/20 14:32 AST"},
      // A date-only value under a time format still shows its date; a time-only one its time.
      {DateOnly(2026, 12, 10), DtFormat(Show::DateTime, Date::YearMonthDay, Time::HourMinute, Zone::Always), "2026/12/10"},
      {TimeOnly(17, 30, 0), DtFormat(Show::DateTime, Date::YearMonthDay, Time::HourMinute, Zone::Always), "17:30"},
      {TimeOnly(17, 30, 0), DtFormat(Show::Date, Date::YearMonthDay, Time::HourMinute), ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatDateTime(c.value, c.format, kJapan), c.expected)
        << static_cast<int>(c.format.date) << "/" << static_cast<int>(c.format.time);
}

TEST(FormatDateTime, ZoneSometimesShownOnlyOutsideTheLocalZone) {
  SetFixedNow(At(2026, 12, 10, 9, 0, 0, 540));
  const DatetimeFormat sometimes = DtFormat(DatetimeFormat::Show::DateTime, Date::YearMonthDay, Time::HourMinute, Zone::Sometimes);
  EXPECT_EQ(FormatDateTime(At(2026, 12, 10, 8, 45, 0, 540), sometimes, kJapan), "2026/12/10 08:45");
  EXPECT_EQ(FormatDateTime(At(2026, 12, 10, 8, 45, 0, 0), sometimes, kJapan), "2026/12/10 08:45 GMT");
  SetFixedNow(std::nullopt);
}

TEST(TextOfDateTime, FormatStrings) {
  const DateTime now = At(2026, 12, 10, 9, 0, 0, 540);
  const DateTime value = At(2026, 12, 10, 8, 45, 52, 540);
  const DateTime lastYear = At(2025, 3, 4, 17, 5, 6, 540);
  const DateTime yesterday = At(2026, 12, 9, 23, 59, 0, 540);
  const DateTime newYork = At(2026, 12, 9, 19, 30, 0, -300);  // 2026/12/10 09:30 in Tokyo
  struct Case {
    DateTime value;
    const char* format;
    const char* expected;
  } cases[] = {
      {value, "", "2026/12/10 08:45:52"},
      {value, "D0S0", "2026/12/10"},
      {value, "D1S0", "12/10"},
      {lastYear, "D1S0", "2025/03/04"},
      {value, "D2S0", "12/10"},
      {value, "D3S0", "2026/12"},
      {value, "T0S1", "08:45:52"},
      {value, "T1S1", "08:45"},
      {value, "D0T1S2", "2026/12/10 08:45"},
      {value, "S3T1", "Today 08:45"},
      {yesterday, "S3T1", "Yesterday 23:59"},
      {lastYear, "S3T1", "2025/03/04 17:05"},
      {newYork, "Z0T1", "2026/12/10 09:30"},
      {newYork, "Z1T1", "2026/12/09 19:30 EST"},
      {value, "Z1T1", "2026/12/10 08:45"},
      {value, "Z2T1", "2026/12/10 08:45 JST"},
      {TimeOnly(17, 30, 0), "S2", "17:30:00"},
      {DateOnly(2026, 12, 10), "S1", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TextOfDateTime(c.value, c.format, now, kJapan), c.expected) << c.format;
}

TEST(ZoneName, NamedAndNumberedZones) {
  struct Case {
    int minutes;
    bool dst;
    const char* expected;
  } cases[] = {
      {0, false, "GMT"}, {540, false, "JST"},  {-300, false, "EST"},   {-240, true, "EDT"},
      {120, true, "CEDT"}, {60, false, "CET"}, {330, false, "ZE5:30"}, {-180, false, "ZW3"},
      {60, true, "ZE1"},  // a daylight offset without a name keeps its number
  };
  for (const Case& c : cases) EXPECT_EQ(ZoneName(c.minutes, c.dst), c.expected) << c.minutes;
}

}  // namespace
}  // namespace host
