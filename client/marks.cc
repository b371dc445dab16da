#include "client/marks.h"

#include <algorithm>

namespace client {

void Marks::Toggle(const std::vector<std::uint32_t>& documents) {
  const bool allMarked = std::ranges::all_of(documents, [&](std::uint32_t id) { return Contains(id); });
  if (!allMarked) return Mark(documents);
  for (const std::uint32_t id : documents) marked_.erase(id);
}

std::vector<std::uint32_t> Marks::Selection(std::optional<std::uint32_t> documentAtCursor) const {
  if (marked_.empty()) return documentAtCursor ? std::vector<std::uint32_t>{*documentAtCursor} : std::vector<std::uint32_t>{};
  std::vector<std::uint32_t> ids(marked_.begin(), marked_.end());
  std::ranges::sort(ids);
  return ids;
}

}  // namespace client
