// The values behind the LN value classes.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>
#include <variant>

#include "access.h"
#include "errors.h"

namespace host {

// The type code of a value, as LNItem::GetType reports it.
LNITEMTYPE TypeOf(const model::Value& value);

// Single objects from a per-thread list of the blocks freed before: an export makes and drops
// several items for every row, all of one size. The blocks stay with the thread that freed them.
template <class T>
struct RecyclingAllocator {
  using value_type = T;
  RecyclingAllocator() = default;
  template <class U>
  RecyclingAllocator(const RecyclingAllocator<U>&) {}  // NOLINT: rebinding
  T* allocate(std::size_t n) {
    void*& head = FreeBlocks();
    if (n != 1 || !head) return std::allocator<T>().allocate(n);
    void* block = std::exchange(head, *static_cast<void**>(head));
    return static_cast<T*>(block);
  }
  void deallocate(T* block, std::size_t n) {
    if (n != 1) return std::allocator<T>().deallocate(block, n);
    void*& head = FreeBlocks();
    *reinterpret_cast<void**>(block) = head;
    head = block;
  }
  static void*& FreeBlocks() {
    [[gnu::tls_model("initial-exec")]] thread_local void* head = nullptr;
    return head;
  }
  friend bool operator==(const RecyclingAllocator&, const RecyclingAllocator&) { return true; }
};

// The index of value kind V in model::Value.
template <class V, class Variant = model::Value>
inline constexpr std::size_t kKindOf = 0;
template <class V, class... Kinds>
inline constexpr std::size_t kKindOf<V, std::variant<Kinds...>> = [] {
  std::size_t index = 0;
  static_cast<void>(((std::is_same_v<V, Kinds> ? false : (++index, true)) && ...));
  return index;
}();

// New item data. The data of a dropped item whose value is a short list (text, numbers,
// date/times) is kept by the thread that dropped it, emptied but with the room its lists had,
// and handed out again for a value of the same kind (`kind`, an index into model::Value): a row
// of an export is decoded into new items and dropped again, and filling a kept one allocates
// nothing. Otherwise the data is new and holds an empty text value.
std::shared_ptr<ItemData> MakeItemData(std::size_t kind = 0);

inline std::shared_ptr<ItemData> NewItem(model::Value value) {
  auto data = MakeItemData(value.index());
  data->item.value = std::move(value);
  return data;
}

// A new item holding an empty value of kind V.
template <class V>
std::shared_ptr<ItemData> NewItem() {
  std::shared_ptr<ItemData> data = MakeItemData(kKindOf<V>);
  if (!std::holds_alternative<V>(data->item.value)) data->item.value.emplace<V>();
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
