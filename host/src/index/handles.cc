#include "index/handles.h"

#include <limits>
#include <unordered_map>

namespace host::handles {
namespace {

// Objects by handle; handles count up from 1 and are never given twice.
template <typename Handle, typename Object>
class Table {
 public:
  // 0 when the handles are used up.
  Handle Add(Object object) {
    if (next_ == 0) return 0;
    const Handle handle = next_;
    next_ = handle == std::numeric_limits<Handle>::max() ? Handle{0} : static_cast<Handle>(handle + 1);
    objects_.emplace(handle, std::move(object));
    return handle;
  }
  Object* Find(Handle handle) {
    auto it = objects_.find(handle);
    return it == objects_.end() ? nullptr : &it->second;
  }
  bool Remove(Handle handle) { return objects_.erase(handle) != 0; }

 private:
  Handle next_ = 1;
  std::unordered_map<Handle, Object> objects_;
};

Table<DatabaseHandle, std::shared_ptr<model::Database>>& Databases() {
  static Table<DatabaseHandle, std::shared_ptr<model::Database>> table;
  return table;
}
Table<CollectionHandle, std::shared_ptr<const index::PackedRows>>& Collections() {
  static Table<CollectionHandle, std::shared_ptr<const index::PackedRows>> table;
  return table;
}
Table<IdTableHandle, IdTable>& IdTables() {
  static Table<IdTableHandle, IdTable> table;
  return table;
}
Table<MemoryHandle, Memory>& Memories() {
  static Table<MemoryHandle, Memory> table;
  return table;
}

template <typename Pointer>
Pointer Shared(Pointer* found) {
  return found ? *found : nullptr;
}

}  // namespace

DatabaseHandle AddDatabase(std::shared_ptr<model::Database> database) { return Databases().Add(std::move(database)); }
std::shared_ptr<model::Database> FindDatabase(DatabaseHandle handle) { return Shared(Databases().Find(handle)); }
void RemoveDatabase(DatabaseHandle handle) { Databases().Remove(handle); }

CollectionHandle AddCollection(std::shared_ptr<const index::PackedRows> rows) {
  return Collections().Add(std::move(rows));
}
std::shared_ptr<const index::PackedRows> FindCollection(CollectionHandle handle) {
  return Shared(Collections().Find(handle));
}
bool RemoveCollection(CollectionHandle handle) { return Collections().Remove(handle); }

IdTableHandle AddIdTable(IdTable table) { return IdTables().Add(std::move(table)); }
const IdTable* FindIdTable(IdTableHandle handle) { return IdTables().Find(handle); }
bool RemoveIdTable(IdTableHandle handle) { return IdTables().Remove(handle); }

MemoryHandle AddMemory(std::vector<std::uint8_t> bytes) { return Memories().Add(Memory{std::move(bytes)}); }
Memory* FindMemory(MemoryHandle handle) { return Memories().Find(handle); }
bool RemoveMemory(MemoryHandle handle) { return Memories().Remove(handle); }

}  // namespace host::handles
