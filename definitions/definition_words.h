// The fixed words of a definition file.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/cp932.h"

inline constexpr std::string_view kFormatTag = "nVorpel1.5";
inline constexpr std::string_view kViewColumnWord = "ViewColumn";
inline constexpr std::string_view kFormulaWord = "Formula";
inline constexpr std::string_view kTrueWord = "TRUE";
inline constexpr std::string_view kFalseWord = "FALSE";

// Whether `field` is `word` (plain ASCII) without regard to the case of ASCII letters.
constexpr bool IsWord(std::string_view field, std::string_view word) {
  return platform::EqualsIgnoringAsciiCase(field, word);
}
