// What the host's internals throw for a failure: a status, and the detail that names the
// problem (for formulas, the problem and its position). The public classes turn it into the
// plain status the class library throws.
#pragma once

#include <string>

#include "host/status.h"

namespace host {

struct StatusError {
  STATUS status;
  std::string detail;
};

}  // namespace host
