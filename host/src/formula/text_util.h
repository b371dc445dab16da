// Text helpers of the formula engine: UTF-8 characters, case.
//
// Internal to the formula engine.
#pragma once

#include <string>
#include <string_view>

namespace host::formula {

// Characters (code points) in `text`.
std::size_t CharCount(std::string_view text);
// The byte offset of character `index` (clamped to the text's length).
std::size_t ByteOffset(std::string_view text, std::size_t index);
// Characters [first, first + count) of `text`, clamped to it.
std::string_view CharSlice(std::string_view text, std::size_t first, std::size_t count);

// Names and keywords: ASCII letter case only.
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Values: letter case of the whole of Unicode as the platform maps it (full-width Latin, Greek,
// Cyrillic …); bytes that are no UTF-8 stay as they are.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
// Each word's first letter upper case, every other letter lower case; a word starts after a
// character that is no letter, no digit and no apostrophe.
std::string ProperCase(std::string_view text);
// <0, 0, >0: `a` against `b` by code point, letters compared without regard to case.
int CompareIgnoringCase(std::string_view a, std::string_view b);

// <0, 0, >0 in collating order with case: as CompareIgnoringCase, ties broken with lower case
// before upper case ("a" < "A" < "b").
int CollateWithCase(std::string_view a, std::string_view b);

// The UTF-8 form of code point `code` ("" for one that is not a character).
std::string Utf8Char(unsigned long code);

}  // namespace host::formula
