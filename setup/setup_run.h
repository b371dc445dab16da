// One run of the setup program once its switches are read and notes.ini is looked for.
#pragma once

#include <optional>
#include <string>

#include "setup_front_end.h"
#include "setup_switches.h"

namespace setup {

inline constexpr int kExitDone = 0;
inline constexpr int kExitNoNotesIni = 1;
inline constexpr int kExitNoFreeSlot = 2;
inline constexpr int kExitNotWritten = 3;

// Help context shown when notes.ini is missing.
inline constexpr unsigned long kNotesIniHelpContext = 123;

// Registers the export entries in `notesIni` (a platform path), or removes them and the settings
// with the "/U" switch, and reports the outcome through `frontEnd`. Without a notes.ini nothing is
// written; a notes.ini that cannot be written is left as it was and reported as an error. Returns
// the program's exit code.
int RunSetup(const SetupSwitches& switches, const std::optional<std::string>& notesIni, SetupFrontEnd& frontEnd);

}  // namespace setup
