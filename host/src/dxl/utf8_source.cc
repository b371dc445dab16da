#include "dxl/utf8_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "dxl/xml_access.h"
#include "platform/cp932.h"
#include "status_error.h"

namespace host::dxl {
namespace {

// The encoding named by the XML declaration, lower-cased; "" when none is named.
std::string DeclaredEncoding(std::string_view bytes) {
  if (!bytes.starts_with("<?xml")) return {};
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  const auto key = declaration.find("encoding");
  if (key == std::string_view::npos) return {};
  const auto quote = declaration.find_first_of("'\"", key);
  if (quote == std::string_view::npos) return {};
  const auto close = declaration.find(declaration[quote], quote + 1);
  std::string name(declaration.substr(quote + 1, close - quote - 1));
  for (char& c : name) c = platform::AsciiLower(c);
  return name;
}

}  // namespace

Utf8Source::Utf8Source(const std::string& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) Fail(std::strerror(errno));
  struct stat status {};
  if (::fstat(fd_, &status) != 0) Fail(std::strerror(errno));
  if (!S_ISREG(status.st_mode)) Fail(std::strerror(S_ISDIR(status.st_mode) ? EISDIR : EINVAL));
  storedSize_ = static_cast<std::uint64_t>(status.st_size);
  while (rawEnd_ < 4 && Refill()) {
  }

  const std::string_view start(raw_, rawEnd_);
  struct Mark {
    std::string_view bytes;
    Encoding encoding;
    std::size_t skipped;
  };
  // Longer marks first: FF FE 00 00 is UTF-32, FF FE alone UTF-16.
  static constexpr Mark kMarks[] = {
      {{"\xEF\xBB\xBF", 3}, Encoding::Utf8, 3},   {{"\0\0\xFE\xFF", 4}, Encoding::Utf32BE, 4},
      {{"\xFF\xFE\0\0", 4}, Encoding::Utf32LE, 4}, {{"\xFE\xFF", 2}, Encoding::Utf16BE, 2},
      {{"\xFF\xFE", 2}, Encoding::Utf16LE, 2},     {{"<\0\0\0", 4}, Encoding::Utf32LE, 0},
      {{"\0\0\0<", 4}, Encoding::Utf32BE, 0},      {{"<\0", 2}, Encoding::Utf16LE, 0},
      {{"\0<", 2}, Encoding::Utf16BE, 0},
  };
  for (const Mark& mark : kMarks) {
    if (!start.starts_with(mark.bytes)) continue;
    encoding_ = mark.encoding;
    rawBegin_ = mark.skipped;
    if (encoding_ != Encoding::Utf8) return;
    break;
  }
  // The declaration lies within the first line; read on until it is whole.
  while (std::string_view(raw_, rawEnd_).find("?>") == std::string_view::npos && rawEnd_ < 512 && Refill()) {
  }
  const std::string declared = DeclaredEncoding(std::string_view(raw_ + rawBegin_, rawEnd_ - rawBegin_));
  if (declared == "iso-8859-1" || declared == "latin1") {
    encoding_ = Encoding::Latin1;
  } else if (!declared.empty() && declared != "utf-8" && declared != "utf8" && declared != "us-ascii") {
    Fail("1: the encoding '" + declared + "' is not supported");
  }
}

Utf8Source::~Utf8Source() {
  if (fd_ >= 0) ::close(fd_);
}

void Utf8Source::Fail(const std::string& reason) const { throw StatusError{kErrDatabaseRead, path_ + ": " + reason}; }

bool Utf8Source::Refill() {
  if (atEnd_) return false;
  if (rawBegin_ > 0) {
    std::memmove(raw_, raw_ + rawBegin_, rawEnd_ - rawBegin_);
    rawEnd_ -= rawBegin_;
    rawBegin_ = 0;
  }
  for (;;) {
    const ssize_t got = ::read(fd_, raw_ + rawEnd_, sizeof raw_ - rawEnd_);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Fail(std::strerror(errno));
    if (got == 0) atEnd_ = true;
    rawEnd_ += static_cast<std::size_t>(got);
    return got > 0;
  }
}

std::size_t Utf8Source::Read(char* out, std::size_t capacity) {
  if (encoding_ != Encoding::Utf8) return Convert(out, capacity);
  if (rawBegin_ < rawEnd_) {
    const std::size_t n = std::min(capacity, rawEnd_ - rawBegin_);
    std::memcpy(out, raw_ + rawBegin_, n);
    rawBegin_ += n;
    return n;
  }
  for (;;) {
    if (atEnd_) return 0;
    const ssize_t got = ::read(fd_, out, capacity);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Fail(std::strerror(errno));
    atEnd_ = got == 0;
    return static_cast<std::size_t>(got);
  }
}

std::size_t Utf8Source::Convert(char* out, std::size_t capacity) {
  const std::size_t unit = encoding_ == Encoding::Latin1                                      ? 1
                           : encoding_ == Encoding::Utf16LE || encoding_ == Encoding::Utf16BE ? 2
                                                                                              : 4;
  const bool little = encoding_ == Encoding::Utf16LE || encoding_ == Encoding::Utf32LE;
  const auto unitAt = [&](std::size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(raw_ + at);
    unsigned long value = 0;
    for (std::size_t k = 0; k < unit; ++k) value = value << 8 | p[little ? unit - 1 - k : k];
    return value;
  };

  std::string written;
  std::size_t done = 0;
  while (done + 4 <= capacity) {
    if (rawEnd_ - rawBegin_ < 2 * unit && !atEnd_) Refill();
    const std::size_t left = rawEnd_ - rawBegin_;
    if (left < unit) {
      if (left != 0) Fail("the file ends within a character");
      break;
    }
    unsigned long codePoint = unitAt(rawBegin_);
    std::size_t used = unit;
    if (unit == 2 && codePoint >= 0xD800 && codePoint <= 0xDBFF) {
      const unsigned long low = left >= 4 ? unitAt(rawBegin_ + 2) : 0;
      if (low < 0xDC00 || low > 0xDFFF) Fail("invalid UTF-16");
      codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
      used = 4;
    }
    written.clear();
    if (!AppendUtf8(written, codePoint)) Fail(unit == 2 ? "invalid UTF-16" : "invalid UTF-32");
    std::memcpy(out + done, written.data(), written.size());
    done += written.size();
    rawBegin_ += used;
  }
  return done;
}

}  // namespace host::dxl
