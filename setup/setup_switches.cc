#include "setup_switches.h"

#include <algorithm>

namespace setup {
namespace {

bool IsSwitch(std::string_view argument, std::string_view name) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(argument, name, {}, lower, lower);
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
