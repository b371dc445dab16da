#include "client/outline.h"

#include <algorithm>

namespace client {

std::uint32_t Outline::EntryAt(std::uint32_t row) const {
  // The last span that begins at or before the row, counted in rows.
  const auto after = std::upper_bound(hidden_.begin(), hidden_.end(), row, [](std::uint32_t r, const Span& span) {
    return r < span.begin - span.hiddenBefore;
  });
  if (after == hidden_.begin()) return row;
  const Span& span = *(after - 1);
  return row + span.hiddenBefore + (span.end - span.begin);
}

std::optional<std::uint32_t> Outline::RowOf(std::uint32_t entry) const {
  const auto after = std::upper_bound(hidden_.begin(), hidden_.end(), entry,
                                      [](std::uint32_t e, const Span& span) { return e < span.begin; });
  if (after == hidden_.begin()) return entry;
  const Span& span = *(after - 1);
  if (entry < span.end) return std::nullopt;
  return entry - span.hiddenBefore - (span.end - span.begin);
}

void Outline::Collapse(std::uint32_t entry, std::uint32_t subtreeEnd) {
  collapsed_[entry] = std::min(subtreeEnd, count_);
  Rebuild();
}

void Outline::Expand(std::uint32_t entry) {
  collapsed_.erase(entry);
  Rebuild();
}

void Outline::Rebuild() {
  hidden_.clear();
  hiddenTotal_ = 0;
  for (const auto& [entry, end] : collapsed_) {
    const std::uint32_t begin = entry + 1;
    if (!hidden_.empty() && begin < hidden_.back().end) continue;  // inside a collapsed one
    if (begin >= end) continue;
    hidden_.push_back({begin, end, hiddenTotal_});
    hiddenTotal_ += end - begin;
  }
}

}  // namespace client
