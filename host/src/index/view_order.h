// Puts a view's document rows in view order and adds its category rows.
//
// Internal to the host library.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "index/packed_rows.h"

namespace host::index {

// A column that orders the rows, in the order the columns stand.
struct SortKey {
  std::uint16_t column = 0;
  bool descending = false;
  bool categorized = false;
};

// `rows` holds one entry per document, in note-ID order. Orders them by `keys` (text with ASCII
// letters compared without regard to case, numbers by value, date/times by instant; ties by note
// ID), repeats a document under each distinct value of a categorised column, and puts a category
// row before the first row of each category: its table has `columnCount` values, all absent but
// its own column's; its note ID is 0x80000001, 0x80000002 ... in view order.
// Where one column holds values of several kinds, empty lists and unsupported values come first,
// then numbers, date/times and texts.
void OrderRows(const std::vector<SortKey>& keys, std::uint16_t columnCount, PackedRows& rows);

// Orders the responses of one document among themselves: by the keys that are not categorised
// (a response stands in its parent's category), ties by note ID.
void OrderSiblings(const std::vector<SortKey>& keys, const PackedRows& rows, std::span<PackedRows::Entry> siblings);

}  // namespace host::index
