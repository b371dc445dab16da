// The 8-byte host date/time of entry records (layout in host/core.h).
//
// Internal to the host library.
#pragma once

#include <cstdint>
#include <optional>

#include "model.h"

namespace host::index {

std::uint64_t PackTimeDate(const model::DateTime& value);
// Nullopt when the bits hold a time of day beyond one day.
std::optional<model::DateTime> UnpackTimeDate(std::uint64_t packed);

}  // namespace host::index
