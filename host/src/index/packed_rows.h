// A view's rows as a collection holds them: summary tables packed once, entries in view order.
//
// Internal to the host library.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <platform/large_block.h>

#include "index/summary_table.h"

namespace host::index {

// Summary tables back to back in blocks of a fixed size, so a large view's tables grow without
// ever being copied to a larger block (which would need their space twice over).
class TableStore {
 public:
  // Packs the table of `values` and returns its offset.
  std::uint64_t Add(TablePacker& packer, std::span<const model::Value* const> values);
  // Stores a table packed already and returns its offset.
  std::uint64_t AddPacked(std::span<const std::uint8_t> table);
  const std::uint8_t* At(std::uint64_t offset) const {
    return reinterpret_cast<const std::uint8_t*>(blocks_[offset / kBlock].get()) + offset % kBlock;
  }

 private:
  static constexpr std::uint64_t kBlock = platform::kLargeBlockAlignment;  // larger than any table
  static_assert(kBlock >= kMaxSummaryTable);
  std::vector<platform::LargeBlock> blocks_;
  std::uint64_t used_ = 0;  // in the last block
  std::vector<std::uint8_t> packed_;
};

struct PackedRows {
  struct Entry {
    std::uint64_t table;  // offset of the entry's summary table in `tables`
    std::uint32_t noteId;
    std::uint16_t level = 0;  // 0 for a main document or a category, 1 for a response, 2 for its responses ...
  };
  // A document under several categories shares one table.
  TableStore tables;
  std::vector<Entry> entries;
  // What the view could not show, one text per column: its title, and what the formula needs.
  std::vector<std::string> problems;

  const std::uint8_t* TableOf(const Entry& entry) const { return tables.At(entry.table); }
};

}  // namespace host::index
