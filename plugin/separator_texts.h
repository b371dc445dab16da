// The texts the runs' settings select (index values as the switches and option sheets give them).
// Every text is a constant that lives as long as the program; null stands for "none given".
#pragma once

#include <cstdint>

// Between the values of a multi-value item: 0 none given (the column's own design separator),
// 1 "", 2 " ", 3 ",", 4 ":", 5 ";", 6 line feed.
const char* ListSeparatorText(std::int32_t index);
// Between the columns: 0 ",", 1 tab.
const char* ColumnSeparatorText(std::int32_t index);
// For the column separator inside a value: 0 none given (kept), 1 "", 2 " ", 3 ":", 4 ";", 5 "，".
const char* SeparatorReplacementText(std::int32_t index);
// For a line break inside a value: 0 none given (kept), 1 "", 2 " ".
const char* LineBreakReplacementText(std::int32_t index);
