// The documents a user has marked in a view, by note ID: a document that stands in several places
// of a view is marked in all of them.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

namespace client {

class Marks {
 public:
  bool Contains(std::uint32_t noteId) const { return marked_.contains(noteId); }
  std::size_t Count() const { return marked_.size(); }
  // Marks `documents`, or unmarks them when every one of them is marked already.
  void Toggle(const std::vector<std::uint32_t>& documents);
  void Mark(const std::vector<std::uint32_t>& documents) { marked_.insert(documents.begin(), documents.end()); }
  void Clear() { marked_.clear(); }

  // The documents an export takes as the selected ones: the marked ones in note-ID order, or, with
  // none marked, the document at the cursor (none on a category row).
  std::vector<std::uint32_t> Selection(std::optional<std::uint32_t> documentAtCursor) const;

 private:
  std::unordered_set<std::uint32_t> marked_;
};

}  // namespace client
