#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/files.h"

namespace platform {
namespace {

std::string CurrentDirectory() {
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

// The directories searched, in order, as absolute file-system paths.
std::vector<std::string> SearchDirectories() {
  const std::string current = CurrentDirectory();
  std::vector<std::string> directories{ProgramDirectory(), current};
  const char* path = std::getenv("PATH");
  for (std::string_view rest = path ? path : ""; !rest.empty();) {
    const std::size_t colon = rest.find(':');
    const std::string_view entry = rest.substr(0, colon);
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (entry.empty()) continue;  // the current directory, already searched
    directories.push_back(entry.front() == '/' ? std::string(entry) : current + "/" + std::string(entry));
  }
  return directories;
}

bool IsFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace

std::size_t SearchPath(const char* fileName, char* buffer, std::size_t size) {
  if (buffer != nullptr && size > 0) buffer[0] = '\0';
  if (fileName == nullptr || *fileName == '\0' || Cp932Contains(fileName, "\\") ||
      std::strchr(fileName, '/') != nullptr) {
    return 0;
  }
  const std::string name = ToFileSystemPath(fileName);
  for (const std::string& directory : SearchDirectories()) {
    if (directory.empty()) continue;
    const std::string candidate = directory + (directory.back() == '/' ? "" : "/") + name;
    if (!IsFile(candidate)) continue;
    // The platform text of the path, with the file system's "/" kept; a directory that code page
    // 932 cannot spell is passed over, since the path would not lead back to it.
    const std::string found = Utf8ToCp932(candidate);
    if (ToFileSystemPath(found) != candidate) continue;
    if (buffer == nullptr || found.size() + 1 > size) return 0;
    std::memcpy(buffer, found.c_str(), found.size() + 1);
    return found.size();
  }
  return 0;
}

std::string FindNotesIni() {
  char found[260];
  std::string path(found, SearchPath("notes.ini", found, sizeof found));
  std::replace(path.begin(), path.end(), '/', '\\');  // never a trail byte in code page 932
  return path;
}

}  // namespace platform
