// The console's standard streams, unbuffered, so that text and answers interleave as typed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Writes platform text to standard error in the locale's character set.
void WriteToStandardError(std::string_view cp932);

// Whether standard error is a terminal.
bool StandardErrorIsTerminal();

// One line from standard input without its line end, or nothing at the end of input. Reads no
// byte past the line end, so later questions get the later lines.
std::optional<std::string> ReadStandardInputLine();

}  // namespace platform
