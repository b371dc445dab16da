// Host calls that report a failure by their status: the status is thrown, as the class library
// itself does in throwing mode, so callers see one kind of failure whatever the mode.
#pragma once

#include "host/lntypes.h"

inline void ThrowIfFailed(LNSTATUS status) {
  if (status != 0) throw status;
}
