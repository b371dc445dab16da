// Reading a whole file and replacing one atomically, on file-system paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct FileBytes {
  bool exists = false;
  std::string bytes;
};

// The bytes of the file at `path`; `exists` false when there is no such file. Nothing when the
// path names something that cannot be read (a directory, a file without read permission).
std::optional<FileBytes> ReadWholeFile(const std::string& path);

// Makes `content` the file at `path` by writing a temporary file in the same directory and
// renaming it over the old one, which keeps its permissions (and a symbolic link keeps pointing at
// the replaced file). A new file is created when the directory exists. Returns false, with the
// old file untouched and no temporary file left, when any step fails or when the old file is not
// writable.
bool ReplaceWholeFile(const std::string& path, std::string_view content);

}  // namespace platform
