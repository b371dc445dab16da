#include "cp932_encoder.h"

#include <iconv.h>

#include <array>
#include <cstdio>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "transcoder.h"

namespace platform {
namespace {

constexpr char32_t kPlaneSize = 0x10000;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The code page 932 bytes of each character as one number: below 0x100 a single byte, above it
// a lead byte and a trail byte; 0 where code page 932 has none. Taken from iconv one character
// at a time, so that where two codes share one character the choice is the C library's.
std::unique_ptr<std::array<std::uint16_t, kPlaneSize>> BuildTable() {
  auto table = std::make_unique<std::array<std::uint16_t, kPlaneSize>>();
  const iconv_t descriptor = iconv_open("CP932", "UTF-16LE");
  if (descriptor == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert UTF-16LE to CP932");
  for (char32_t c = 0; c < kPlaneSize; ++c) {
    if (IsSurrogate(c)) continue;
    char in[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    unsigned char out[4];
    char* inPointer = in;
    char* outPointer = reinterpret_cast<char*>(out);
    std::size_t inLeft = sizeof in, outLeft = sizeof out;
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    if (iconv(descriptor, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1)) continue;
    const std::size_t length = sizeof out - outLeft;
    if (length == 1) (*table)[c] = out[0];
    if (length == 2) (*table)[c] = static_cast<std::uint16_t>(out[0] << 8 | out[1]);
  }
  iconv_close(descriptor);
  return table;
}

const std::array<std::uint16_t, kPlaneSize>& Table() {
  static const std::unique_ptr<std::array<std::uint16_t, kPlaneSize>> table = BuildTable();
  return *table;
}

// The code point of a checked UTF-8 sequence of `length` (2 to 4) bytes.
char32_t Decode(const unsigned char* p, std::size_t length) {
  if (length == 2) return char32_t{p[0] & 0x1Fu} << 6 | (p[1] & 0x3Fu);
  if (length == 3) return char32_t{p[0] & 0x0Fu} << 12 | char32_t{p[1] & 0x3Fu} << 6 | (p[2] & 0x3Fu);
  return char32_t{p[0] & 0x07u} << 18 | char32_t{p[1] & 0x3Fu} << 12 | char32_t{p[2] & 0x3Fu} << 6 | (p[3] & 0x3Fu);
}

// Writes the bytes of table entry `code` ('?' for none) at `to`; the end of what it wrote.
char* Put(char* to, std::uint16_t code) {
  if (code == 0) {
    *to++ = '?';
  } else if (code < 0x100) {
    *to++ = static_cast<char>(code);
  } else {
    *to++ = static_cast<char>(code >> 8);
    *to++ = static_cast<char>(code & 0xFF);
  }
  return to;
}

}  // namespace

void AppendUtf8AsCp932WithReferences(std::string& out, std::string_view utf8) {
  const auto& table = Table();
  out.reserve(out.size() + utf8.size());
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  while (p < end) {
    if (*p < 0x80) {  // an ASCII run, copied whole
      const auto* run = p;
      while (p < end && *p < 0x80) ++p;
      out.append(reinterpret_cast<const char*>(run), static_cast<std::size_t>(p - run));
      continue;
    }
    const std::size_t length = Utf8SequenceLength({reinterpret_cast<const char*>(p), static_cast<std::size_t>(end - p)});
    const char32_t c = length == 1 ? 0 : Decode(p, length);  // checked: never a surrogate
    p += length;
    const std::uint16_t code = c < kPlaneSize ? table[c] : 0;
    char bytes[16];
    const int written = code == 0 && length > 1
                            ? std::snprintf(bytes, sizeof bytes, "&#x%X;", static_cast<unsigned>(c))
                            : static_cast<int>(Put(bytes, code) - bytes);
    out.append(bytes, static_cast<std::size_t>(written));
  }
}

void AppendUtf8AsCp932(std::string& out, std::string_view utf8) {
  const auto& table = Table();
  // Every sequence becomes at most as many bytes as it has (one or two), so the room for the
  // input is enough; what is left over is cut off at the end.
  const std::size_t start = out.size();
  out.resize(start + utf8.size());
  char* to = out.data() + start;
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  while (p < end) {
    if (*p < 0x80) {
      *to++ = static_cast<char>(*p++);
      continue;
    }
    const std::size_t length = Utf8SequenceLength({reinterpret_cast<const char*>(p), static_cast<std::size_t>(end - p)});
    const char32_t c = length == 1 ? 0 : Decode(p, length);  // checked: never a surrogate
    p += length;
    to = Put(to, c < kPlaneSize ? table[c] : 0);
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
}

}  // namespace platform
