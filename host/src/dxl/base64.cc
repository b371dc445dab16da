#include "dxl/base64.h"

namespace host::dxl {
namespace {

int SextetOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Hands each decoded byte to `put`; false when `text` is not valid base64.
template <class Put>
bool Decode(std::string_view text, Put put) {
  unsigned accumulator = 0;
  int bits = 0, sextets = 0, padding = 0;
  for (const char c : text) {
    if (IsSpace(c)) continue;
    if (c == '=') {
      ++padding;
      ++sextets;
      continue;
    }
    const int sextet = SextetOf(c);
    if (sextet < 0 || padding > 0) return false;  // a character after the padding
    accumulator = (accumulator << 6) | static_cast<unsigned>(sextet);
    bits += 6;
    ++sextets;
    if (bits >= 8) {
      bits -= 8;
      put(static_cast<char>((accumulator >> bits) & 0xFF));
    }
  }
  return sextets % 4 == 0 && padding <= 2;
}

}  // namespace

std::optional<std::string> DecodeBase64(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  if (!Decode(text, [&](char byte) { bytes += byte; })) return std::nullopt;
  return bytes;
}

std::optional<std::uint64_t> DecodedBase64Size(std::string_view text) {
  std::uint64_t size = 0;
  if (!Decode(text, [&](char) { ++size; })) return std::nullopt;
  return size;
}

}  // namespace host::dxl
