#include "dxl/stored_attachment.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "dxl/base64.h"
#include "status_error.h"

namespace host::dxl {
namespace {

std::int64_t ModifiedNanoseconds(const struct stat& status) {
  return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
}

class File {
 public:
  explicit File(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~File() {
    if (fd_ >= 0) close(fd_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::shared_ptr<const model::StoredFile> StoredFileOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return nullptr;
  return std::make_shared<const model::StoredFile>(
      model::StoredFile{path, static_cast<std::uint64_t>(status.st_size), ModifiedNanoseconds(status)});
}

std::string AttachmentBytes(const model::Attachment& attachment) {
  if (!attachment.storedIn) return attachment.data;
  const model::StoredFile& stored = *attachment.storedIn;
  const File file(stored.path);
  struct stat status {};
  if (file.fd() < 0 || fstat(file.fd(), &status) != 0) throw StatusError{kErrDatabaseRead, stored.path};
  if (static_cast<std::uint64_t>(status.st_size) != stored.size || ModifiedNanoseconds(status) != stored.modifiedNanoseconds)
    throw StatusError{kErrFileChanged, stored.path};
  // The base64 text runs up to the '<' of </filedata>.
  std::string text;
  char chunk[1 << 16];
  for (std::uint64_t at = attachment.storedAt;;) {
    const ssize_t got = pread(file.fd(), chunk, sizeof chunk, static_cast<off_t>(at));
    if (got <= 0) throw StatusError{kErrDatabaseRead, stored.path};
    const std::string_view piece(chunk, static_cast<std::size_t>(got));
    const std::size_t end = piece.find('<');
    text.append(piece.substr(0, end));
    if (end != std::string_view::npos) break;
    at += static_cast<std::uint64_t>(got);
  }
  std::optional<std::string> bytes = DecodeBase64(text);
  if (!bytes || bytes->size() != attachment.storedSize) throw StatusError{kErrDatabaseRead, stored.path};
  return std::move(*bytes);
}

}  // namespace host::dxl
