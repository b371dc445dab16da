#include "item_values.h"

#include <cstdint>
#include <mutex>

namespace host {

LNITEMTYPE TypeOf(const model::Value& value) {
  struct {
    LNITEMTYPE operator()(const model::Text&) const { return LNITEMTYPE_TEXT; }
    LNITEMTYPE operator()(const model::Numbers&) const { return LNITEMTYPE_NUMBERS; }
    LNITEMTYPE operator()(const model::DateTimes&) const { return LNITEMTYPE_DATETIMES; }
    LNITEMTYPE operator()(const model::RichText&) const { return LNITEMTYPE_RICHTEXT; }
    LNITEMTYPE operator()(const model::Unsupported& u) const {
      if (u.typeCode != 0) return static_cast<LNITEMTYPE>(u.typeCode);
      return u.kind == "formula" ? LNITEMTYPE_FORMULA : LNITEMTYPE_UNSUPPORTED;
    }
  } visitor;
  return std::visit(visitor, value);
}

namespace {

constexpr std::size_t kKinds = std::variant_size_v<model::Value>;
// A row of an export holds a few items of a kind; more kept would only hold memory.
constexpr std::uint8_t kKeptPerKind = 16;
// Lists with room for more values than this are freed rather than kept.
constexpr std::size_t kKeptRoom = 16;

// Block sizes recycled: the control blocks of items and of notes.
constexpr std::size_t kBlockSizes = 4;
constexpr std::uint8_t kKeptPerBlockSize = 64;

// What a thread keeps for reuse. Trivially destructible, so that what is dropped while the thread
// ends still finds it; in the initial thread-local block, since it is read for every item made
// and dropped.
struct KeptForReuse {
  ItemData* items[kKinds];  // linked through ItemData::nextKept
  std::uint8_t itemCount[kKinds];
  void* blocks[kBlockSizes];  // by slot, linked through their first bytes
  std::uint8_t blockCount[kBlockSizes];
  bool cleanUpRegistered;
  bool closed;  // the thread is ending: nothing more is kept
};
[[gnu::tls_model("initial-exec")]] thread_local KeptForReuse kept;

struct FreeKeptAtThreadEnd {
  ~FreeKeptAtThreadEnd() {
    kept.closed = true;
    for (ItemData*& head : kept.items) {
      while (head) delete std::exchange(head, head->nextKept);
    }
    for (void*& head : kept.blocks) {
      while (head) ::operator delete(std::exchange(head, *static_cast<void**>(head)));
    }
  }
};
thread_local FreeKeptAtThreadEnd freeKeptAtThreadEnd;

// False once the thread is ending; else makes sure what is kept is freed when it ends.
bool Keeping() {
  if (kept.closed) return false;
  if (!kept.cleanUpRegistered) {
    static_cast<void>(&freeKeptAtThreadEnd);
    kept.cleanUpRegistered = true;
  }
  return true;
}

// Empties `value`, keeping the room of its lists; false for a value not worth keeping.
bool EmptyForReuse(model::Value& value) {
  const auto keepable = [](const auto& list) { return list.capacity() <= kKeptRoom; };
  if (auto* text = std::get_if<model::Text>(&value)) {
    if (!keepable(text->values)) return false;
    text->values.clear();
    return true;
  }
  if (auto* numbers = std::get_if<model::Numbers>(&value)) {
    if (!keepable(numbers->values) || !keepable(numbers->ranges)) return false;
    numbers->values.clear();
    numbers->ranges.clear();
    return true;
  }
  if (auto* datetimes = std::get_if<model::DateTimes>(&value)) {
    if (!keepable(datetimes->values) || !keepable(datetimes->ranges)) return false;
    datetimes->values.clear();
    datetimes->ranges.clear();
    return true;
  }
  return false;
}

struct KeepOrFree {
  void operator()(ItemData* data) const noexcept {
    data->note.reset();
    const std::size_t kind = data->item.value.index();
    if (kind >= kKinds || kept.itemCount[kind] == kKeptPerKind || !EmptyForReuse(data->item.value) || !Keeping()) {
      delete data;
      return;
    }
    data->item.name.clear();
    data->item.flags = 0;
    data->nextKept = std::exchange(kept.items[kind], data);
    ++kept.itemCount[kind];
  }
};

ItemData* TakeKept(std::size_t kind) {
  if (kind >= kKinds || !kept.items[kind]) return nullptr;
  --kept.itemCount[kind];
  return std::exchange(kept.items[kind], kept.items[kind]->nextKept);
}

}  // namespace

std::size_t BlockSlot(std::size_t size) {
  static std::mutex mutex;
  static std::size_t sizes[kBlockSizes];
  if (size < sizeof(void*)) return kNoBlockSlot;
  const std::lock_guard lock(mutex);
  for (std::size_t slot = 0; slot < kBlockSizes; ++slot) {
    if (sizes[slot] == 0) sizes[slot] = size;
    if (sizes[slot] == size) return slot;
  }
  return kNoBlockSlot;
}

void* TakeRecycledBlock(std::size_t slot) {
  if (slot >= kBlockSizes || !kept.blocks[slot]) return nullptr;
  --kept.blockCount[slot];
  return std::exchange(kept.blocks[slot], *static_cast<void**>(kept.blocks[slot]));
}

bool RecycleBlock(void* block, std::size_t slot) {
  if (slot >= kBlockSizes || kept.blockCount[slot] == kKeptPerBlockSize || !Keeping()) return false;
  *static_cast<void**>(block) = std::exchange(kept.blocks[slot], block);
  ++kept.blockCount[slot];
  return true;
}

std::shared_ptr<ItemData> MakeItemData(std::size_t kind) {
  ItemData* data = TakeKept(kind);
  if (!data) data = new ItemData;
  return std::shared_ptr<ItemData>(data, KeepOrFree(), RecyclingAllocator<ItemData>());
}

}  // namespace host
