// Finding the notes.ini the setup program works on.
#pragma once

#include <optional>
#include <string>

namespace setup {

// Makes the program's own directory the current directory, then looks for "notes.ini" by the
// platform's path search (the program's directory first). Returns the full platform path, or
// nothing when the file is not found or its path does not fit in 260 characters.
std::optional<std::string> LocateNotesIni();

}  // namespace setup
