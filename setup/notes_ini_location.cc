#include "notes_ini_location.h"

#include <platform/files.h>

#include <filesystem>
#include <system_error>

namespace setup {

std::optional<std::string> LocateNotesIni() {
  std::error_code ignored;
  std::filesystem::current_path(platform::ProgramDirectory(), ignored);

  std::string notesIni = platform::FindNotesIni();
  if (notesIni.empty()) return std::nullopt;
  return notesIni;
}

}  // namespace setup
