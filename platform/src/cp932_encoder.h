// Unicode to code page 932 by table: the C library's conversion of every character of the basic
// multilingual plane, asked once and kept, so that converting text costs a lookup per character.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Appends the code page 932 bytes of `utf8` to `out`, exactly as the C library's converter gives
// them: a character code page 932 cannot hold, and each byte that starts no valid UTF-8 sequence,
// becomes "?".
void AppendUtf8AsCp932(std::string& out, std::string_view utf8);
// The same, but a character code page 932 cannot hold becomes its XML character reference
// ("&#x20BB7;"); an invalid byte is still "?".
void AppendUtf8AsCp932WithReferences(std::string& out, std::string_view utf8);

}  // namespace platform
