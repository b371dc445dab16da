#include "time_util.h"

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "text_util.h"

namespace host::formula {
namespace {

using model::DateTime;

constexpr std::int64_t kMaxYears = 200000;
constexpr std::int64_t kMaxDays = kMaxYears * 366;

std::int64_t Key(const DateTime& v) {
  std::int64_t key = v.HasDate() ? static_cast<std::int64_t>(v.date) * kHundredthsPerDay : 0;
  if (v.HasTime()) key += v.time - (v.HasDate() ? static_cast<std::int64_t>(v.zoneMinutes) * 6000 : 0);
  return key;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

int DaysInMonth(int year, unsigned month) {
  const unsigned next = month == 12 ? 1 : month + 1;
  return model::DaysFromCivil(month == 12 ? year + 1 : year, next, 1) - model::DaysFromCivil(year, month, 1);
}

int YearOf(int value, std::size_t digits) {
  if (digits > 2) return value;
  return value < 50 ? 2000 + value : 1900 + value;
}

// Splits "a/b/c" on any of "/-." into numbers; empty when a part is not a number.
std::vector<int> DateParts(std::string_view text, std::vector<std::size_t>& widths) {
  std::vector<int> parts;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = at;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end == at || end - at > 4) return {};
    parts.push_back(std::stoi(std::string(text.substr(at, end - at))));
    widths.push_back(end - at);
    if (end == text.size()) break;
    if (text[end] != '/' && text[end] != '-' && text[end] != '.') return {};
    at = end + 1;
  }
  return parts;
}

std::optional<std::int32_t> ParseDate(std::string_view text, model::International::DateOrder order,
                                      const DateTime& now) {
  std::vector<std::size_t> widths;
  const std::vector<int> parts = DateParts(text, widths);
  int year = 0, month = 0, day = 0;
  using Order = model::International::DateOrder;
  if (parts.size() == 3) {
    if (widths[0] == 4 || order == Order::YMD) {
      year = YearOf(parts[0], widths[0]), month = parts[1], day = parts[2];
    } else if (order == Order::MDY) {
      month = parts[0], day = parts[1], year = YearOf(parts[2], widths[2]);
    } else {
      day = parts[0], month = parts[1], year = YearOf(parts[2], widths[2]);
    }
  } else if (parts.size() == 2 && now.HasDate()) {
    year = model::CivilFromDays(now.date).year;
    if (order == Order::DMY) day = parts[0], month = parts[1];
    else month = parts[0], day = parts[1];
  } else {
    return std::nullopt;
  }
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, static_cast<unsigned>(month))) return std::nullopt;
  return model::DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
}

// "17:30", "17:30:05", "17:30:05.25", "5:30 PM" (the suffix given apart).
std::optional<std::int32_t> ParseTime(std::string_view text, std::string_view suffix) {
  int fields[3] = {0, 0, 0};
  int count = 0;
  int hundredths = 0;
  std::size_t at = 0;
  while (count < 3) {
    std::size_t end = at;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end == at || end - at > 2) return std::nullopt;
    fields[count++] = std::stoi(std::string(text.substr(at, end - at)));
    at = end;
    if (at == text.size() || count == 3) break;
    if (text[at] != ':') return std::nullopt;
    ++at;
  }
  if (at < text.size()) {
    if (text[at] != '.' || count != 3) return std::nullopt;
    const std::string_view fraction = text.substr(at + 1);
    if (fraction.empty() || fraction.size() > 2) return std::nullopt;
    for (char c : fraction)
      if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    hundredths = std::stoi(std::string(fraction)) * (fraction.size() == 1 ? 10 : 1);
  }
  if (count < 2 && suffix.empty()) return std::nullopt;
  int hour = fields[0];
  if (!suffix.empty()) {
    const bool pm = EqualsIgnoringCase(suffix, "PM");
    if (!pm && !EqualsIgnoringCase(suffix, "AM")) return std::nullopt;
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + (pm ? 12 : 0);
  }
  if (hour > 23 || fields[1] > 59 || fields[2] > 59) return std::nullopt;
  return ((hour * 60 + fields[1]) * 60 + fields[2]) * 100 + hundredths;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

}  // namespace

int CompareTimes(const DateTime& a, const DateTime& b) {
  const std::int64_t x = Key(a), y = Key(b);
  return x < y ? -1 : x > y ? 1 : 0;
}

double SecondsBetween(const DateTime& a, const DateTime& b) { return static_cast<double>(Key(a) - Key(b)) / 100.0; }

std::optional<DateTime> AddSeconds(const DateTime& value, double seconds) {
  if (!(std::fabs(seconds) < kMaxDays * 86400.0)) return std::nullopt;
  const std::int64_t delta = std::llround(seconds * 100);
  DateTime out = value;
  if (!value.HasDate()) {
    if (value.HasTime()) out.time = static_cast<std::int32_t>(((value.time + delta) % kHundredthsPerDay + kHundredthsPerDay) % kHundredthsPerDay);
    return out;
  }
  std::int64_t days = value.date;
  if (!value.HasTime()) {
    days += FloorDiv(delta, kHundredthsPerDay);
  } else {
    const std::int64_t local = days * kHundredthsPerDay + value.time + delta;
    days = FloorDiv(local, kHundredthsPerDay);
    out.time = static_cast<std::int32_t>(local - days * kHundredthsPerDay);
  }
  if (days < -kMaxDays || days > kMaxDays) return std::nullopt;
  out.date = static_cast<std::int32_t>(days);
  return out;
}

namespace {

// `date` moved by `months`; a day past the end of the month it lands in runs into the next.
std::optional<std::int32_t> AddMonths(std::int32_t date, std::int64_t months) {
  const model::CivilDate c = model::CivilFromDays(date);
  const std::int64_t monthIndex = static_cast<std::int64_t>(c.year) * 12 + c.month - 1 + months;
  const std::int64_t year = FloorDiv(monthIndex, 12);
  if (year < -kMaxYears || year > kMaxYears) return std::nullopt;
  const unsigned month = static_cast<unsigned>(monthIndex - year * 12 + 1);
  const std::int64_t moved = static_cast<std::int64_t>(model::DaysFromCivil(static_cast<int>(year), month, 1)) + c.day - 1;
  if (moved < -kMaxDays || moved > kMaxDays) return std::nullopt;
  return static_cast<std::int32_t>(moved);
}

}  // namespace

std::optional<DateTime> Adjust(const DateTime& value, int years, int months, int days, int hours, int minutes,
                               int seconds) {
  std::optional<DateTime> out = value;
  if (value.HasTime()) out = AddSeconds(value, (static_cast<double>(hours) * 60 + minutes) * 60 + seconds);
  if (!out || !value.HasDate()) return out;
  const std::int64_t date = static_cast<std::int64_t>(out->date) + days;
  if (date < -kMaxDays || date > kMaxDays) return std::nullopt;
  std::optional<std::int32_t> moved = static_cast<std::int32_t>(date);
  if (moved) moved = AddMonths(*moved, months);
  if (moved) moved = AddMonths(*moved, static_cast<std::int64_t>(years) * 12);
  if (!moved) return std::nullopt;
  out->date = *moved;
  return out;
}

std::optional<DateTime> ParseDateTime(std::string_view text, model::International::DateOrder order,
                                      const DateTime& now) {
  text = Trimmed(text);
  DateTime out;
  out.zoneMinutes = now.zoneMinutes;
  out.dst = now.dst;
  struct Relative {
    std::string_view word;
    int days;
  };
  static constexpr Relative kRelative[] = {{"today", 0}, {"yesterday", -1}, {"tomorrow", 1}};
  for (const Relative& r : kRelative) {
    if (EqualsIgnoringCase(text, r.word)) {
      if (!now.HasDate()) return std::nullopt;
      out.date = now.date + r.days;
      return out;
    }
  }
  // Up to three space-separated words: a date, a time, AM/PM.
  std::vector<std::string_view> words;
  while (!text.empty()) {
    std::size_t end = 0;
    while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) ++end;
    words.push_back(text.substr(0, end));
    text = Trimmed(text.substr(end));
  }
  if (words.empty() || words.size() > 3) return std::nullopt;
  std::size_t next = 0;
  if (words[0].find(':') == std::string_view::npos &&
      !(words.size() == 2 && (EqualsIgnoringCase(words[1], "AM") || EqualsIgnoringCase(words[1], "PM")))) {
    const auto date = ParseDate(words[0], order, now);
    if (!date) return std::nullopt;
    out.date = *date;
    next = 1;
  }
  if (next < words.size()) {
    const std::string_view suffix = next + 1 < words.size() ? words[next + 1] : std::string_view{};
    if (next + 2 < words.size()) return std::nullopt;
    const auto time = ParseTime(words[next], suffix);
    if (!time) return std::nullopt;
    out.time = *time;
  }
  return out;
}

}  // namespace host::formula
