// The class library's format objects in the model's terms.
#pragma once

#include "host/lnformats.h"
#include "model.h"

namespace host {

model::NumberFormat ToModel(const LNNumberFormat& format);
LNNumberFormat FromModel(const model::NumberFormat& format);
model::DatetimeFormat ToModel(const LNDatetimeFormat& format);
LNDatetimeFormat FromModel(const model::DatetimeFormat& format);

}  // namespace host
