#include "whole_file.h"

#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace platform {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting whether the last writes reached the file.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The file a write to `path` must replace: the target of a symbolic link, else `path` itself.
std::optional<std::string> ReplacedFile(const std::string& path) {
  struct stat link;
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return std::nullopt;
  return std::string(resolved);
}

// Creates a fresh temporary file beside `target`, readable and writable as the umask allows.
int CreateTemporaryBeside(const std::string& target, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + ".~" + std::to_string(::getpid()) + "." + std::to_string(counter++);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

std::optional<FileBytes> ReadWholeFile(const std::string& path) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    if (errno == ENOENT) return FileBytes{};
    return std::nullopt;
  }
  FileBytes result{true, {}};
  char chunk[16384];
  for (;;) {
    const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) return result;
    result.bytes.append(chunk, static_cast<std::size_t>(got));
  }
}

bool ReplaceWholeFile(const std::string& path, std::string_view content) {
  const auto target = ReplacedFile(path);
  if (!target) return false;
  struct stat old;
  const bool existed = ::stat(target->c_str(), &old) == 0;
  if (existed && (!S_ISREG(old.st_mode) || ::access(target->c_str(), W_OK) != 0)) return false;

  std::string temporary;
  Descriptor file(CreateTemporaryBeside(*target, temporary));
  if (file.get() < 0) return false;
  const bool written = (!existed || ::fchmod(file.get(), old.st_mode & 07777) == 0) &&
                       WriteAll(file.get(), content) && ::fsync(file.get()) == 0;
  if (file.Close() && written && ::rename(temporary.c_str(), target->c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

}  // namespace platform
