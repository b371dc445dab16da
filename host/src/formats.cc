#include "formats.h"

#include <algorithm>
#include <cstdint>

#include "access.h"

namespace host {
namespace {

// The model's value of the same number as `value` (the class library's enumerations list the
// model's values in the same order), or `otherwise` beyond `last`.
template <typename Model, typename Library>
Model InRange(Library value, Model last, Model otherwise) {
  const auto number = static_cast<std::uint32_t>(value);
  return number <= static_cast<std::uint32_t>(last) ? static_cast<Model>(number) : otherwise;
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
  using F = model::DatetimeFormat;
  f.date = InRange(format.GetDateParts(), F::DateParts::Weekday, F::DateParts::YearMonthDay);
  f.time = InRange(format.GetTimeParts(), F::TimeParts::Hour, F::TimeParts::HourMinuteSecondHundredths);
  f.zone = InRange(format.GetZoneShow(), F::Zone::Always, F::Zone::Never);
  f.fourDigitYear = format.GetFourDigitYear();
  f.timeFormat24 = format.Get24HourClock();
  return f;
}

LNDatetimeFormat FromModel(const model::DatetimeFormat& format) {
  LNDatetimeFormat f;
  f.SetShow(format.show == model::DatetimeFormat::Show::Date   ? LNDATETIMESHOW_DATE
            : format.show == model::DatetimeFormat::Show::Time ? LNDATETIMESHOW_TIME
                                                               : LNDATETIMESHOW_DATETIME);
  f.SetDateParts(static_cast<LNDATEPARTS>(format.date));
  f.SetTimeParts(static_cast<LNTIMEPARTS>(format.time));
  f.SetZoneShow(static_cast<LNZONESHOW>(format.zone));
  f.SetFourDigitYear(format.fourDigitYear);
  f.Set24HourClock(format.timeFormat24);
  return f;
}

}  // namespace host

namespace {

// The Japanese client's settings never change, so every LNInternational shares one copy. It lives
// as long as the library, so the pointer owns nothing and copying it counts no references (with
// more than one thread in the process each count would be an atomic operation, several for every
// number and date/time rendered).
const std::shared_ptr<const host::model::International>& JapaneseClient() {
  static const host::model::International japanese;
  static const std::shared_ptr<const host::model::International> settings(std::shared_ptr<void>(), &japanese);
  return settings;
}

}  // namespace

LNInternational::LNInternational() : settings_(JapaneseClient()) {}
