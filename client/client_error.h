// The failures of the client itself (bad arguments, a database it cannot read, no such view or
// export entry, a plug-in it cannot load): they end the client with exit status 2.
#pragma once

#include <string>

namespace client {

inline constexpr int kClientErrorStatus = 2;

struct ClientError {
  std::string message;  // in the locale's character set, one line
};

}  // namespace client
