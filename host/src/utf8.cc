#include "utf8.h"

#include <cstdint>
#include <cstring>

namespace host::utf8 {
namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the valid sequence at `i`, or 0.
std::size_t ValidSequence(std::string_view s, std::size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  std::size_t n;
  char32_t min, cp;
  if (c < 0x80) return 1;
  if ((c & 0xF0) == 0xE0 && i + 3 <= s.size()) {  // three bytes, as kana and kanji are: checked at once
    const auto second = static_cast<unsigned char>(s[i + 1]);
    if (second >= (c == 0xE0 ? 0xA0 : 0x80) && second <= (c == 0xED ? 0x9F : 0xBF) &&
        IsContinuation(static_cast<unsigned char>(s[i + 2])))
      return 3;
  }
  if (c >= 0xC2 && c <= 0xDF) n = 2, min = 0x80, cp = c & 0x1F;
  else if (c >= 0xE0 && c <= 0xEF) n = 3, min = 0x800, cp = c & 0x0F;
  else if (c >= 0xF0 && c <= 0xF4) n = 4, min = 0x10000, cp = c & 0x07;
  else return 0;
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto t = static_cast<unsigned char>(s[i + k]);
    if (!IsContinuation(t)) return 0;
    cp = (cp << 6) | (t & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

std::string Sanitize(std::string_view bytes) {
  std::string out;
  std::size_t done = 0;  // bytes up to here are in `out`
  for (std::size_t i = 0; i < bytes.size();) {
    if (i + 8 <= bytes.size()) {  // eight ASCII bytes at a time
      std::uint64_t eight;
      std::memcpy(&eight, bytes.data() + i, 8);
      if ((eight & 0x8080808080808080u) == 0) {
        i += 8;
        continue;
      }
    }
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t n = ValidSequence(bytes, i);
    if (n != 0) {
      i += n;
      continue;
    }
    out.append(bytes.substr(done, i - done));
    out += "\xEF\xBF\xBD";
    done = ++i;
  }
  if (done == 0) return std::string(bytes);  // valid throughout: one copy
  out.append(bytes.substr(done));
  return out;
}

std::size_t Length(std::string_view text) {
  std::size_t count = 0;
  for (unsigned char c : text) count += !IsContinuation(c);
  return count;
}

std::size_t Offset(std::string_view text, std::size_t index) {
  std::size_t offset = 0;
  for (std::size_t k = 0; k < index; ++k) {
    if (offset >= text.size()) return std::string_view::npos;
    offset += CharWidth(text, offset);
  }
  return offset;
}

std::size_t Index(std::string_view text, std::size_t offset) { return Length(text.substr(0, offset)); }

std::size_t CharWidth(std::string_view text, std::size_t offset) {
  std::size_t end = offset + 1;
  while (end < text.size() && IsContinuation(static_cast<unsigned char>(text[end]))) ++end;
  return end - offset;
}

}  // namespace host::utf8
