// Base64 as DXL writes binary data (line breaks and other white space between the characters).
//
// Internal to the DXL reader.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace host::dxl {

// The decoded bytes, or nothing when `text` is not valid base64.
std::optional<std::string> DecodeBase64(std::string_view text);
// The number of bytes `text` decodes to, or nothing when it is not valid base64.
std::optional<std::uint64_t> DecodedBase64Size(std::string_view text);

}  // namespace host::dxl
