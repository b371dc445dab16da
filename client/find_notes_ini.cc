#include <platform/files.h>

#include "client/client_error.h"
#include "client/commands.h"

namespace client {

std::string FindNotesIni() {
  char found[4096];
  const std::size_t length = platform::SearchPath("notes.ini", found, sizeof found);
  if (length == 0)
    throw ClientError{"notes.ini not found beside notes-client, in the current directory or on PATH"};
  return platform::ToPlatformPath({found, length});
}

}  // namespace client
