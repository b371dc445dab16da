// The rules of the column dialog that depend only on positions, kinds and flags: which buttons are
// enabled, how a selection moves, how the working list is rebuilt in display order, and what each
// entry shows.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "columns/column_spec.h"

namespace dialogs {

// Edit, Delete, Up and Down (Add is always enabled).
struct ColumnButtons {
  bool edit = false;
  bool remove = false;
  bool up = false;
  bool down = false;
  bool operator==(const ColumnButtons&) const = default;
};

// `focusedIsFormula`: the focused item's entry is a formula column (false without a focused item).
// `selected`: the positions of the selected items, ascending; `count`: the number of items. Up is
// enabled unless the selection is exactly the top entries, Down unless it is exactly the bottom.
ColumnButtons ColumnButtonStates(bool focusedIsFormula, const std::vector<int>& selected, int count);

// The swaps of neighbouring positions, in order, that move every selected entry one place up
// (`selected` ascending) or down, except those already packed against the top or the bottom.
std::vector<std::pair<int, int>> UpSwaps(const std::vector<int>& selected);
std::vector<std::pair<int, int>> DownSwaps(const std::vector<int>& selected, int count);

// The entries behind the items in display order (`displayed` holds each item's index into
// `working`), without the unset ones.
ColumnSpecList RebuildColumns(const ColumnSpecList& working, const std::vector<std::size_t>& displayed);

// The image of an entry: 3 formula column, 2 icon column, 1 hidden view column, 0 other.
int ColumnImage(const ColumnSpec& spec);
// The tip of an entry, platform text: "タイプ : ビュー%s\r\n列番号 : %d" or "タイプ : 式\r\n式 : %s".
std::string ColumnTip(const ColumnSpec& spec);

}  // namespace dialogs
