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
std::size_t Utf16SequenceLength(std::string_view rest);  // native byte order
std::size_t SingleByte(std::string_view rest);

// Inline: the encoders call it for every character beyond ASCII.
inline std::size_t Utf8SequenceLength(std::string_view rest) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(rest[i]); };
  const unsigned char first = byte(0);
  // Three bytes, as kana and kanji are, checked at once.
  if (first >= 0xE1 && first <= 0xEF && first != 0xED && rest.size() >= 3 && (byte(1) & 0xC0) == 0x80 && (byte(2) & 0xC0) == 0x80)
    return 3;
  std::size_t size;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (first >= 0xC2 && first <= 0xDF) {
    size = 2;
  } else if (first >= 0xE0 && first <= 0xEF) {
    size = 3;
    if (first == 0xE0) low = 0xA0;
    if (first == 0xED) high = 0x9F;  // no surrogates
  } else if (first >= 0xF0 && first <= 0xF4) {
    size = 4;
    if (first == 0xF0) low = 0x90;
    if (first == 0xF4) high = 0x8F;
  } else {
    return 1;
  }
  if (rest.size() < size || byte(1) < low || byte(1) > high) return 1;
  for (std::size_t i = 2; i < size; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 1;
  }
  return size;
}

}  // namespace platform
