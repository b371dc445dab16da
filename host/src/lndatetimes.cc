// LNDatetime, LNDatetimeRange and LNDatetimes.
#include "access.h"
#include "base/render.h"
#include "errors.h"
#include "formats.h"
#include "item_values.h"
#include "timedate.h"

using host::Access;
using host::model::DateTimes;

LNDatetime::LNDatetime() : parts_{kCoreNoDate, kCoreNoTime, 0, false} {}
LNDatetime::LNDatetime(const CoreTimeDate& packed) : LNDatetime() {
  const host::model::DateTime value = host::Unpack(packed);
  parts_ = {value.date, value.time, value.zoneMinutes, value.dst};
}

CoreTimeDate LNDatetime::GetTimeDate() const { return host::Pack(Access::ModelOf(*this)); }

LNSTATUS LNDatetime::GetText(LNString* text) const {
  return host::Guard([&] {
    if (!text) host::Raise(host::kErrInvalidArgument);
    *text = Access::String(host::PlainDateTime(Access::ModelOf(*this), host::model::International{}));
  });
}

LNSTATUS LNDatetime::GetText(const LNDatetimeFormat& format, const LNInternational& international,
                             LNString* text) const {
  return host::Guard([&] {
    if (!text) host::Raise(host::kErrInvalidArgument);
    *text = Access::String(
        host::FormatDateTime(Access::ModelOf(*this), host::ToModel(format), Access::Settings(international)));
  });
}

LNDatetimes::LNDatetimes() { data_ = host::NewItem<DateTimes>(); }
LNDatetimes::LNDatetimes(const LNItem& item) { *this = item; }
LNDatetimes& LNDatetimes::operator=(const LNItem& item) {
  data_ = host::Adopt<DateTimes>(item);
  return *this;
}

LNINT LNDatetimes::GetCount() const {
  if (!data_) return 0;
  const DateTimes& v = host::ValueOf<DateTimes>(*this);
  return static_cast<LNINT>(v.values.size() + v.ranges.size());
}

LNINT LNDatetimes::GetDatetimeCount() const {
  return data_ ? static_cast<LNINT>(host::ValueOf<DateTimes>(*this).values.size()) : 0;
}

LNDatetime LNDatetimes::operator[](LNINT index) const {
  return host::GuardValue(LNDatetime(), [&] {
    if (index < 0 || index >= GetCount()) host::Raise(host::kErrListIndex);
    const DateTimes& v = host::ValueOf<DateTimes>(*this);
    const auto i = static_cast<std::size_t>(index);
    return Access::DatetimeOf(i < v.values.size() ? v.values[i] : v.ranges[i - v.values.size()].lower);
  });
}

LNDatetimeRange LNDatetimes::GetRange(LNINT index) const {
  return host::GuardValue(LNDatetimeRange(), [&] {
    if (index < 0 || index >= GetCount() - GetDatetimeCount()) host::Raise(host::kErrListIndex);
    const auto& range = host::ValueOf<DateTimes>(*this).ranges[static_cast<std::size_t>(index)];
    return LNDatetimeRange(Access::DatetimeOf(range.lower), Access::DatetimeOf(range.upper));
  });
}

LNSTATUS LNDatetimes::Insert(LNINT position, const LNDatetime& value) {
  return host::Guard([&] {
    if (!data_) host::Raise(host::kErrNullObject);
    auto& values = host::MutableValueOf<DateTimes>(*this).values;
    if (position < 0 || static_cast<std::size_t>(position) > values.size()) host::Raise(host::kErrListIndex);
    values.insert(values.begin() + position, Access::ModelOf(value));
  });
}

LNSTATUS LNDatetimes::Append(const LNDatetimeRange& range) {
  return host::Guard([&] {
    if (!data_) host::Raise(host::kErrNullObject);
    host::MutableValueOf<DateTimes>(*this).ranges.push_back(
        {Access::ModelOf(range.GetBegin()), Access::ModelOf(range.GetEnd())});
  });
}
