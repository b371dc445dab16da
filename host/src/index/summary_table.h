// The summary table of an entry record: the part after the note ID (length word, value count,
// value lengths, values; layout in host/core.h).
//
// Internal to the host library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "host/core.h"
#include "model.h"

namespace host::index {

// The largest summary table: its entry, note ID included, fits in one read buffer.
inline constexpr std::size_t kMaxSummaryTable = kCoreMaxBuffer - 4;
// The most columns a table can describe, with every value absent.
inline constexpr std::size_t kMaxColumns = (kMaxSummaryTable - 4) / 2;

// Packs rows of summary values into tables, reusing its scratch space from row to row.
class TablePacker {
 public:
  // Appends the table of `values` (null: absent) to `out`; at most kMaxColumns values. When the
  // values together do not fit, the largest are cut to a common limit that makes them fit.
  void Append(std::span<const model::Value* const> values, std::vector<std::uint8_t>& out);

 private:
  std::vector<std::size_t> sizes_, sorted_;
};

// The bytes of value `column` (type word first) in the table at `table`; empty when the value is
// absent or the table has fewer values.
std::span<const std::uint8_t> ValueInTable(const std::uint8_t* table, std::size_t column);

// The table's length: its length word.
inline std::size_t TableSize(const std::uint8_t* table) {
  return static_cast<std::size_t>(table[0]) | static_cast<std::size_t>(table[1]) << 8;
}

}  // namespace host::index
