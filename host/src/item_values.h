// The values behind the LN value classes.
#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <variant>

#include "access.h"
#include "errors.h"

namespace host {

// The type code of a value, as LNItem::GetType reports it.
LNITEMTYPE TypeOf(const model::Value& value);

// Blocks are recycled by size, each size given a slot when first asked for; kNoBlockSlot when
// every slot is taken (the size is then not recycled).
inline constexpr std::size_t kNoBlockSlot = SIZE_MAX;
std::size_t BlockSlot(std::size_t size);
// A block of the slot's size freed before by this thread, or null. A bounded number of each size
// is kept, and freed when the thread ends.
void* TakeRecycledBlock(std::size_t slot);
// Keeps `block` (from ::operator new, of the slot's size) for TakeRecycledBlock; false when it is
// not kept and the caller frees it.
bool RecycleBlock(void* block, std::size_t slot);

// Single objects in recycled blocks: an export makes and drops several items and a note for
// every row, each kind always of one size.
template <class T>
struct RecyclingAllocator {
  using value_type = T;
  RecyclingAllocator() = default;
  template <class U>
  RecyclingAllocator(const RecyclingAllocator<U>&) {}  // NOLINT: rebinding
  T* allocate(std::size_t n) {
    if (n == 1) {
      if (void* block = TakeRecycledBlock(Slot())) return static_cast<T*>(block);
    }
    return std::allocator<T>().allocate(n);
  }
  void deallocate(T* block, std::size_t n) {
    if (n != 1 || !RecycleBlock(block, Slot())) std::allocator<T>().deallocate(block, n);
  }
  static std::size_t Slot() {
    static const std::size_t slot = BlockSlot(sizeof(T));
    return slot;
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
