// The host's entry records (host/core.h) as the window reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include <host/core.h>

namespace client {

// The value stored at `at`, which need not be aligned (records are packed).
template <class T>
T Load(const std::uint8_t* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// The mask the window reads entries with.
inline constexpr std::uint32_t kEntryReadMask = kCoreReadNoteIdAndSummary | kCoreReadIndentLevels;

// One entry record read with kEntryReadMask: note ID, indent level, summary length, value count,
// value lengths, values.
struct EntryRecord {
  explicit EntryRecord(const std::uint8_t* entry)
      : noteId(Load<std::uint32_t>(entry)),
        indent(Load<std::uint16_t>(entry + 4)),
        size(6 + Load<std::uint16_t>(entry + 6)),
        values(Load<std::uint16_t>(entry + 8)),
        lengths(entry + 10) {}
  std::uint16_t Length(int index) const {
    return index < values ? Load<std::uint16_t>(lengths + 2 * index) : 0;
  }
  const std::uint8_t* Value(int index) const {
    const std::uint8_t* at = lengths + 2 * values;
    for (int i = 0; i < index; ++i) at += Length(i);
    return at;
  }
  std::uint32_t noteId;
  std::uint16_t indent;  // 0 for a main document or a category, 1 for a response ...
  std::size_t size;
  int values;
  const std::uint8_t* lengths;
};

}  // namespace client
