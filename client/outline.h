// Which entries of a view are in sight: all of them, but those under a collapsed category row.
// Rows count the entries in sight, in view order.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace client {

class Outline {
 public:
  explicit Outline(std::uint32_t entryCount) : count_(entryCount) {}

  std::uint32_t RowCount() const { return count_ - hiddenTotal_; }
  // The entry shown in `row` (below RowCount()).
  std::uint32_t EntryAt(std::uint32_t row) const;
  // The row that shows `entry`; none while it lies under a collapsed category.
  std::optional<std::uint32_t> RowOf(std::uint32_t entry) const;

  bool IsCollapsed(std::uint32_t entry) const { return collapsed_.contains(entry); }
  // Hides the entries after `entry` up to `subtreeEnd` (its subtree) until it is expanded again;
  // a category collapsed inside it stays collapsed when it is.
  void Collapse(std::uint32_t entry, std::uint32_t subtreeEnd);
  void Expand(std::uint32_t entry);

 private:
  void Rebuild();

  std::uint32_t count_;
  std::map<std::uint32_t, std::uint32_t> collapsed_;  // category entry -> the end of its subtree
  struct Span {
    std::uint32_t begin, end;   // hidden entries [begin, end), the outermost only
    std::uint32_t hiddenBefore;  // entries hidden by the spans before this one
  };
  std::vector<Span> hidden_;
  std::uint32_t hiddenTotal_ = 0;
};

}  // namespace client
