#include "formats.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>

#include "access.h"

namespace host {
namespace {

constexpr std::array<std::string_view, 9> kDateParts = {
    "yearmonthday", "monthday", "yearmonth", "year", "month", "day",
    "weekdaymonthdayyear", "weekdaymonthday", "weekday"};
constexpr std::array<std::string_view, 4> kTimeParts = {
    "hourminutesecondhundredths", "hourminutesecond", "hourminute", "hour"};
constexpr std::array<std::string_view, 3> kZoneShows = {"never", "sometimes", "always"};

// The index of `name` in `names`; 0 (the first, the default) for a name not listed.
template <std::size_t N>
std::uint32_t IndexOf(const std::array<std::string_view, N>& names, std::string_view name) {
  const auto it = std::find(names.begin(), names.end(), name);
  return it == names.end() ? 0 : static_cast<std::uint32_t>(std::distance(names.begin(), it));
}

template <std::size_t N>
std::string NameOf(const std::array<std::string_view, N>& names, std::uint32_t index) {
  return std::string(names[index < N ? index : 0]);
}

}  // namespace

model::NumberFormat ToModel(const LNNumberFormat& format) {
  model::NumberFormat f;
  f.style = static_cast<model::NumberFormat::Style>(std::min<std::uint32_t>(format.GetStyle(), 3));
  f.digits = format.GetDigits();
  f.punctuated = format.GetPunctuated();
  f.parens = format.GetParentheses();
  f.percent = format.GetPercent();
  return f;
}

LNNumberFormat FromModel(const model::NumberFormat& format) {
  LNNumberFormat f;
  f.SetStyle(static_cast<LNNUMBERFORMATSTYLE>(format.style));
  f.SetDigits(format.digits);
  f.SetPunctuated(format.punctuated);
  f.SetParentheses(format.parens);
  f.SetPercent(format.percent);
  return f;
}

model::DatetimeFormat ToModel(const LNDatetimeFormat& format) {
  model::DatetimeFormat f;
  f.show = format.GetShow() == LNDATETIMESHOW_DATE   ? model::DatetimeFormat::Show::Date
           : format.GetShow() == LNDATETIMESHOW_TIME ? model::DatetimeFormat::Show::Time
                                                     : model::DatetimeFormat::Show::DateTime;
  f.date = NameOf(kDateParts, format.GetDateParts());
  f.time = NameOf(kTimeParts, format.GetTimeParts());
  f.zone = NameOf(kZoneShows, format.GetZoneShow());
  f.fourDigitYear = format.GetFourDigitYear();
  f.timeFormat24 = format.Get24HourClock();
  return f;
}

LNDatetimeFormat FromModel(const model::DatetimeFormat& format) {
  LNDatetimeFormat f;
  f.SetShow(format.show == model::DatetimeFormat::Show::Date   ? LNDATETIMESHOW_DATE
            : format.show == model::DatetimeFormat::Show::Time ? LNDATETIMESHOW_TIME
                                                               : LNDATETIMESHOW_DATETIME);
  f.SetDateParts(static_cast<LNDATEPARTS>(IndexOf(kDateParts, format.date)));
  f.SetTimeParts(static_cast<LNTIMEPARTS>(IndexOf(kTimeParts, format.time)));
  f.SetZoneShow(static_cast<LNZONESHOW>(IndexOf(kZoneShows, format.zone)));
  f.SetFourDigitYear(format.fourDigitYear);
  f.Set24HourClock(format.timeFormat24);
  return f;
}

}  // namespace host

namespace {

// The Japanese client's settings never change, so every LNInternational shares one copy.
const std::shared_ptr<const host::model::International>& JapaneseClient() {
  static const auto settings = std::make_shared<const host::model::International>();
  return settings;
}

}  // namespace

LNInternational::LNInternational() : settings_(JapaneseClient()) {}
