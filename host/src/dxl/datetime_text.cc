#include "dxl/datetime_text.h"

#include <cstddef>

#include "dxl/xml_access.h"

namespace host::dxl {
namespace {

// Reads `count` decimal digits at `pos`, advancing it.
std::optional<int> Digits(std::string_view text, std::size_t& pos, std::size_t count) {
  if (text.size() - pos < count) return std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const char c = text[pos + i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  pos += count;
  return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<model::DateTime> ParseDateTime(std::string_view raw, bool dst) {
  const std::string_view text = TrimXmlSpace(raw);
  model::DateTime value;
  value.dst = dst;
  std::size_t pos = 0;
  if (text.empty()) return value;

  if (text[0] != 'T') {
    const auto year = Digits(text, pos, 4), month = Digits(text, pos, 2), day = Digits(text, pos, 2);
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month))
      return std::nullopt;
    value.date = model::DaysFromCivil(*year, static_cast<unsigned>(*month), static_cast<unsigned>(*day));
  }
  if (pos == text.size()) return value;

  if (text[pos++] != 'T') return std::nullopt;
  const auto hour = Digits(text, pos, 2), minute = Digits(text, pos, 2), second = Digits(text, pos, 2);
  if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59) return std::nullopt;
  int hundredths = 0;
  if (pos < text.size() && text[pos] == ',') {
    ++pos;
    const auto fraction = Digits(text, pos, 2);
    if (!fraction) return std::nullopt;
    hundredths = *fraction;
  }
  value.time = ((*hour * 60 + *minute) * 60 + *second) * 100 + hundredths;
  if (pos == text.size()) return value;

  const char sign = text[pos++];
  if (sign != '+' && sign != '-') return std::nullopt;
  const auto zoneHours = Digits(text, pos, 2);
  if (!zoneHours || *zoneHours > 23) return std::nullopt;
  int zoneMinutes = 0;
  if (pos < text.size()) {
    const auto minutes = Digits(text, pos, 2);
    if (!minutes || *minutes > 59 || pos != text.size()) return std::nullopt;
    zoneMinutes = *minutes;
  }
  const int offset = *zoneHours * 60 + zoneMinutes;
  value.zoneMinutes = static_cast<std::int16_t>(sign == '-' ? -offset : offset);
  return value;
}

}  // namespace host::dxl
