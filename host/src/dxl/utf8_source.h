// A file's characters as UTF-8, read a chunk at a time.
//
// Internal to the DXL reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace host::dxl {

// UTF-8 (with or without a byte-order mark) and US-ASCII pass through unchanged and unchecked;
// ISO-8859-1 (named by the XML declaration) and UTF-16 or UTF-32 (known by a byte-order mark or
// by a first character '<') are converted. Any other encoding the declaration names is refused.
class Utf8Source {
 public:
  // Opens the file and chooses its encoding. Throws host::StatusError{kErrDatabaseRead}
  // "<path>: <reason>" (with "1: " before the reason for an encoding refused by name).
  explicit Utf8Source(const std::string& path);
  ~Utf8Source();
  Utf8Source(const Utf8Source&) = delete;
  Utf8Source& operator=(const Utf8Source&) = delete;

  // Writes the next bytes to `out` (`capacity` at least 4) and returns how many; 0 only at the
  // end of the file. Throws as the constructor does for read errors and for a stored sequence
  // that is not a character.
  std::size_t Read(char* out, std::size_t capacity);

  // The file's size in bytes as stored.
  std::uint64_t StoredSize() const { return storedSize_; }

  // True when the bytes are the file's own, which the caller must check as UTF-8.
  bool Unchecked() const { return encoding_ == Encoding::Utf8; }

 private:
  enum class Encoding { Utf8, Latin1, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

  [[noreturn]] void Fail(const std::string& reason) const;
  bool Refill();  // reads more raw bytes, keeping the unread ones; false at the end of the file
  std::size_t Convert(char* out, std::size_t capacity);

  std::string path_;
  int fd_ = -1;
  std::uint64_t storedSize_ = 0;
  Encoding encoding_ = Encoding::Utf8;
  char raw_[1 << 16];
  std::size_t rawBegin_ = 0, rawEnd_ = 0;
  bool atEnd_ = false;
};

}  // namespace host::dxl
