// The host's clock: the current time for @Now, @Today and the rest. Tests can fix it.
#pragma once

#include <optional>

#include "model.h"

namespace host {

// The current local time, with the local zone's offset.
model::DateTime Now();
// Fixes the clock at `at` (nullopt lets it run again).
void SetFixedNow(std::optional<model::DateTime> at);

}  // namespace host
