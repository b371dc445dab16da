// The process-wide handle table: database, collection, ID-table and memory handles, shared by the
// client and the plug-in because both use this one library.
//
// Internal to the host library. Handles are never 0; a handle that was freed is not reused while
// the process runs.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "index/packed_rows.h"
#include "model.h"

namespace host::handles {

using DatabaseHandle = std::uint32_t;
using CollectionHandle = std::uint16_t;
using IdTableHandle = std::uint32_t;
using MemoryHandle = std::uint32_t;

DatabaseHandle AddDatabase(std::shared_ptr<model::Database> database);
// Null for an unknown handle.
std::shared_ptr<model::Database> FindDatabase(DatabaseHandle handle);
void RemoveDatabase(DatabaseHandle handle);

// 0 once all 65 535 collection handles have been given out.
CollectionHandle AddCollection(std::shared_ptr<const index::PackedRows> rows);
std::shared_ptr<const index::PackedRows> FindCollection(CollectionHandle handle);
// False for an unknown handle.
bool RemoveCollection(CollectionHandle handle);

// Note IDs in ascending order, each once.
using IdTable = std::vector<std::uint32_t>;
IdTableHandle AddIdTable(IdTable table);
const IdTable* FindIdTable(IdTableHandle handle);
bool RemoveIdTable(IdTableHandle handle);

struct Memory {
  std::vector<std::uint8_t> bytes;
  int locks = 0;
};
MemoryHandle AddMemory(std::vector<std::uint8_t> bytes);
Memory* FindMemory(MemoryHandle handle);
bool RemoveMemory(MemoryHandle handle);

}  // namespace host::handles
