// Fuzzes the code page 932 conversions and the double-byte-aware search on any bytes: converting
// to Unicode and back is stable after the first round, and a found needle starts on a character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string once = platform::Utf8ToCp932(platform::Cp932ToUtf8(bytes));
  if (platform::Utf8ToCp932(platform::Cp932ToUtf8(once)) != once) std::abort();
  const std::string fromUtf8 = platform::Utf8ToCp932(bytes);  // the bytes as UTF-8, however invalid
  if (platform::Utf8ToCp932(platform::Cp932ToUtf8(fromUtf8)) != fromUtf8) std::abort();
  platform::Utf16ToCp932(platform::Cp932ToUtf16(bytes));
  if (size >= 2) {
    const std::string_view needle = bytes.substr(size / 2, 2);
    const std::size_t at = platform::Cp932Find(bytes, needle);
    if (at != std::string_view::npos && bytes.substr(at, needle.size()) != needle) std::abort();
    platform::Cp932ReplaceAll(bytes, needle, "\\\\");
  }
  return 0;
}
