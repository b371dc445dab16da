// The rules of the option pages that depend only on numbers: help context numbers, the CSV page's
// custom lists, and the column choice applied at Finish.
#pragma once

#include <cstdint>

#include "columns/column_data_array.h"
#include "host/notes.h"

namespace settings {

inline constexpr int kHelpButton = 9;

// The help context number of `control` on the option page `page` (1009 CSV, 1019 XML):
// 0x80000000 + 0x10000 × page + control, where the XML page's controls that the CSV page has too
// carry the CSV page's numbers; 0 for the Help button and the link labels.
unsigned long OptionHelpContext(int page, int control);

// Whether the CSV page's four custom lists are enabled in the CSV format mode `mode` (2, custom).
inline bool CustomListsEnabled(int mode) { return mode == 2; }

// Brings `columns` into line with OutputColumn: 0 rebuilt from `view`, 1 rebuilt with every column
// marked for output, 2 (chosen in the column dialog) left as it is.
void ApplyColumnChoice(std::int32_t outputColumn, CColumnDataArray& columns, LNViewFolder& view);

}  // namespace settings
