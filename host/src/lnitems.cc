// LNItem, LNItemArray and LNText.
#include "host/lnitems.h"

#include "access.h"
#include "errors.h"
#include "item_values.h"

using host::Access;

LNITEMTYPE LNItem::GetType() const {
  return host::GuardValue(LNITEMTYPE_UNSUPPORTED, [&] {
    if (!data_) host::Raise(host::kErrNullObject);
    return host::TypeOf(data_->item.value);
  });
}

LNString LNItem::GetName() const { return data_ ? Access::String(data_->item.name) : LNString(); }

LNItem LNItemArray::operator[](LNINT index) const {
  return host::GuardValue(LNItem(), [&] {
    if (index < 0 || index >= GetCount()) host::Raise(host::kErrListIndex);
    return items_[static_cast<std::size_t>(index)];
  });
}

LNText::LNText() { data_ = host::NewItem<host::model::Text>(); }
LNText::LNText(const LNItem& item) { *this = item; }
LNText& LNText::operator=(const LNItem& item) {
  data_ = host::Adopt<host::model::Text>(item);
  return *this;
}

LNINT LNText::GetCount() const {
  return data_ ? static_cast<LNINT>(host::ValueOf<host::model::Text>(*this).values.size()) : 0;
}

LNString LNText::operator[](LNINT index) const {
  return host::GuardValue(LNString(), [&] {
    if (index < 0 || index >= GetCount()) host::Raise(host::kErrListIndex);
    return Access::String(host::ValueOf<host::model::Text>(*this).values[static_cast<std::size_t>(index)]);
  });
}

LNSTATUS LNText::Insert(LNINT position, const LNString& text) {
  return Insert(position, Access::String(Access::Text(text)));
}

LNSTATUS LNText::Insert(LNINT position, LNString&& text) {
  return host::Guard([&] {
    if (!data_) host::Raise(host::kErrNullObject);
    auto& values = host::MutableValueOf<host::model::Text>(*this).values;
    if (position < 0 || static_cast<std::size_t>(position) > values.size()) host::Raise(host::kErrListIndex);
    values.insert(values.begin() + position, Access::Text(std::move(text)));
  });
}
