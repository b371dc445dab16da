#include "platform/files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "platform/cp932.h"

namespace platform {

std::string ToFileSystemPath(std::string_view platformPath) {
  std::string path = Cp932ToUtf8(platformPath);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string ToPlatformPath(std::string_view fileSystemPath) {
  std::string path(fileSystemPath);
  std::replace(path.begin(), path.end(), '/', '\\');
  return Utf8ToCp932(path);
}

std::string ToDisplayPath(std::string_view platformPath) { return Cp932ReplaceAll(platformPath, "\\", "/"); }

bool PathExists(std::string_view platformPath) {
  if (platformPath.empty()) return false;
  struct stat info;
  return ::stat(ToFileSystemPath(platformPath).c_str(), &info) == 0;
}

bool MakeSureDirectoryPathExists(std::string_view platformPath) {
  const std::string path = ToFileSystemPath(platformPath);
  const std::size_t last = path.rfind('/');
  if (last == std::string::npos) return true;
  // Each prefix that ends before a "/" is a directory, from the outermost in.
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos && slash <= last;
       slash = path.find('/', slash + 1)) {
    if (path[slash - 1] == '/') continue;
    const std::string directory = path.substr(0, slash);
    if (::mkdir(directory.c_str(), 0777) == 0) continue;
    struct stat info;
    if (errno != EEXIST || ::stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  }
  return true;
}

std::string ProgramDirectory() {
  char executable[PATH_MAX];
  const ssize_t size = ::readlink("/proc/self/exe", executable, sizeof executable);
  if (size <= 0 || static_cast<std::size_t>(size) == sizeof executable) return {};
  const std::string path(executable, static_cast<std::size_t>(size));
  const std::size_t slash = path.rfind('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace platform
