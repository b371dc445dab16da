#include "replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace host {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool ReplaceFile(const std::string& fileSystemPath, std::string_view bytes) {
  std::string pattern = fileSystemPath + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes) && ::fchmod(fd, 0644) == 0;
  const bool closed = ::close(fd) == 0;
  if (written && closed && std::rename(name.data(), fileSystemPath.c_str()) == 0) return true;
  ::unlink(name.data());
  return false;
}

}  // namespace host
