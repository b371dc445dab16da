#include "definitions/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/files.h"

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A new file beside `target`; -1 when none can be created.
int CreateBeside(const std::string& target, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + ".~" + std::to_string(::getpid()) + "." + std::to_string(attempt);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool ReplaceFile(std::string_view platformPath, std::string_view bytes) {
  const std::string target = platform::ToFileSystemPath(platformPath);
  struct stat old;
  const bool existed = ::stat(target.c_str(), &old) == 0;
  if (existed && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;

  std::string temporary;
  const int fd = CreateBeside(target, temporary);
  if (fd < 0) return false;
  const bool written = (!existed || ::fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, bytes);
  const bool closed = ::close(fd) == 0;
  if (written && closed && std::rename(temporary.c_str(), target.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}
