// Code page 932 text: the platform's own character set.
//
// Platform text is code page 932 bytes held in std::string. A lead byte (0x81-0x9F, 0xE0-0xFC)
// and the byte after it form one character; nothing here ever matches at such a trail byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/api.h"

namespace platform {

// True for a byte that starts a double-byte character.
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// ASCII letter case, the one case rule of names, switches and keywords. The two bytes of a
// double-byte character are never folded, so a trail byte that looks like a letter stays as it
// is; UTF-8 text is folded correctly too, as none of its multibyte sequences holds an ASCII byte.
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
  }
  return true;
}
// `text` with its ASCII capitals lower-cased under the same rule.
PLATFORM_API std::string AsciiLowered(std::string_view text);

// Conversions to and from Unicode, following Microsoft's table for code page 932 (NEC row 13,
// the IBM extensions and the user-defined area included). Characters that code page 932 cannot
// hold become "?", and so does each invalid byte of UTF-8 and each unpaired surrogate of UTF-16.
// Converting to Unicode, each invalid byte, lone lead byte or unassigned double-byte code becomes
// one U+FFFD.
PLATFORM_API std::string Cp932ToUtf8(std::string_view cp932);
PLATFORM_API std::u16string Cp932ToUtf16(std::string_view cp932);
PLATFORM_API std::string Utf8ToCp932(std::string_view utf8);
PLATFORM_API std::string Utf16ToCp932(std::u16string_view utf16);
// UTF-8 text as code page 932 for an XML file: a character code page 932 cannot hold becomes its
// numeric character reference ("&#x20BB7;"), so that the file still holds it. Each invalid byte
// becomes "?".
PLATFORM_API std::string Utf8ToCp932ForXml(std::string_view utf8);

// Byte offset of the first occurrence of `needle` at or after `from` that starts and ends on a
// character boundary, or std::string_view::npos. An empty needle is found at the first boundary
// at or after `from`; nothing is found when `from` lies beyond the text.
PLATFORM_API std::size_t Cp932Find(std::string_view text, std::string_view needle, std::size_t from = 0);
PLATFORM_API bool Cp932Contains(std::string_view text, std::string_view needle);
// Every occurrence of `from` replaced by `to`, scanning left to right; an empty `from` changes
// nothing.
PLATFORM_API std::string Cp932ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// The character set of the environment's locale (LC_ALL, LC_CTYPE, LANG; UTF-8 on an ordinary
// Linux system) to and from code page 932. The plain C locale counts as UTF-8, so a process
// started without locale variables still shows Japanese text.
PLATFORM_API std::string LocaleToCp932(std::string_view localeText);
PLATFORM_API std::string Cp932ToLocale(std::string_view cp932);

}  // namespace platform
