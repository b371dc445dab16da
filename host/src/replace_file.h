// Writing a whole file so that nobody ever sees half of it.
#pragma once

#include <string>
#include <string_view>

namespace host {

// Writes `bytes` to a temporary file beside `fileSystemPath` and renames it into place, replacing
// an existing file only once the new one is complete. False (nothing changed, no temporary file
// left) when any step fails.
bool ReplaceFile(const std::string& fileSystemPath, std::string_view bytes);

}  // namespace host
