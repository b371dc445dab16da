#include "client/view_rows.h"

#include <algorithm>

#include "client/cell_text.h"
#include "client/entry_record.h"

namespace client {
namespace {

// The number of entries of a collection: skipping past the end counts them.
std::uint32_t EntryCount(CoreCollectionHandle collection) {
  CorePosition position{};
  CoreMemoryHandle buffer = 0;
  std::uint32_t skipped = 0, returned = 0;
  std::uint16_t signal = 0;
  if (CoreReadEntries(collection, &position, kCoreNavigateNext, 0xFFFFFFFF, kCoreNavigateNext, 0,
                      kEntryReadMask, &buffer, nullptr, &skipped, &returned, &signal) != 0)
    return 0;
  if (buffer != 0) CoreFreeMemory(buffer);
  return skipped;
}

}  // namespace

ViewRows::ViewRows(CoreCollectionHandle collection, ViewLayout layout)
    : collection_(collection), layout_(std::move(layout)), count_(EntryCount(collection)) {}

void ViewRows::Read(std::uint32_t begin,
                    const std::function<bool(std::uint32_t index, const std::uint8_t* entry)>& keep) const {
  // Each read skips 1 from the position, the last entry read (at first the one before `begin`,
  // counted from 1), and goes on from there.
  CorePosition position{};
  position.tumbler[0] = begin;
  std::uint32_t index = begin;
  for (std::uint16_t signal = kCoreSignalMore; signal & kCoreSignalMore;) {
    CoreMemoryHandle buffer = 0;
    std::uint32_t returned = 0;
    if (CoreReadEntries(collection_, &position, kCoreNavigateNext, 1, kCoreNavigateNext, kCoreAllThatFit,
                        kEntryReadMask, &buffer, nullptr, nullptr, &returned, &signal) != 0 ||
        buffer == 0)
      return;
    const auto* at = static_cast<const std::uint8_t*>(CoreLockMemory(buffer));
    bool more = at != nullptr;
    for (std::uint32_t i = 0; more && i < returned; ++i, ++index) {
      more = keep(index, at);
      at += EntryRecord(at).size;
    }
    CoreUnlockMemory(buffer);
    CoreFreeMemory(buffer);
    if (!more) return;
  }
}

int ViewRows::CategoryLevel(const std::uint8_t* entry) const {
  const EntryRecord record(entry);
  if (!IsCategoryNoteId(record.noteId)) return -1;
  for (std::size_t level = 0; level < layout_.categories.size(); ++level)
    if (record.Length(layout_.categories[level].valueIndex) != 0) return static_cast<int>(level);
  return 0;
}

ViewRow ViewRows::Decode(const std::uint8_t* entry) const {
  const EntryRecord record(entry);
  ViewRow row;
  row.noteId = record.noteId;
  row.indent = record.indent;
  row.categoryLevel = CategoryLevel(entry);
  row.cells.resize(layout_.shown.size());
  if (row.categoryLevel >= 0 && !layout_.categories.empty() && !layout_.shown.empty()) {
    const ViewLayout::Category& category = layout_.categories[static_cast<std::size_t>(row.categoryLevel)];
    ShownColumn asText;  // a category row's value is shown plainly, as its categorised column formats it
    for (const ShownColumn& column : layout_.shown)
      if (column.valueIndex == category.valueIndex) asText = column;
    asText.icons = false;
    row.cells[static_cast<std::size_t>(category.shownColumn)] =
        CellText(record.Value(category.valueIndex), record.Length(category.valueIndex), asText);
    return row;
  }
  for (std::size_t i = 0; i < layout_.shown.size(); ++i) {
    if (layout_.shown[i].categorized) continue;
    const int valueIndex = layout_.shown[i].valueIndex;
    row.cells[i] = CellText(record.Value(valueIndex), record.Length(valueIndex), layout_.shown[i]);
  }
  return row;
}

const ViewRow& ViewRows::At(std::uint32_t index) {
  const std::uint32_t number = index / kBatchRows;
  auto found = batches_.find(number);
  if (found == batches_.end()) {
    if (batches_.size() >= kHeldBatches) {
      batches_.erase(usedOrder_.back());
      usedOrder_.pop_back();
    }
    Batch batch;
    const std::uint32_t first = number * kBatchRows, end = std::min(count_, first + kBatchRows);
    batch.rows.reserve(end - first);
    Read(first, [&](std::uint32_t at, const std::uint8_t* entry) {
      batch.rows.push_back(Decode(entry));
      return at + 1 < end;
    });
    usedOrder_.push_front(number);
    batch.used = usedOrder_.begin();
    found = batches_.emplace(number, std::move(batch)).first;
  } else {
    usedOrder_.splice(usedOrder_.begin(), usedOrder_, found->second.used);
  }
  static const ViewRow kNone;  // an entry the collection no longer gives
  const std::vector<ViewRow>& rows = found->second.rows;
  const std::size_t offset = index - number * kBatchRows;
  return offset < rows.size() ? rows[offset] : kNone;
}

void ViewRows::Scan(std::uint32_t begin,
                    const std::function<bool(std::uint32_t index, std::uint32_t noteId, int level)>& visit) {
  Read(begin, [&](std::uint32_t index, const std::uint8_t* entry) {
    return visit(index, Load<std::uint32_t>(entry), CategoryLevel(entry));
  });
}

std::uint32_t ViewRows::SubtreeEnd(std::uint32_t index) {
  if (index >= count_) return count_;
  const int level = At(index).categoryLevel;
  if (level < 0) return index + 1;
  std::uint32_t end = count_;
  Scan(index + 1, [&](std::uint32_t at, std::uint32_t, int atLevel) {
    if (atLevel >= 0 && atLevel <= level) {
      end = at;
      return false;
    }
    return true;
  });
  return end;
}

std::vector<std::uint32_t> ViewRows::DocumentsIn(std::uint32_t begin, std::uint32_t end) {
  std::vector<std::uint32_t> documents;
  if (begin >= end) return documents;
  Scan(begin, [&](std::uint32_t at, std::uint32_t noteId, int level) {
    if (at >= end) return false;
    if (level < 0) documents.push_back(noteId);
    return at + 1 < end;
  });
  return documents;
}

}  // namespace client
