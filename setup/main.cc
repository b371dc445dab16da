// nVorpel [/I] [/U]: registers the export entries of the plug-in in notes.ini, or removes them.
#include <platform/qt/qt_ui.h>
#include <platform/ui.h>

#include <optional>
#include <span>

#include "notes_ini_location.h"
#include "setup_front_end.h"
#include "setup_run.h"
#include "setup_switches.h"

int main(int argc, char** argv) {
  std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
  setup::SetupSwitches switches = setup::ReadSwitches(arguments.subspan(argc > 0 ? 1 : 0));
  std::optional<platform::qt::WindowedUi> windows;
  if (!switches.console && platform::DisplayAvailable()) windows.emplace(argc, argv);
  std::unique_ptr<setup::SetupFrontEnd> frontEnd =
      switches.console ? setup::MakeConsoleFrontEnd() : setup::MakeMessageBoxFrontEnd();
  return setup::RunSetup(switches, setup::LocateNotesIni(), *frontEnd);
}
