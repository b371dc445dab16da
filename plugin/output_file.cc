#include "plugin/output_file.h"

#include <fcntl.h>
#include <platform/files.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "host/status.h"
#include "plugin/framework_exceptions.h"

OutputFile::OutputFile(std::string platformPath, bool append) : platformPath_(std::move(platformPath)) {
  const std::string path = platform::ToFileSystemPath(platformPath_);
  const int mode = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
  descriptor_ = ::open(path.c_str(), mode, 0666);
  if (descriptor_ < 0) throw host::kErrFileOpen;
  struct stat status {};
  if (append && ::fstat(descriptor_, &status) == 0) committed_ = status.st_size;
}

OutputFile::~OutputFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

void OutputFile::Flush() {
  std::size_t done = 0;
  while (done < pending_.size()) {
    const ssize_t written = ::write(descriptor_, pending_.data() + done, pending_.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      const bool full = written < 0 && (errno == ENOSPC || errno == EDQUOT);
      pending_.clear();
      if (::ftruncate(descriptor_, committed_) == 0) ::lseek(descriptor_, committed_, SEEK_SET);
      throw new CFileException(full ? CFileException::diskFull : CFileException::generic, platformPath_);
    }
    done += static_cast<std::size_t>(written);
  }
  committed_ += static_cast<long long>(done);
  pending_.clear();
}

void OutputFile::Close() {
  if (descriptor_ < 0) return;
  try {
    Flush();
  } catch (...) {
    ::close(std::exchange(descriptor_, -1));
    throw;
  }
  ::close(std::exchange(descriptor_, -1));
}
