#include "setup_switches.h"

#include <gtest/gtest.h>

#include <vector>

namespace setup {
namespace {

struct SwitchCase {
  std::vector<const char*> arguments;
  bool console;
  bool remove;
};

TEST(ReadSwitches, MatchesWholeArgumentsIgnoringCase) {
  const SwitchCase cases[] = {
      {{}, false, false},
      {{"/I"}, true, false},
      {{"/U"}, false, true},
      {{"/u", "/i"}, true, true},
      {{"/i", "/U", "/I", "/u"}, true, true},
      {{"foo", "/i", "C:\\notes"}, true, false},
      {{"/Ix", "/uu", "I", "U", "-I", "/ U", "\\U", ""}, false, false},
  };
  for (const SwitchCase& c : cases) {
    SetupSwitches switches = ReadSwitches(c.arguments);
    std::string shown;
    for (const char* argument : c.arguments) shown += std::string("[") + argument + "]";
    EXPECT_EQ(switches.console, c.console) << shown;
    EXPECT_EQ(switches.remove, c.remove) << shown;
  }
}

}  // namespace
}  // namespace setup
