// Character set conversion through the C library's iconv, never failing on bad input.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The number of input bytes (at least 1) that the invalid or unconvertible sequence at the start
// of `rest` spans; it becomes one replacement.
using SequenceLength = std::size_t (*)(std::string_view rest);

// One conversion direction, from `fromCode` to `toCode` (iconv names). Not for sharing between
// threads.
class Transcoder {
 public:
  // Throws std::runtime_error when the C library has no such conversion.
  Transcoder(const char* toCode, const char* fromCode);
  ~Transcoder();
  Transcoder(const Transcoder&) = delete;
  Transcoder& operator=(const Transcoder&) = delete;

  // Converts all of `input`; each sequence that is invalid or that the target cannot hold is
  // replaced by `replacement` (bytes already in the target set), its extent given by `length`.
  std::string Convert(std::string_view input, std::string_view replacement, SequenceLength length);

 private:
  iconv_t descriptor_;
};

// Extents of one character in each encoding, for SequenceLength.
std::size_t Cp932SequenceLength(std::string_view rest);
std::size_t Utf8SequenceLength(std::string_view rest);
std::size_t Utf16SequenceLength(std::string_view rest);  // native byte order
std::size_t SingleByte(std::string_view rest);

}  // namespace platform
