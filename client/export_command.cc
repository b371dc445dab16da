#include <optional>

#include <platform/cp932.h>
#include <platform/files.h>

#include "client/client_error.h"
#include "client/commands.h"
#include "client/export_call.h"
#include "client/export_entries.h"
#include "client/host_objects.h"
#include "client/plugin_library.h"

namespace client {
namespace {

const ExportEntry& EntryLabelled(const std::vector<ExportEntry>& entries, const std::string& label,
                                 const std::string& notesIni) {
  const ExportEntry* entry = FindExportEntry(entries, platform::LocaleToCp932(label));
  if (!entry)
    throw ClientError{"no export entry \"" + label + "\" in " + platform::ToFileSystemPath(notesIni) +
                      " (see notes-client entries)"};
  if (entry->library.empty())
    throw ClientError{"the export entry " + entry->key + " names no library"};
  return *entry;
}

std::string LocaleToUtf8(const std::string& text) { return platform::Cp932ToUtf8(platform::LocaleToCp932(text)); }

std::uint32_t ViewNoteId(const CommandLine& line, const Database& database) {
  if (line.viewNoteId) return *line.viewNoteId;
  std::uint32_t noteId = 0;
  const STATUS status = CoreFindView(database.Handle(), LocaleToUtf8(*line.viewName).c_str(), &noteId);
  if (status != 0) throw ClientError{"no view or folder named \"" + *line.viewName + "\" (see notes-client views)"};
  return noteId;
}

// The view's collection. A note ID given with --view-id that names no view is handed on as it is
// (with no collection): telling the user is the plug-in's part.
CoreCollectionHandle OpenCollection(const CommandLine& line, const Database& database, std::uint32_t viewNoteId) {
  CoreCollectionHandle collection = 0;
  const STATUS status = CoreOpenCollection(database.Handle(), viewNoteId, &collection);
  if (status == 0) return collection;
  if (line.viewNoteId && (status == host::kErrNoteNotFound || status == host::kErrNotViewOrFolder)) return 0;
  throw ClientError{"cannot open the view: " + StatusText(status)};
}

}  // namespace

void RunExport(const CommandLine& line) {
  const std::string notesIni = FindNotesIni();
  const std::vector<ExportEntry> entries = ReadExportEntries(notesIni);
  const ExportEntry& entry = EntryLabelled(entries, line.entryLabel, notesIni);
  const PluginLibrary plugin(platform::ProgramDirectory() + "/" + LibraryFileName(entry.library));

  const Database database(line.databaseFiles, LocaleToUtf8(line.server));
  const std::uint32_t viewNoteId = ViewNoteId(line, database);
  const Collection collection(OpenCollection(line, database, viewNoteId));
  CallExportView(plugin, entry,
                 {database.Handle(), viewNoteId, collection.Handle(), line.selectedNoteIds, line.append,
                  platform::LocaleToCp932(line.typedName)});
}

}  // namespace client
