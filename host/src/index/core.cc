// The core calls of host/core.h over the handle table.
#include "host/core.h"

#include <platform/cp932.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "index/bytes.h"
#include "index/handles.h"
#include "index/indexer.h"
#include "index/notices.h"
#include "index/summary_table.h"
#include "index/timedate_packing.h"
#include "status_error.h"

namespace {

using host::index::PackedRows;

// The entries from index `first` on that fit in one buffer (at most `maxCount` of them): each its
// note ID, its indent level when asked for, and its summary table.
std::vector<std::uint8_t> PackBatch(const PackedRows& rows, std::size_t first, std::uint32_t maxCount, bool levels,
                                    std::uint32_t& count) {
  const std::size_t head = levels ? 6 : 4;
  std::size_t size = 0, end = first;
  while (end < rows.entries.size() && end - first < maxCount) {
    const std::size_t entrySize = head + host::index::TableSize(rows.TableOf(rows.entries[end]));
    if (size + entrySize > kCoreMaxBuffer) break;
    size += entrySize;
    ++end;
  }
  std::vector<std::uint8_t> bytes;
  bytes.reserve(size);
  for (std::size_t i = first; i < end; ++i) {
    const PackedRows::Entry& entry = rows.entries[i];
    const std::uint8_t* table = rows.TableOf(entry);
    host::index::Append(bytes, entry.noteId);
    if (levels) host::index::Append(bytes, entry.level);
    host::index::AppendBytes(bytes, table, host::index::TableSize(table));
  }
  count = static_cast<std::uint32_t>(end - first);
  return bytes;
}

CoreReportLine noticeHandler = nullptr;
void* noticeContext = nullptr;

using host::index::Notify;

// Tells once per view of a database which of its columns the host cannot compute.
void ReportProblems(host::model::Database& database, const host::model::Note& view,
                    const std::vector<std::string>& problems) {
  if (problems.empty() || !database.viewsReported.insert(view.noteId).second) return;
  std::string text = "ビュー「" + view.view->name + "」に計算できない式があります: ";
  for (std::size_t i = 0; i < problems.size(); ++i) text += (i ? "、" : "") + problems[i];
  Notify(text + "。その列には「#式エラー」と表示されます。");
}

bool IsNamed(const host::model::ViewDesign& design, std::string_view name) {
  return platform::EqualsIgnoringAsciiCase(design.name, name) ||
         std::ranges::any_of(design.aliases, [&](const std::string& alias) { return platform::EqualsIgnoringAsciiCase(alias, name); });
}

}  // namespace

void host::index::Notify(const std::string& text) {
  if (noticeHandler) noticeHandler(noticeContext, 0, text.c_str());
  else std::fprintf(stderr, "%s\n", text.c_str());
}

extern "C" {

STATUS CoreReadEntries(CoreCollectionHandle collection, CorePosition* position, std::uint16_t skipNavigator,
                       std::uint32_t skipCount, std::uint16_t returnNavigator, std::uint32_t returnCount,
                       std::uint32_t returnMask, CoreMemoryHandle* buffer, std::uint16_t* bufferLength,
                       std::uint32_t* skipped, std::uint32_t* entriesReturned, std::uint16_t* signalFlags) {
  const std::shared_ptr<const PackedRows> rows = host::handles::FindCollection(collection);
  if (!rows) return host::kErrInvalidHandle;
  if (!position || position->level != 0 || !buffer || !entriesReturned || !signalFlags ||
      skipNavigator != kCoreNavigateNext || returnNavigator != kCoreNavigateNext ||
      (returnMask != kCoreReadNoteIdAndSummary && returnMask != (kCoreReadNoteIdAndSummary | kCoreReadIndentLevels)))
    return host::kErrInvalidArgument;

  // Entry numbers count from 1; the position names the last entry read (0: none yet).
  const std::uint64_t count = rows->entries.size();
  const std::uint64_t at = position->tumbler[0];
  const std::uint64_t first = std::min<std::uint64_t>(std::max<std::uint64_t>(at + skipCount, 1), count + 1);
  std::uint32_t returned = 0;
  std::vector<std::uint8_t> bytes =
      PackBatch(*rows, first - 1, returnCount, returnMask & kCoreReadIndentLevels, returned);

  *buffer = 0;
  if (returned > 0) {
    const std::size_t size = bytes.size();
    *buffer = host::handles::AddMemory(std::move(bytes));
    if (*buffer == 0) return host::kErrBufferOverflow;
    if (bufferLength) *bufferLength = static_cast<std::uint16_t>(size);
    position->tumbler[0] = static_cast<std::uint32_t>(first - 1 + returned);
  } else if (bufferLength) {
    *bufferLength = 0;
  }
  if (skipped) *skipped = static_cast<std::uint32_t>(std::min(at + skipCount, count) - std::min(at, count));
  *entriesReturned = returned;
  *signalFlags = first - 1 + returned < count ? kCoreSignalMore : 0;
  return host::kNoError;
}

void* CoreLockMemory(CoreMemoryHandle memory) {
  host::handles::Memory* found = host::handles::FindMemory(memory);
  if (!found) return nullptr;
  ++found->locks;
  return found->bytes.data();
}

STATUS CoreUnlockMemory(CoreMemoryHandle memory) {
  host::handles::Memory* found = host::handles::FindMemory(memory);
  if (!found || found->locks == 0) return host::kErrInvalidHandle;
  --found->locks;
  return host::kNoError;
}

STATUS CoreFreeMemory(CoreMemoryHandle memory) {
  return host::handles::RemoveMemory(memory) ? host::kNoError : host::kErrInvalidHandle;
}

STATUS CoreGetTextListEntry(const void* list, int withTypeWord, std::uint16_t index, const char** text,
                            std::uint16_t* length) {
  if (!list || !text || !length) return host::kErrInvalidArgument;
  const auto* at = static_cast<const std::uint8_t*>(list);
  if (withTypeWord) {
    if (host::index::Load<std::uint16_t>(at) != kCoreTypeTextList) return host::kErrInvalidArgument;
    at += 2;
  }
  const std::uint16_t count = host::index::Load<std::uint16_t>(at);
  const std::uint16_t textBytes = host::index::Load<std::uint16_t>(at + 2);
  std::size_t total = 0, offset = 0;
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::uint16_t entryLength = host::index::Load<std::uint16_t>(at + 4 + 2 * i);
    if (i == index) offset = total;
    total += entryLength;
  }
  if (total != textBytes) return host::kErrInvalidArgument;
  if (index >= count) return host::kErrListIndex;
  *text = reinterpret_cast<const char*>(at + 4 + 2 * std::size_t{count} + offset);
  *length = host::index::Load<std::uint16_t>(at + 4 + 2 * index);
  return host::kNoError;
}

STATUS CoreUnpackTimeDate(const CoreTimeDate* packed, CoreDateTime* parts) {
  if (!packed || !parts) return host::kErrInvalidArgument;
  const std::optional<host::model::DateTime> value = host::index::UnpackTimeDate(host::index::Load<std::uint64_t>(packed->bytes));
  if (!value) return host::kErrInvalidArgument;
  *parts = {value->date, value->time, value->zoneMinutes, value->dst};
  return host::kNoError;
}

void CorePackTimeDate(const CoreDateTime* parts, CoreTimeDate* packed) {
  const host::model::DateTime value{parts->date, parts->time, parts->zoneMinutes, parts->dst};
  host::index::Store(packed->bytes, host::index::PackTimeDate(value));
}

STATUS CoreFindView(CoreDatabaseHandle database, const char* name, std::uint32_t* noteId) {
  const std::shared_ptr<host::model::Database> found = host::handles::FindDatabase(database);
  if (!found) return host::kErrInvalidHandle;
  if (!name || !noteId) return host::kErrInvalidArgument;
  for (const auto& [id, note] : found->notes) {
    if (note.deleted || !note.view || !IsNamed(*note.view, name)) continue;
    *noteId = id;
    return host::kNoError;
  }
  return host::kErrNoteNotFound;
}

STATUS CoreOpenCollection(CoreDatabaseHandle database, std::uint32_t viewNoteId, CoreCollectionHandle* collection) {
  const std::shared_ptr<host::model::Database> found = host::handles::FindDatabase(database);
  if (!found) return host::kErrInvalidHandle;
  if (!collection) return host::kErrInvalidArgument;
  const host::model::Note* note = found->FindLiveNote(viewNoteId);
  if (!note) return host::kErrNoteNotFound;
  if (!note->view) return host::kErrNotViewOrFolder;
  try {
    auto rows = std::make_shared<const PackedRows>(host::index::IndexViewPacked(*found, *note));
    found->lastOpenedView = &*note->view;
    ReportProblems(*found, *note, rows->problems);
    *collection = host::handles::AddCollection(std::move(rows));
  } catch (const host::StatusError& error) {
    if (!error.detail.empty() && (error.status & 0xFF00) == 0x0200) Notify(error.detail);  // a formula's
    return error.status;
  } catch (const std::bad_alloc&) {
    return host::kErrBufferOverflow;
  }
  return *collection == 0 ? host::kErrBufferOverflow : host::kNoError;
}

void CoreSetNoticeHandler(CoreReportLine handler, void* context) {
  noticeHandler = handler;
  noticeContext = context;
}

STATUS CoreCloseCollection(CoreCollectionHandle collection) {
  return host::handles::RemoveCollection(collection) ? host::kNoError : host::kErrInvalidHandle;
}

STATUS CoreCloseDatabase(CoreDatabaseHandle database) {
  if (!host::handles::FindDatabase(database)) return host::kErrInvalidHandle;
  host::handles::RemoveDatabase(database);
  return host::kNoError;
}

STATUS CoreCreateIdTable(const std::uint32_t* noteIds, std::uint32_t count, CoreIdTableHandle* table) {
  if ((!noteIds && count > 0) || !table) return host::kErrInvalidArgument;
  host::handles::IdTable ids(noteIds, noteIds + count);
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  *table = host::handles::AddIdTable(std::move(ids));
  return *table == 0 ? host::kErrBufferOverflow : host::kNoError;
}

STATUS CoreFreeIdTable(CoreIdTableHandle table) {
  return host::handles::RemoveIdTable(table) ? host::kNoError : host::kErrInvalidHandle;
}

bool CoreIsInIdTable(CoreIdTableHandle table, std::uint32_t noteId) {
  const host::handles::IdTable* found = host::handles::FindIdTable(table);
  return found && std::binary_search(found->begin(), found->end(), noteId);
}

}  // extern "C"
