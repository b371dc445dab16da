#include "item_values.h"

#include <cstdint>

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

// Trivially destructible, so that items dropped while the thread ends still find it; in the
// initial thread-local block, since it is read for every item made and dropped.
struct KeptItems {
  ItemData* head[kKinds];  // linked through ItemData::nextKept
  std::uint8_t count[kKinds];
  bool cleanUpRegistered;
  bool closed;  // the thread is ending: nothing more is kept
};
[[gnu::tls_model("initial-exec")]] thread_local KeptItems kept;

struct FreeKeptItemsAtThreadEnd {
  ~FreeKeptItemsAtThreadEnd() {
    kept.closed = true;
    for (ItemData*& head : kept.head) {
      while (head) delete std::exchange(head, head->nextKept);
    }
  }
};
thread_local FreeKeptItemsAtThreadEnd freeKeptItemsAtThreadEnd;

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
    if (kept.closed || kind >= kKinds || kept.count[kind] == kKeptPerKind || !EmptyForReuse(data->item.value)) {
      delete data;
      return;
    }
    if (!kept.cleanUpRegistered) {
      static_cast<void>(&freeKeptItemsAtThreadEnd);
      kept.cleanUpRegistered = true;
    }
    data->item.name.clear();
    data->item.flags = 0;
    data->nextKept = std::exchange(kept.head[kind], data);
    ++kept.count[kind];
  }
};

ItemData* TakeKept(std::size_t kind) {
  if (kind >= kKinds || !kept.head[kind]) return nullptr;
  --kept.count[kind];
  return std::exchange(kept.head[kind], kept.head[kind]->nextKept);
}

}  // namespace

std::shared_ptr<ItemData> MakeItemData(std::size_t kind) {
  ItemData* data = TakeKept(kind);
  if (!data) data = new ItemData;
  return std::shared_ptr<ItemData>(data, KeepOrFree(), RecyclingAllocator<ItemData>());
}

}  // namespace host
