// Reading a whole file, on file-system paths (platform/files.h replaces one).
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

}  // namespace platform
