#include "platform/cp932.h"

#include <bit>
#include <cstring>

#include "cp932_encoder.h"
#include "transcoder.h"

namespace platform {
namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
constexpr char16_t kReplacementCharacter = u'\uFFFD';

std::string_view AsBytes(std::u16string_view text) {
  return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

// Byte length of the character that starts at `pos`; a lead byte at the very end stands alone.
std::size_t CharacterLength(std::string_view text, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// Cp932Find for a start that is known to be a character boundary.
std::size_t FindFromBoundary(std::string_view text, std::string_view needle, std::size_t pos) {
  for (; pos + needle.size() <= text.size(); pos += CharacterLength(text, pos)) {
    if (text.compare(pos, needle.size(), needle) != 0) continue;
    // The match must also end on a boundary: a needle ending in a lone lead byte never takes
    // the first half of a character.
    std::size_t end = pos;
    while (end < pos + needle.size()) end += CharacterLength(text, end);
    if (end == pos + needle.size()) return pos;
  }
  return std::string_view::npos;
}

// True when every byte is below 0x80: such text is the same bytes in code page 932 and UTF-8.
bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string AsciiLowered(std::string_view text) {
  std::string lower(text);
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(lower[i]))) {
      ++i;
    } else {
      lower[i] = AsciiLower(lower[i]);
    }
  }
  return lower;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  thread_local Transcoder transcoder("UTF-8", "CP932");
  return transcoder.Convert(cp932, "\xEF\xBF\xBD", Cp932SequenceLength);
}

std::u16string Cp932ToUtf16(std::string_view cp932) {
  thread_local Transcoder transcoder(kUtf16, "CP932");
  const std::string bytes =
      transcoder.Convert(cp932, AsBytes({&kReplacementCharacter, 1}), Cp932SequenceLength);
  std::u16string utf16(bytes.size() / sizeof(char16_t), u'\0');
  std::memcpy(utf16.data(), bytes.data(), utf16.size() * sizeof(char16_t));
  return utf16;
}

std::string Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string cp932;
  AppendUtf8AsCp932(cp932, utf8);
  return cp932;
}

std::string Utf8ToCp932ForXml(std::string_view utf8) {
  std::string cp932;
  AppendUtf8AsCp932WithReferences(cp932, utf8);
  return cp932;
}

std::string Utf16ToCp932(std::u16string_view utf16) {
  thread_local Transcoder transcoder("CP932", kUtf16);
  return transcoder.Convert(AsBytes(utf16), "?", Utf16SequenceLength);
}

std::size_t Cp932Find(std::string_view text, std::string_view needle, std::size_t from) {
  if (from > text.size()) return std::string_view::npos;
  std::size_t boundary = 0;
  while (boundary < from) boundary += CharacterLength(text, boundary);
  return FindFromBoundary(text, needle, boundary);
}

bool Cp932Contains(std::string_view text, std::string_view needle) {
  return Cp932Find(text, needle) != std::string_view::npos;
}

std::string Cp932ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t done = 0;
  for (std::size_t hit; (hit = FindFromBoundary(text, from, done)) != std::string_view::npos;
       done = hit + from.size()) {
    result.append(text.substr(done, hit - done));
    result.append(to);
  }
  result.append(text.substr(done));
  return result;
}

}  // namespace platform
