// The host's core calls: reading a view's collection in batches of packed entry records, memory
// handles, ID tables, packed text lists and date/times, and what the client needs to open a
// database's view. Plain functions that return a status and never throw.
//
// Entry records. One call returns entries back to back in one buffer; each entry is
//   offset 0      4 bytes   note ID (bit 31 set: a category row)
//   offset 4      2 bytes   L, byte length of the summary table from offset 4 (entry size 4 + L)
//   offset 6      2 bytes   N, value count (one per view column)
//   offset 8      2N bytes  value lengths, each including the value's 2-byte type word; 0: absent
//   offset 8+2N   ...       the values back to back: type word, then the data
// All integers little-endian, no padding. Data by type word:
//   kCoreTypeNumber      8-byte IEEE double
//   kCoreTypeNumberList  2-byte count n, 2-byte range count m, n doubles, m pairs (lower, upper)
//   kCoreTypeTime        8-byte CoreTimeDate
//   kCoreTypeTimeList    2-byte count n, 2-byte range count m, n CoreTimeDates, m pairs
//   kCoreTypeText        the text in UTF-8, no terminator (value length - 2 bytes)
//   kCoreTypeTextList    a packed text list (below); read its entries with CoreGetTextListEntry
//   kCoreTypeRichText, kCoreTypeUnsupported   no data
// A value too large for its record is cut so that the entry fits in one buffer: text on a UTF-8
// character boundary; lists lose trailing elements (ranges first).
//
// Packed text list: 2-byte count n, 2-byte byte count T of all texts, n 2-byte text lengths, then
// the n texts (UTF-8, no terminators) back to back; T is the sum of the lengths.
//
// CoreTimeDate: 8 bytes, one little-endian 64-bit word, from its lowest bit:
//   bits 0-23   time of day in hundredths of a second (0 ... 8 639 999); 0xFFFFFF: no time
//   bits 24-47  date as days since 1970-01-01 in the value's zone, 24-bit two's complement;
//               0x800000: no date. Dates beyond +-8 388 607 days are clamped to that range.
//   bits 48-62  zone offset in minutes east of UTC (daylight saving included), 15-bit two's
//               complement; clamped to +-16 383
//   bit 63      daylight saving in effect
#pragma once

#include <cstdint>

#include "host/api.h"
#include "host/status.h"

using CoreDatabaseHandle = std::uint32_t;
using CoreCollectionHandle = std::uint16_t;
using CoreIdTableHandle = std::uint32_t;
using CoreMemoryHandle = std::uint32_t;

// A place in a collection, read as a flat list of entries: level is 0 and tumbler[0] is the number
// of an entry in view order (1 = the first), 0 = before the first entry; the other fields are 0.
struct CorePosition {
  std::uint16_t level;
  std::uint32_t tumbler[32];
};

// Receives one line of a report or notice (UTF-8).
using CoreReportLine = void (*)(void* context, int isFailure, const char* line);

struct CoreTimeDate {
  std::uint8_t bytes[8];
};

// A date/time in parts. `date`: days since 1970-01-01 in the value's own zone, or kCoreNoDate;
// `time`: hundredths of a second since that zone's midnight, or kCoreNoTime.
struct CoreDateTime {
  std::int32_t date;
  std::int32_t time;
  std::int16_t zoneMinutes;  // east of UTC, daylight saving included
  bool dst;
};

inline constexpr std::int32_t kCoreNoDate = INT32_MIN;
inline constexpr std::int32_t kCoreNoTime = -1;

inline constexpr std::uint16_t kCoreNavigateNext = 1;       // navigator: the next entry
inline constexpr std::uint32_t kCoreAllThatFit = 0xFFFFFFFF;  // return count: as many as fit
inline constexpr std::uint32_t kCoreReadNoteIdAndSummary = 0x2001;  // the return mask supported
inline constexpr std::uint32_t kCoreReadIndentLevels = 0x0080;      // with it: each entry's indent level
inline constexpr std::uint16_t kCoreSignalMore = 0x0020;    // signal: entries remain to be read
inline constexpr std::uint32_t kCoreMaxBuffer = 0xFFFF;     // largest buffer a read returns

inline constexpr std::uint16_t kCoreTypeUnsupported = 0x0000;
inline constexpr std::uint16_t kCoreTypeRichText = 0x0001;
inline constexpr std::uint16_t kCoreTypeNumber = 0x0300;
inline constexpr std::uint16_t kCoreTypeNumberList = 0x0301;
inline constexpr std::uint16_t kCoreTypeTime = 0x0400;
inline constexpr std::uint16_t kCoreTypeTimeList = 0x0401;
inline constexpr std::uint16_t kCoreTypeText = 0x0500;
inline constexpr std::uint16_t kCoreTypeTextList = 0x0501;

extern "C" {

// Reads entries of `collection` after `position`: skips `skipCount` entries from the position,
// then returns up to `returnCount` entries (kCoreAllThatFit: as many as fit) from there, in one
// buffer of at most kCoreMaxBuffer bytes. Both navigators must be kCoreNavigateNext and the mask
// kCoreReadNoteIdAndSummary, optionally with kCoreReadIndentLevels. Each entry is its note ID (4
// bytes), with kCoreReadIndentLevels its indent level (2 bytes: 0 for a main document or a category,
// 1 for a response, 2 for a response to it ...), then its summary table. On success `*buffer` is a new memory handle holding the entries
// (0 when none is left), the position is moved to the last entry returned, and `signalFlags`
// gets kCoreSignalMore when entries remain. `bufferLength` and `skipped` may be null.
LNAPI STATUS CoreReadEntries(CoreCollectionHandle collection, CorePosition* position,
                             std::uint16_t skipNavigator, std::uint32_t skipCount,
                             std::uint16_t returnNavigator, std::uint32_t returnCount,
                             std::uint32_t returnMask, CoreMemoryHandle* buffer,
                             std::uint16_t* bufferLength, std::uint32_t* skipped,
                             std::uint32_t* entriesReturned, std::uint16_t* signalFlags);

// The address of the memory's bytes, valid until it is freed; null for an unknown handle.
LNAPI void* CoreLockMemory(CoreMemoryHandle memory);
// kErrInvalidHandle for an unknown handle or one that is not locked.
LNAPI STATUS CoreUnlockMemory(CoreMemoryHandle memory);
// Releases the memory; its address is invalid afterwards. kErrInvalidHandle for an unknown handle.
LNAPI STATUS CoreFreeMemory(CoreMemoryHandle memory);

// The entry `index` of a packed text list at `list` (preceded by its kCoreTypeTextList type word
// when `withTypeWord` is nonzero): its address and byte length. kErrListIndex for an index at or
// beyond the count; kErrInvalidArgument for a list whose lengths do not add up or whose type word
// is not kCoreTypeTextList.
LNAPI STATUS CoreGetTextListEntry(const void* list, int withTypeWord, std::uint16_t index,
                                  const char** text, std::uint16_t* length);

// kErrInvalidArgument when the bytes hold a time of day beyond one day.
LNAPI STATUS CoreUnpackTimeDate(const CoreTimeDate* packed, CoreDateTime* parts);
LNAPI void CorePackTimeDate(const CoreDateTime* parts, CoreTimeDate* packed);

// The note ID of the view or folder whose name or one of whose aliases is `name` (UTF-8; ASCII
// letters match without regard to case). kErrNoteNotFound when there is none.
LNAPI STATUS CoreFindView(CoreDatabaseHandle database, const char* name, std::uint32_t* noteId);
// Indexes the view or folder `viewNoteId` and gives its collection. kErrNoteNotFound for a
// missing or deleted note, kErrNotViewOrFolder for another kind of note, a formula status for a
// selection formula that does not compile (its detail, naming the view and the @function, goes to
// the notice handler). A column formula that does not compile costs only its column: each row
// shows "#式エラー: @function" there, and the notice handler is told.
LNAPI STATUS CoreOpenCollection(CoreDatabaseHandle database, std::uint32_t viewNoteId,
                                CoreCollectionHandle* collection);
LNAPI STATUS CoreCloseCollection(CoreCollectionHandle collection);

// Where the host's notices go (one line each, UTF-8, `isFailure` 0), such as a view whose column
// formulas it cannot compute (told once per view of a database) or the detail of a selection
// formula that does not compile; null: to standard error.
LNAPI void CoreSetNoticeHandler(CoreReportLine handler, void* context);
// Releases the database handle; collections opened from it stay readable until closed.
LNAPI STATUS CoreCloseDatabase(CoreDatabaseHandle database);

// Reads a database from DXL files (several files together form one database) and opens it in the
// handle table; `server` (null or "" for a local database) is the server name it reports.
// Warnings and the detail of a failure, naming the file, go to standard error. kErrDatabaseRead
// when a file cannot be read or is not DXL; nothing is opened then.
LNAPI STATUS CoreOpenDxlDatabase(const char* const* fileSystemPaths, std::uint32_t count, const char* server,
                                 CoreDatabaseHandle* database);

// As CoreOpenDxlDatabase, with the warnings and the detail of a failure handed to `report` (one
// line each, UTF-8; `isFailure` nonzero for the failure's) instead of written to standard error.
LNAPI STATUS CoreReadDxlDatabase(const char* const* fileSystemPaths, std::uint32_t count, const char* server,
                                 CoreReportLine report, void* context, CoreDatabaseHandle* database);

// Calls `visit` for every view and folder of the database in note-ID order, with its note ID,
// whether it is a folder, and its name followed by each alias after a "|" (UTF-8, "By Name|ByName").
using CoreViewVisitor = void (*)(void* context, std::uint32_t noteId, int isFolder, const char* nameAndAliases);
LNAPI STATUS CoreListViews(CoreDatabaseHandle database, CoreViewVisitor visit, void* context);

// An ID table holding the `count` note IDs at `noteIds` (duplicates are held once).
LNAPI STATUS CoreCreateIdTable(const std::uint32_t* noteIds, std::uint32_t count, CoreIdTableHandle* table);
LNAPI STATUS CoreFreeIdTable(CoreIdTableHandle table);
// Whether `noteId` is in the table; false for an unknown handle.
LNAPI bool CoreIsInIdTable(CoreIdTableHandle table, std::uint32_t noteId);

}  // extern "C"
