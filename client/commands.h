// The client's commands. Each throws ClientError for a failure of the client itself.
#pragma once

#include <ostream>
#include <string>

#include "client/command_line.h"

namespace client {

// Shows the main window on the database the command line names (a file dialog asks for it when it
// names none) until the user closes it; returns the exit status. Needs a display.
int RunOpen(const CommandLine& line, int& argc, char** argv);

// Loads the library of the export entry labelled `line.entryLabel` and calls its ExportView for
// the view the command line names; returns once ExportView has returned. Ctrl+C does not end the
// client meanwhile: during the run it is the progress dialog's Cancel.
void RunExport(const CommandLine& line);

// One line per view and folder (note ID, kind, name, aliases), then one of its column titles.
void ListViews(const CommandLine& line, std::ostream& out);

// One line per export entry registered in notes.ini.
void ListEntries(std::ostream& out);

// The platform path of the notes.ini of platform::FindNotesIni (the client's own directory
// first); throws ClientError when there is none.
std::string FindNotesIni();

}  // namespace client
