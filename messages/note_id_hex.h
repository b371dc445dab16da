// Note IDs as messages, XML attributes and attachment folder names print them.
#pragma once

#include <cstdio>
#include <string>

#include "host/lntypes.h"

// Eight upper-case hexadecimal digits ("%8.8X").
inline std::string NoteIdHex(NOTEID id) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%8.8X", static_cast<unsigned>(id));
  return hex;
}
