#include "index/summary_table.h"

#include <algorithm>
#include <numeric>

#include "index/bytes.h"
#include "index/packed_value.h"

namespace host::index {
namespace {

// The largest limit such that the sizes, each cut to it, add up to at most `budget`.
std::size_t CommonLimit(std::vector<std::size_t>& sorted, std::size_t budget) {
  std::sort(sorted.begin(), sorted.end());
  std::size_t left = sorted.size();
  for (std::size_t size : sorted) {
    if (size > budget / left) return budget / left;
    budget -= size;
    --left;
  }
  return budget;
}

}  // namespace

void TablePacker::Append(std::span<const model::Value* const> values, std::vector<std::uint8_t>& out) {
  const std::size_t header = 4 + 2 * values.size();
  const std::size_t budget = kMaxSummaryTable - header;
  sizes_.clear();
  for (const model::Value* value : values) sizes_.push_back(value ? PackedSize(*value) : 0);
  std::size_t limit = budget;
  if (std::accumulate(sizes_.begin(), sizes_.end(), std::size_t{0}) > budget) {
    sorted_ = sizes_;
    limit = CommonLimit(sorted_, budget);
  }

  const std::size_t start = out.size();
  out.resize(start + header);
  std::size_t length = header;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::size_t written = values[i] ? AppendPacked(*values[i], std::min(sizes_[i], limit), out) : 0;
    Store(out.data() + start + 4 + 2 * i, static_cast<std::uint16_t>(written));
    length += written;
  }
  Store(out.data() + start, static_cast<std::uint16_t>(length));
  Store(out.data() + start + 2, static_cast<std::uint16_t>(values.size()));
}

std::span<const std::uint8_t> ValueInTable(const std::uint8_t* table, std::size_t column) {
  const std::size_t count = Load<std::uint16_t>(table + 2);
  if (column >= count) return {};
  const std::uint8_t* value = table + 4 + 2 * count;
  for (std::size_t i = 0; i < column; ++i) value += Load<std::uint16_t>(table + 4 + 2 * i);
  return {value, Load<std::uint16_t>(table + 4 + 2 * column)};
}

}  // namespace host::index
