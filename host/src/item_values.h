// The values behind the LN value classes.
#pragma once

#include <memory>
#include <variant>

#include "access.h"
#include "errors.h"

namespace host {

// The type code of a value, as LNItem::GetType reports it.
LNITEMTYPE TypeOf(const model::Value& value);

inline std::shared_ptr<ItemData> NewItem(model::Value value) {
  return std::make_shared<ItemData>(ItemData{model::Item{{}, std::move(value)}, nullptr});
}

// The data of `item` for a value class of kind V: shared when the item holds a V, null for a null
// item; another kind throws kErrWrongItemType.
template <class V>
std::shared_ptr<ItemData> Adopt(const LNItem& item) {
  const auto& data = Access::Data(item);
  if (data && !std::holds_alternative<V>(data->item.value)) ThrowStatus(kErrWrongItemType);
  return data;
}

template <class V>
const V& ValueOf(const LNItem& item) {
  return std::get<V>(Access::Data(item)->item.value);
}
template <class V>
V& MutableValueOf(const LNItem& item) {
  return std::get<V>(Access::Data(item)->item.value);
}

}  // namespace host
