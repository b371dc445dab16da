// Host date/times (CoreTimeDate) in the model's terms.
#pragma once

#include "host/core.h"
#include "model.h"

namespace host {

// Bytes that hold no valid date/time give neither a date nor a time.
model::DateTime Unpack(const CoreTimeDate& packed);
CoreTimeDate Pack(const model::DateTime& value);

}  // namespace host
