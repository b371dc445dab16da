// The DXL text form of a date/time: `19990713T060306,52+05` (date, time with hundredths, zone
// offset of 2 or 4 digits), `19990713` (date only), `T060306,52` (time only).
//
// Internal to the DXL reader.
#pragma once

#include <optional>
#include <string_view>

#include "model.h"

namespace host::dxl {

// The value written as `text`, or nothing when the text is not a valid date/time. An empty text
// is the platform's undefined date/time: neither date nor time. `dst` is kept as given.
std::optional<model::DateTime> ParseDateTime(std::string_view text, bool dst);

}  // namespace host::dxl
