// The XML run's character conversion: the file is written in code page 932 or, on request, in
// UTF-8.
#pragma once

#include <string>
#include <string_view>

// `cp932` (platform text) in UTF-8: converted to UTF-16 by the platform's code page 932 table,
// then each 16-bit unit encoded on its own in one, two or three bytes. The process's locale is
// neither read nor changed.
std::string ToUtf8(std::string_view cp932);
