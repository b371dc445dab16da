// The text a view shows for one summary value of an entry record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "client/view_layout.h"

namespace client {

// `value` points at the value's type word and holds `length` bytes with it (0: an absent value).
// Numbers and date/times are formatted by the column's formats with a Japanese client's settings,
// the elements of a list are joined by the column's separator and a range reads "begin - end"; an
// icon column shows the icon's number, and nothing for 0. Rich text and values the host does not
// support show as "". UTF-8.
std::string CellText(const std::uint8_t* value, std::size_t length, const ShownColumn& column);

}  // namespace client
