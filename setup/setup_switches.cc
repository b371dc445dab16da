#include "setup_switches.h"

#include <platform/cp932.h>

namespace setup {
namespace {

bool IsSwitch(std::string_view argument, std::string_view name) {
  return platform::EqualsIgnoringAsciiCase(argument, name);
}

}  // namespace

SetupSwitches ReadSwitches(std::span<const char* const> arguments) {
  SetupSwitches switches;
  for (std::string_view argument : arguments) {
    if (IsSwitch(argument, "/I")) switches.console = true;
    if (IsSwitch(argument, "/U")) switches.remove = true;
  }
  return switches;
}

}  // namespace setup
