// UTF-8 text counted in characters, as LNString positions are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host::utf8 {

// `bytes` with every invalid sequence replaced by U+FFFD.
std::string Sanitize(std::string_view bytes);
// The number of characters of valid UTF-8 text.
std::size_t Length(std::string_view text);
// The byte offset of character `index` of valid UTF-8 text; text.size() for the end, npos beyond.
std::size_t Offset(std::string_view text, std::size_t index);
// The character index of byte offset `offset` (a character boundary).
std::size_t Index(std::string_view text, std::size_t offset);
// The byte length of the character starting at `offset`.
std::size_t CharWidth(std::string_view text, std::size_t offset);

}  // namespace host::utf8
