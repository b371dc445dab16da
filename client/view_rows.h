// The entries of a view's open collection as rows to show, read from the collection in batches as
// they are asked for. Only a bounded number of rows is held at a time, whatever the view's size.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include <host/core.h>

#include "client/view_layout.h"

namespace client {

struct ViewRow {
  std::uint32_t noteId = 0;  // bit 31 set: a category row
  int categoryLevel = -1;    // a category row's: its categorised column, 0 = the leftmost; -1 for a document
  int indent = 0;            // a document's response level: 0 for a main document, 1 for a response ...
  // UTF-8, one per shown column. A category row has text only in its own column, a document row
  // none in the categorised columns.
  std::vector<std::string> cells;
};

inline bool IsCategoryNoteId(std::uint32_t noteId) { return (noteId & 0x80000000u) != 0; }

class ViewRows {
 public:
  // Reads `collection`, which stays open while this object exists.
  ViewRows(CoreCollectionHandle collection, ViewLayout layout);

  const ViewLayout& Layout() const { return layout_; }
  std::uint32_t Count() const { return count_; }
  // The entry at `index` (below Count()), in view order.
  const ViewRow& At(std::uint32_t index);

  // The index after the last entry under the category row at `index`: the next category row of
  // the same or a higher level, or the end; index + 1 for a document row.
  std::uint32_t SubtreeEnd(std::uint32_t index);
  // The note IDs of the document rows from `begin` up to `end`, in view order.
  std::vector<std::uint32_t> DocumentsIn(std::uint32_t begin, std::uint32_t end);

  // How many rows are held now (never more than kHeldBatches batches).
  std::size_t HeldRows() const { return batches_.size() * kBatchRows; }

  static constexpr std::uint32_t kBatchRows = 128;
  static constexpr std::size_t kHeldBatches = 64;

 private:
  // Visits the entries from `begin` on, in view order, with their note ID and category level,
  // while `visit` returns true.
  void Scan(std::uint32_t begin, const std::function<bool(std::uint32_t index, std::uint32_t noteId, int level)>& visit);
  // Reads the entries from `begin` on as whole rows, while `keep` returns true for the next one.
  void Read(std::uint32_t begin, const std::function<bool(std::uint32_t index, const std::uint8_t* entry)>& keep) const;
  int CategoryLevel(const std::uint8_t* entry) const;
  ViewRow Decode(const std::uint8_t* entry) const;

  CoreCollectionHandle collection_;
  ViewLayout layout_;
  std::uint32_t count_ = 0;
  struct Batch {
    std::vector<ViewRow> rows;
    std::list<std::uint32_t>::iterator used;  // its place in usedOrder_
  };
  std::unordered_map<std::uint32_t, Batch> batches_;  // by batch number
  std::list<std::uint32_t> usedOrder_;                // batch numbers, the last used first
};

}  // namespace client
