// One row of a view, decoded from the entry record the host's collection read returns.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "host/core.h"
#include "host/notes.h"

inline constexpr NOTEID kCategoryNoteIdBit = 0x80000000;

class ViewEntry {
 public:
  ViewEntry() = default;
  ViewEntry(const ViewEntry&) = default;
  ViewEntry& operator=(const ViewEntry&) = default;
  ViewEntry(ViewEntry&&) = default;
  ViewEntry& operator=(ViewEntry&&) = default;
  virtual ~ViewEntry() = default;

  // Decodes the entry record at the start of `bytes` (which may hold more after it): the note ID
  // replaces this entry's, the summary values are appended (a null item for an absent value or a
  // type not handled), and `*entrySize` gets the record's length. A record whose lengths reach
  // beyond `bytes`, or a text list the host cannot read, gives a nonzero status and leaves the
  // entry as it was; nothing outside `bytes` is ever read.
  LNSTATUS Decode(std::string_view bytes, std::size_t* entrySize);

  NOTEID GetNoteID() const { return noteId_; }
  bool IsCategory() const { return (noteId_ & kCategoryNoteIdBit) != 0; }
  std::size_t GetValueCount() const { return values_.size(); }
  // `index` below GetValueCount(); the index is a view column's column number.
  const LNItem& GetValue(std::size_t index) const { return values_[index]; }

 private:
  NOTEID noteId_ = 0;
  std::vector<LNItem> values_;
};

// The length and note ID of the entry record at the start of `bytes`, checked as Decode checks
// it but without building its values; a nonzero status for a record Decode would reject.
LNSTATUS MeasureEntryRecord(std::string_view bytes, std::size_t* entrySize, NOTEID* noteId);
