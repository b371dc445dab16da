#include <platform/files.h>

#include "client/client_error.h"
#include "client/commands.h"

namespace client {

std::string FindNotesIni() {
  std::string notesIni = platform::FindNotesIni();
  if (notesIni.empty())
    throw ClientError{"notes.ini not found beside notes-client, in the current directory or on PATH"};
  return notesIni;
}

}  // namespace client
