// Finding the notes.ini the setup program works on.
#pragma once

#include <optional>
#include <string>

namespace setup {

// Makes the program's own directory the current directory, then finds notes.ini as
// platform::FindNotesIni does. Returns the full platform path, or nothing when the file is not
// found or its path does not fit in 260 characters.
std::optional<std::string> LocateNotesIni();

}  // namespace setup
