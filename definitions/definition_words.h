// The fixed words of a definition file.
#pragma once

#include <cstddef>
#include <string_view>

inline constexpr std::string_view kFormatTag = "nVorpel1.5";
inline constexpr std::string_view kViewColumnWord = "ViewColumn";
inline constexpr std::string_view kFormulaWord = "Formula";
inline constexpr std::string_view kTrueWord = "TRUE";
inline constexpr std::string_view kFalseWord = "FALSE";

// Whether `field` is `word` (plain ASCII) without regard to the case of ASCII letters. Exact for
// code page 932 fields too: a field holding a double-byte character never matches, as its lead
// byte matches no byte of `word`.
constexpr bool IsWord(std::string_view field, std::string_view word) {
  if (field.size() != word.size()) return false;
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (lower(field[i]) != lower(word[i])) return false;
  }
  return true;
}
