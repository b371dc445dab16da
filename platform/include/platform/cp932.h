// Code page 932 text: the platform's own character set.
//
// Platform text is code page 932 bytes held in std::string. A lead byte (0x81-0x9F, 0xE0-0xFC)
// and the byte after it form one character; nothing here ever matches at such a trail byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// True for a byte that starts a double-byte character.
bool IsLeadByte(unsigned char byte);

// Conversions to and from Unicode, following Microsoft's table for code page 932 (NEC row 13,
// the IBM extensions and the user-defined area included). Characters that code page 932 cannot
// hold become "?". Invalid input bytes become U+FFFD when converting to Unicode.
std::string Cp932ToUtf8(std::string_view cp932);
std::u16string Cp932ToUtf16(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);
std::string Utf16ToCp932(std::u16string_view utf16);

// Byte offset of the first occurrence of `needle` at or after `from` that starts on a character
// boundary, or std::string_view::npos. An empty needle is found at `from`.
std::size_t Cp932Find(std::string_view text, std::string_view needle, std::size_t from = 0);
bool Cp932Contains(std::string_view text, std::string_view needle);
// Every occurrence of `from` (non-empty) replaced by `to`, scanning left to right.
std::string Cp932ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// The locale's character set (UTF-8 on an ordinary Linux system) to and from code page 932.
std::string LocaleToCp932(std::string_view localeText);
std::string Cp932ToLocale(std::string_view cp932);

}  // namespace platform
