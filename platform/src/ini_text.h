// The text of an INI file: finding a value and editing keys and sections, with every byte that
// an edit does not concern kept as it was.
//
// Section and key names match without regard to ASCII case, surrounding blanks trimmed. Of two
// sections or two keys with the same name, the first is the one read and set. Lines that start
// with ";" are comments; lines that are neither a section header nor "key=value" are kept as they
// are and otherwise ignored, as are lines before the first section.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The value of `key` in `section`, surrounding blanks trimmed and matching quotes removed.
std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key);

// `text` with `key` of `section` set to `value`. An existing key's line is rewritten in place; a
// new key goes right after the last key of its section, a new section at the end of the text.
// The lines written end in CRLF.
std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

// `text` without any line of `key` in `section`.
std::string DeleteIniKey(std::string_view text, std::string_view section, std::string_view key);

// `text` without `section`: its header and every line up to the next section header.
std::string DeleteIniSection(std::string_view text, std::string_view section);

// Whether the names and the value can be written as one line each that reads back the same.
bool IsWritableIniSection(std::string_view section);
bool IsWritableIniKey(std::string_view key);
bool IsWritableIniValue(std::string_view value);

}  // namespace platform
