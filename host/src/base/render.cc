#include "render.h"

#include "clock.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>

namespace host {
namespace {

using model::DateTime;
using model::International;
using model::NumberFormat;

constexpr int kSignificantDigits = 15;
constexpr int kPlainExponentLimit = 15;
constexpr std::int32_t kHundredthsPerDay = 24 * 60 * 60 * 100;

// ---- numbers ---------------------------------------------------------------------------------

// The decimal digits of |value| rounded to `count` significant digits, and the decimal exponent
// of the first one (value = 0.d1d2d3... × 10^(exponent+1)).
struct Significand {
  std::string digits;
  int exponent = 0;
};

// The digits and exponent of a to_chars scientific text "d.ddde±xx", trailing zeros dropped.
Significand FromScientific(const char* text, const char* end) {
  Significand s;
  const char* p = text;
  for (; p != end && *p != 'e'; ++p)
    if (*p != '.') s.digits += *p;
  std::from_chars(p + 1 + (p[1] == '+'), end, s.exponent);
  while (s.digits.size() > 1 && s.digits.back() == '0') s.digits.pop_back();
  return s;
}

Significand SignificantDigits(double value, int count) {
  char buffer[64];
  const double magnitude = std::fabs(value);
  // The shortest digits that read back as the value: when there are no more than `count` of them
  // they are also the value correctly rounded to `count` digits, since a normal double differs
  // from its shortest form by less than half its last place, far less than half a unit of the
  // 15th digit. Subnormal doubles have fewer places and take the long way.
  if (magnitude >= std::numeric_limits<double>::min()) {
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific).ptr;
    const auto mantissa = static_cast<int>(std::find(static_cast<const char*>(buffer), end, 'e') - buffer);
    if ((mantissa > 1 ? mantissa - 1 : 1) <= count) return FromScientific(buffer, end);
  }
  // Correctly rounded, as "%.*e" is.
  const char* end =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, count - 1).ptr;
  return FromScientific(buffer, end);
}

std::string ExponentText(int exponent) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return buffer;
}

// An unsigned decimal text "123.45" with its integer part grouped in threes by the thousands
// separator when `punctuated`, and the international decimal symbol.
std::string Localised(std::string_view plain, bool punctuated, const International& intl) {
  const std::size_t dot = plain.find('.');
  const std::string_view whole = plain.substr(0, dot);
  const std::string_view separator = punctuated ? std::string_view(intl.thousandsSeparator) : std::string_view();
  std::string out;
  out.reserve(plain.size() + whole.size() / 3 * separator.size() + intl.decimalSymbol.size());
  // The first group holds what is left over from the groups of three after it.
  const std::size_t first = separator.empty() ? whole.size() : (whole.size() + 2) % 3 + 1;
  out += whole.substr(0, first);
  for (std::size_t i = first; i < whole.size(); i += 3) {
    out += separator;
    out += whole.substr(i, 3);
  }
  if (dot != std::string_view::npos) {
    out += intl.decimalSymbol;
    out += plain.substr(dot + 1);
  }
  return out;
}

// |value| × 10^digits (digits 0 ... 15) when the product comes out a whole number below 10^15.
// The 15 significant digits of |value|, rounded to `digits` decimals, are then exactly the
// product's digits: the product is off the exact one by at most half its last place, which is
// far less than half a unit of |value|'s 15th digit.
std::optional<std::uint64_t> ScaledWhole(double value, int digits) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const double scaled = std::fabs(value) * kPowers[digits];
  if (!(scaled < 1e15) || scaled != std::floor(scaled)) return std::nullopt;
  return static_cast<std::uint64_t>(scaled);
}

// The digits of `whole` with a point `digits` places from the right ("0.05" for 5 and 2).
std::string PointedDigits(std::uint64_t whole, int digits) {
  char buffer[24];
  const auto width = static_cast<int>(std::to_chars(buffer, buffer + sizeof buffer, whole).ptr - buffer);
  std::string out;
  if (width <= digits) {
    out = "0.";
    out.append(static_cast<std::size_t>(digits - width), '0');
    out.append(buffer, static_cast<std::size_t>(width));
    return out;
  }
  out.append(buffer, static_cast<std::size_t>(width - digits));
  if (digits > 0) {
    out += '.';
    out.append(buffer + width - digits, static_cast<std::size_t>(digits));
  }
  return out;
}

// |value| in general format with '.' as the decimal point; `scientific` tells which form it took.
std::string GeneralMagnitude(double value, bool& scientific) {
  scientific = false;
  // A value of a few decimals, as most are: the digits of the fewest decimals that make it whole
  // (ScaledWhole says why they are the 15 significant digits), trailing zeros dropped.
  for (int digits = 0; digits <= kSignificantDigits; ++digits) {
    if (const auto whole = ScaledWhole(value, digits)) {
      std::string out = PointedDigits(*whole, digits);
      if (digits > 0) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
      }
      return out;
    }
  }
  const Significand s = SignificantDigits(value, kSignificantDigits);
  scientific = s.exponent < -kPlainExponentLimit || s.exponent > kPlainExponentLimit;
  if (scientific) {
    std::string out(1, s.digits[0]);
    if (s.digits.size() > 1) out += "." + s.digits.substr(1);
    return out + ExponentText(s.exponent);
  }
  if (s.exponent < 0) return "0." + std::string(static_cast<std::size_t>(-s.exponent - 1), '0') + s.digits;
  const std::size_t whole = static_cast<std::size_t>(s.exponent) + 1;
  if (s.digits.size() <= whole) return s.digits + std::string(whole - s.digits.size(), '0');
  return s.digits.substr(0, whole) + "." + s.digits.substr(whole);
}

// `s` rounded half away from zero to its first `keep` digits (keep may be 0 or negative: the
// rounding then happens left of the first digit). A result of zero has the digits "0".
Significand Rounded(Significand s, int keep) {
  if (keep >= static_cast<int>(s.digits.size())) return s;
  if (keep < 0) return {"0", 0};
  const bool up = s.digits[static_cast<std::size_t>(keep)] >= '5';
  s.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    for (; i >= 0 && s.digits[static_cast<std::size_t>(i)] == '9'; --i) s.digits[static_cast<std::size_t>(i)] = '0';
    if (i >= 0) {
      ++s.digits[static_cast<std::size_t>(i)];
    } else {
      s.digits.insert(s.digits.begin(), '1');
      ++s.exponent;
    }
  }
  if (s.digits.empty()) return {"0", 0};
  return s;
}

// |value| with `digits` decimals, rounded half away from zero on its 15 significant digits.
std::string FixedMagnitude(double value, int digits) {
  if (const auto whole = ScaledWhole(value, digits)) return PointedDigits(*whole, digits);
  std::string out;
  if (value != 0) {
    Significand s = SignificantDigits(value, kSignificantDigits);
    s = Rounded(s, s.exponent + 1 + digits);
    if (s.digits != "0") {
      // Place the digits on a grid from 10^max(exponent,0) down to 10^-digits.
      const int top = s.exponent > 0 ? s.exponent : 0;
      for (int position = top; position >= -digits; --position) {
        const int index = s.exponent - position;
        out += index >= 0 && index < static_cast<int>(s.digits.size()) ? s.digits[static_cast<std::size_t>(index)] : '0';
        if (position == 0 && digits > 0) out += '.';
      }
      return out;
    }
  }
  out = "0";
  if (digits > 0) out += "." + std::string(static_cast<std::size_t>(digits), '0');
  return out;
}

// |value| as d.ddd followed by the exponent, with `digits` decimals.
std::string ScientificMagnitude(double value, int digits) {
  if (value == 0) return FixedMagnitude(0, digits) + ExponentText(0);
  Significand s = Rounded(SignificantDigits(value, kSignificantDigits), digits + 1);
  s.digits.resize(static_cast<std::size_t>(digits) + 1, '0');
  std::string out(1, s.digits[0]);
  if (digits > 0) out += "." + s.digits.substr(1);
  return out + ExponentText(s.exponent);
}

bool AllZeroDigits(std::string_view text) {
  for (char c : text)
    if (std::isdigit(static_cast<unsigned char>(c)) && c != '0') return false;
  return true;
}

std::string Signed(std::string body, bool negative, bool parens) {
  if (!negative) return body;
  return parens ? "(" + body + ")" : "-" + body;
}

int ClampDigits(int digits) { return digits < 0 ? 0 : digits > 15 ? 15 : digits; }

// ---- date/times ------------------------------------------------------------------------------

void AppendTwoDigits(std::string& out, int n) {
  if (n >= 0 && n <= 99) {
    const char digits[2] = {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
    out.append(digits, 2);
    return;
  }
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", n);
  out += buffer;
}

std::string TwoDigits(int n) {
  std::string text;
  AppendTwoDigits(text, n);
  return text;
}

void AppendYear(std::string& out, int year, bool fourDigits) {
  if (!fourDigits) return AppendTwoDigits(out, ((year % 100) + 100) % 100);
  if (year >= 1000 && year <= 9999) {
    AppendTwoDigits(out, year / 100);
    AppendTwoDigits(out, year % 100);
    return;
  }
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d", year);
  out += buffer;
}

using DateParts = model::DatetimeFormat::DateParts;

// The date's parts without a weekday (a part with one counts as its parts without).
void AppendDate(std::string& out, std::int32_t days, DateParts parts, bool fourDigitYear, const International& intl) {
  const model::CivilDate c = model::CivilFromDays(days);
  const auto y = [&] { AppendYear(out, c.year, fourDigitYear); };
  const auto m = [&] { AppendTwoDigits(out, static_cast<int>(c.month)); };
  const auto d = [&] { AppendTwoDigits(out, static_cast<int>(c.day)); };
  const auto sep = [&] { out += intl.dateSeparator; };
  using Order = International::DateOrder;
  switch (parts) {
    case DateParts::Year: return y();
    case DateParts::Month: return m();
    case DateParts::Day: return d();
    case DateParts::MonthDay:
    case DateParts::WeekdayMonthDay:
      if (intl.dateOrder == Order::DMY) return d(), sep(), m();
      return m(), sep(), d();
    case DateParts::YearMonth:
      if (intl.dateOrder == Order::YMD) return y(), sep(), m();
      return m(), sep(), y();
    case DateParts::YearMonthDay:
    case DateParts::WeekdayMonthDayYear:
    case DateParts::Weekday:
      break;
  }
  switch (intl.dateOrder) {
    case Order::MDY: return m(), sep(), d(), sep(), y();
    case Order::DMY: return d(), sep(), m(), sep(), y();
    case Order::YMD: break;
  }
  y(), sep(), m(), sep(), d();
}

std::string DateText(std::int32_t days, DateParts parts, bool fourDigitYear, const International& intl) {
  std::string text;
  AppendDate(text, days, parts, fourDigitYear, intl);
  return text;
}

using TimeParts = model::DatetimeFormat::TimeParts;

void AppendTime(std::string& out, std::int32_t hundredths, TimeParts parts, bool clock24, const International& intl) {
  const int total = hundredths / 100;
  int hour = total / 3600;
  const int minute = total / 60 % 60;
  const int second = total % 60;
  const bool morning = hour < 12;
  if (!clock24) hour = hour % 12 == 0 ? 12 : hour % 12;
  AppendTwoDigits(out, hour);
  if (parts != TimeParts::Hour) {
    out += intl.timeSeparator;
    AppendTwoDigits(out, minute);
  }
  if (parts == TimeParts::HourMinuteSecond || parts == TimeParts::HourMinuteSecondHundredths) {
    out += intl.timeSeparator;
    AppendTwoDigits(out, second);
  }
  if (parts == TimeParts::HourMinuteSecondHundredths) {
    out += intl.decimalSymbol;
    AppendTwoDigits(out, hundredths % 100);
  }
  if (!clock24) {
    out += ' ';
    out += morning ? intl.amString : intl.pmString;
  }
}

std::string TimeText(std::int32_t hundredths, TimeParts parts, bool clock24, const International& intl) {
  std::string text;
  AppendTime(text, hundredths, parts, clock24, intl);
  return text;
}

// `value` seen in the zone `zoneMinutes` east of UTC. A value without both parts has no instant
// and stays as it is.
DateTime InZone(const DateTime& value, int zoneMinutes, bool dst) {
  if (!value.HasDate() || !value.HasTime() || value.zoneMinutes == zoneMinutes) return value;
  std::int64_t t = static_cast<std::int64_t>(value.date) * kHundredthsPerDay + value.time +
                   static_cast<std::int64_t>(zoneMinutes - value.zoneMinutes) * 6000;
  std::int64_t days = t / kHundredthsPerDay;
  std::int64_t rest = t % kHundredthsPerDay;
  if (rest < 0) {
    rest += kHundredthsPerDay;
    --days;
  }
  DateTime out;
  out.date = static_cast<std::int32_t>(days);
  out.time = static_cast<std::int32_t>(rest);
  out.zoneMinutes = static_cast<std::int16_t>(zoneMinutes);
  out.dst = dst;
  return out;
}

// Weekday names of the Japanese client, Sunday first.
constexpr std::array<const char*, 7> kWeekdays = {
    "\xE6\x97\xA5\xE6\x9B\x9C\xE6\x97\xA5",  // 日曜日
    "\xE6\x9C\x88\xE6\x9B\x9C\xE6\x97\xA5",  // 月曜日
    "\xE7\x81\xAB\xE6\x9B\x9C\xE6\x97\xA5",  // 火曜日
    "\xE6\xB0\xB4\xE6\x9B\x9C\xE6\x97\xA5",  // 水曜日
    "\xE6\x9C\xA8\xE6\x9B\x9C\xE6\x97\xA5",  // 木曜日
    "\xE9\x87\x91\xE6\x9B\x9C\xE6\x97\xA5",  // 金曜日
    "\xE5\x9C\x9F\xE6\x9B\x9C\xE6\x97\xA5",  // 土曜日
};

std::string WeekdayText(std::int32_t days) {
  return kWeekdays[static_cast<std::size_t>(((days + 4) % 7 + 7) % 7)];  // 1970-01-01 was a Thursday
}

void AppendColumnDate(std::string& out, std::int32_t days, const model::DatetimeFormat& format,
                      const International& intl) {
  switch (format.date) {
    case DateParts::Weekday:
      out += WeekdayText(days);
      return;
    case DateParts::WeekdayMonthDay:
    case DateParts::WeekdayMonthDayYear:
      out += WeekdayText(days);
      out += ' ';
      break;
    default:
      break;
  }
  AppendDate(out, days, format.date, format.fourDigitYear, intl);
}

std::string Joined(const std::string& date, const std::string& time) {
  if (date.empty()) return time;
  if (time.empty()) return date;
  return date + " " + time;
}

}  // namespace

std::string PlainNumber(double value, const International& intl) {
  if (!std::isfinite(value)) return "ERROR";
  bool scientific = false;
  const std::string magnitude = GeneralMagnitude(value, scientific);
  return Signed(Localised(magnitude, false, intl), value < 0 && magnitude != "0", false);
}

std::string FormatNumber(double value, const NumberFormat& format, const International& intl) {
  if (!std::isfinite(value)) return "ERROR";
  if (format.percent) value *= 100;
  const int digits = ClampDigits(format.digits);
  std::string magnitude;
  bool scientific = false;
  switch (format.style) {
    case NumberFormat::Style::General: magnitude = GeneralMagnitude(value, scientific); break;
    case NumberFormat::Style::Fixed:
    case NumberFormat::Style::Currency: magnitude = FixedMagnitude(value, digits); break;
    case NumberFormat::Style::Scientific:
      magnitude = ScientificMagnitude(value, digits);
      scientific = true;
      break;
  }
  std::string body = Localised(magnitude, format.punctuated && !scientific, intl);
  if (format.style == NumberFormat::Style::Currency)
    body = intl.currencyBefore ? intl.currencySymbol + body : body + intl.currencySymbol;
  if (format.percent) body += "%";
  return Signed(std::move(body), value < 0 && !AllZeroDigits(magnitude), format.parens);
}

std::string PlainDateTime(const DateTime& value, const International& intl) {
  const std::string date = value.HasDate() ? DateText(value.date, DateParts::YearMonthDay, true, intl) : "";
  const std::string time = value.HasTime() ? TimeText(value.time, TimeParts::HourMinuteSecond, intl.clock24, intl) : "";
  return Joined(date, time);
}

std::string FormatDateTime(const DateTime& value, const model::DatetimeFormat& format, const International& intl) {
  using Show = model::DatetimeFormat::Show;
  const bool showDate = format.show != Show::Time && value.HasDate();
  const bool showTime = format.show != Show::Date && value.HasTime();
  std::string text;
  if (showDate) AppendColumnDate(text, value.date, format, intl);
  if (!showTime) return text;
  if (!text.empty()) text += ' ';
  // The column's own 24-hour setting, or the session's clock when that is 24-hour.
  const bool clock24 = format.timeFormat24 || intl.clock24;
  AppendTime(text, value.time, format.time, clock24, intl);
  using Zone = model::DatetimeFormat::Zone;
  const bool zoneShown =
      format.zone == Zone::Always || (format.zone == Zone::Sometimes && value.zoneMinutes != Now().zoneMinutes);
  if (value.HasDate() && zoneShown) {
    text += ' ';
    text += ZoneName(value.zoneMinutes, value.dst);
  }
  return text;
}

std::string TextOfNumber(double value, std::string_view format, const International& intl) {
  if (format.empty()) return PlainNumber(value, intl);
  NumberFormat parsed;
  bool digitsGiven = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(format[i])));
    if (c == 'G') parsed.style = NumberFormat::Style::General;
    else if (c == 'F') parsed.style = NumberFormat::Style::Fixed;
    else if (c == 'S') parsed.style = NumberFormat::Style::Scientific;
    else if (c == 'C') parsed.style = NumberFormat::Style::Currency;
    else if (c == ',') parsed.punctuated = true;
    else if (c == '%') parsed.percent = true;
    else if (c == '(' || c == ')') parsed.parens = true;
    else if (std::isdigit(static_cast<unsigned char>(c))) {
      int digits = c - '0';
      if (i + 1 < format.size() && std::isdigit(static_cast<unsigned char>(format[i + 1])))
        digits = digits * 10 + (format[++i] - '0');
      parsed.digits = ClampDigits(digits);
      digitsGiven = true;
    }
  }
  if (!digitsGiven && parsed.style != NumberFormat::Style::General) parsed.digits = 2;
  return FormatNumber(value, parsed, intl);
}

std::string TextOfDateTime(const DateTime& value, std::string_view format, const DateTime& now,
                           const International& intl) {
  if (format.empty()) return PlainDateTime(value, intl);
  int d = 0, t = 0, z = -1, s = -1;
  for (std::size_t i = 0; i + 1 < format.size(); ++i) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(format[i])));
    const int n = format[i + 1] - '0';
    if (n < 0 || n > 3) continue;
    if (c == 'D') d = n;
    else if (c == 'T' && n <= 1) t = n;
    else if (c == 'Z' && n <= 2) z = n;
    else if (c == 'S') s = n;
  }
  const DateTime shown = z == 0 ? InZone(value, now.zoneMinutes, now.dst) : value;
  const bool showDate = shown.HasDate() && s != 1;
  const bool showTime = shown.HasTime() && s != 0;

  std::string date;
  if (showDate) {
    if (s == 3 && now.HasDate() && shown.date == now.date) date = "Today";
    else if (s == 3 && now.HasDate() && shown.date == now.date - 1) date = "Yesterday";
    else if (d == 1) {
      const bool thisYear = now.HasDate() && model::CivilFromDays(now.date).year == model::CivilFromDays(shown.date).year;
      date = DateText(shown.date, thisYear ? DateParts::MonthDay : DateParts::YearMonthDay, true, intl);
    } else {
      const DateParts parts = d == 2 ? DateParts::MonthDay : d == 3 ? DateParts::YearMonth : DateParts::YearMonthDay;
      date = DateText(shown.date, parts, true, intl);
    }
  }
  std::string time;
  if (showTime) {
    time = TimeText(shown.time, t == 1 ? TimeParts::HourMinute : TimeParts::HourMinuteSecond, intl.clock24, intl);
    const bool zoneShown = z == 2 || (z == 1 && shown.zoneMinutes != now.zoneMinutes);
    if (shown.HasDate() && zoneShown) time += " " + ZoneName(shown.zoneMinutes, shown.dst);
  }
  return Joined(date, time);
}

std::string ZoneName(int zoneMinutes, bool dst) {
  struct Named {
    int standardMinutes;
    const char* standard;
    const char* daylight;
  };
  static constexpr Named kNamed[] = {
      {0, "GMT", nullptr},       {60, "CET", "CEDT"},       {540, "JST", nullptr},
      {-240, "AST", "ADT"},      {-300, "EST", "EDT"},      {-360, "CST", "CDT"},
      {-420, "MST", "MDT"},      {-480, "PST", "PDT"},      {-540, "YST", "YDT"},
      {-600, "HST", "HDT"},
  };
  const int standard = dst ? zoneMinutes - 60 : zoneMinutes;
  for (const Named& n : kNamed) {
    if (n.standardMinutes != standard) continue;
    if (!dst) return n.standard;
    if (n.daylight) return n.daylight;
  }
  const int magnitude = std::abs(zoneMinutes);
  std::string name = zoneMinutes < 0 ? "ZW" : "ZE";
  name += std::to_string(magnitude / 60);
  if (magnitude % 60 != 0) name += ":" + TwoDigits(magnitude % 60);
  return name;
}

}  // namespace host
