// LNNumber and LNNumbers.
#include "access.h"
#include "base/render.h"
#include "errors.h"
#include "formats.h"
#include "item_values.h"

using host::Access;
using host::model::Numbers;

LNSTATUS LNNumber::GetText(LNString* text) const {
  return host::Guard([&] {
    if (!text) host::Raise(host::kErrInvalidArgument);
    *text = Access::String(host::PlainNumber(value_, host::model::International{}));
  });
}

LNSTATUS LNNumber::GetText(const LNNumberFormat& format, const LNInternational& international,
                           LNString* text) const {
  return host::Guard([&] {
    if (!text) host::Raise(host::kErrInvalidArgument);
    *text = Access::String(host::FormatNumber(value_, host::ToModel(format), Access::Settings(international)));
  });
}

LNNumbers::LNNumbers() { data_ = host::NewItem<Numbers>(); }
LNNumbers::LNNumbers(const LNItem& item) { *this = item; }
LNNumbers& LNNumbers::operator=(const LNItem& item) {
  data_ = host::Adopt<Numbers>(item);
  return *this;
}

LNINT LNNumbers::GetCount() const {
  return data_ ? static_cast<LNINT>(host::ValueOf<Numbers>(*this).values.size()) : 0;
}

LNNumber LNNumbers::operator[](LNINT index) const {
  return host::GuardValue(LNNumber(), [&] {
    if (index < 0 || index >= GetCount()) host::Raise(host::kErrListIndex);
    return LNNumber(host::ValueOf<Numbers>(*this).values[static_cast<std::size_t>(index)]);
  });
}

LNSTATUS LNNumbers::Insert(LNINT position, LNNUMBER value) {
  return host::Guard([&] {
    if (!data_) host::Raise(host::kErrNullObject);
    auto& values = host::MutableValueOf<Numbers>(*this).values;
    if (position < 0 || static_cast<std::size_t>(position) > values.size()) host::Raise(host::kErrListIndex);
    values.insert(values.begin() + position, value);
  });
}
