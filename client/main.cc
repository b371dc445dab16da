// notes-client: the stand-in for the Notes client: its main window, and its export for scripts.
// See client/command_line.h.
#include <iostream>
#include <optional>

#include <platform/qt/qt_ui.h>
#include <platform/ui.h>

#include "client/client_error.h"
#include "client/command_line.h"
#include "client/commands.h"

namespace {

int Run(int& argc, char** argv) {
  using namespace client;
  CommandLine line;
  try {
    line = ParseCommandLine({argv + 1, argv + argc});
  } catch (const ClientError& error) {
    std::cerr << "notes-client: " << error.message << "\n" << kUsage;
    return kClientErrorStatus;
  }
  try {
    switch (line.command) {
      case Command::Open:
        return RunOpen(line, argc, argv);
      case Command::Export: {
        // The client owns the application's message loop when there is a display to show it on,
        // and the plug-in's messages are windows then.
        std::optional<platform::qt::WindowedUi> windows;
        if (!line.console && platform::DisplayAvailable()) windows.emplace(argc, argv);
        RunExport(line);
        break;
      }
      case Command::Views:
        ListViews(line, std::cout);
        break;
      case Command::Entries:
        ListEntries(std::cout);
        break;
      case Command::Help:
        std::cout << kUsage;
        break;
    }
  } catch (const ClientError& error) {
    std::cerr << "notes-client: " << error.message << "\n";
    return kClientErrorStatus;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return Run(argc, argv); }
