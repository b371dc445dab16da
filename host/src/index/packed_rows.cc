#include "index/packed_rows.h"

#include <cstring>

namespace host::index {

std::uint64_t TableStore::Add(TablePacker& packer, std::span<const model::Value* const> values) {
  packed_.clear();
  packer.Append(values, packed_);
  return AddPacked(packed_);
}

std::uint64_t TableStore::AddPacked(std::span<const std::uint8_t> table) {
  if (blocks_.empty() || kBlock - used_ < table.size()) {
    blocks_.push_back(platform::AllocateLargeBlock(kBlock));
    used_ = 0;
  }
  const std::uint64_t offset = (blocks_.size() - 1) * kBlock + used_;
  std::memcpy(blocks_.back().get() + used_, table.data(), table.size());
  used_ += table.size();
  return offset;
}

}  // namespace host::index
