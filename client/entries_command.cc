#include <iostream>

#include <platform/cp932.h>
#include <platform/files.h>

#include "client/commands.h"
#include "client/export_entries.h"

namespace client {

void ListEntries(std::ostream& out) {
  const std::string notesIni = FindNotesIni();
  const std::vector<ExportEntry> entries = ReadExportEntries(notesIni);
  if (entries.empty()) std::cerr << "notes-client: no export entries in " << platform::ToFileSystemPath(notesIni) << "\n";
  for (const ExportEntry& entry : entries)
    out << entry.key << "  \"" << platform::Cp932ToLocale(entry.label) << "\"  library "
        << platform::Cp932ToLocale(entry.library) << " (" << LibraryFileName(platform::Cp932ToLocale(entry.library))
        << ")  option \"" << platform::Cp932ToLocale(entry.option) << "\"\n";
}

}  // namespace client
