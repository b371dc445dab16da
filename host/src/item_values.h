// The values behind the LN value classes.
#pragma once

#include <memory>
#include <type_traits>
#include <variant>

#include "access.h"
#include "errors.h"

namespace host {

// The type code of a value, as LNItem::GetType reports it.
LNITEMTYPE TypeOf(const model::Value& value);

inline std::shared_ptr<ItemData> NewItem(model::Value value) {
  auto data = std::make_shared<ItemData>();
  data->item.value = std::move(value);
  return data;
}

// A new item holding an empty value of kind V, made in place.
template <class V>
std::shared_ptr<ItemData> NewItem() {
  auto data = std::make_shared<ItemData>();
  if constexpr (!std::is_same_v<V, std::variant_alternative_t<0, model::Value>>) data->item.value.emplace<V>();
  return data;
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
