// A view's rows as a collection holds them: summary tables packed once, entries in view order.
//
// Internal to the host library.
#pragma once

#include <cstdint>
#include <vector>

namespace host::index {

struct PackedRows {
  struct Entry {
    std::uint64_t table;  // offset of the entry's summary table in `tables`
    std::uint32_t noteId;
  };
  // Summary tables back to back. A document under several categories shares one table.
  std::vector<std::uint8_t> tables;
  std::vector<Entry> entries;

  const std::uint8_t* TableOf(const Entry& entry) const { return tables.data() + entry.table; }
};

}  // namespace host::index
