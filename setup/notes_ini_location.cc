#include "notes_ini_location.h"

#include <platform/files.h>

#include <filesystem>
#include <system_error>

namespace setup {

std::optional<std::string> LocateNotesIni() {
  std::error_code ignored;
  std::filesystem::current_path(platform::ProgramDirectory(), ignored);

  char found[260];
  std::size_t length = platform::SearchPath("notes.ini", found, sizeof found);
  if (length == 0) return std::nullopt;
  return std::string(found, length);
}

}  // namespace setup
