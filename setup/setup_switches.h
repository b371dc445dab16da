// The setup program's command line.
#pragma once

#include <span>
#include <string_view>

namespace setup {

struct SetupSwitches {
  bool console = false;  // "/I": messages on standard output instead of message boxes
  bool remove = false;   // "/U": remove the entries and settings instead of registering
};

// Reads the arguments behind the program name. Each is compared as a whole with "/I" and "/U",
// ignoring ASCII letter case; any other argument is ignored, and order and repetition do not matter.
SetupSwitches ReadSwitches(std::span<const char* const> arguments);

}  // namespace setup
