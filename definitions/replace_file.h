// Writing a file so that it is never seen half-written.
#pragma once

#include <string_view>

// Makes `bytes` the contents of the file at `platformPath`: written to a new file beside it,
// which then takes the old one's place. Returns false, with any old file untouched and nothing
// left behind, when the directory does not exist, a step fails, or the old file is not a
// writable regular file.
bool ReplaceFile(std::string_view platformPath, std::string_view bytes);
