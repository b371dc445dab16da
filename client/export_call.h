// One call of an export entry's ExportView, made as the Notes client makes it: the parameter record
// filled in, the selected documents as an ID table, the flags word and the entry's option word.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <host/core.h>

#include "client/export_entries.h"
#include "client/plugin_library.h"

namespace client {

struct ExportCall {
  CoreDatabaseHandle database = 0;
  std::uint32_t viewNoteId = 0;
  CoreCollectionHandle collection = 0;  // 0: the view has no collection
  std::vector<std::uint32_t> selectedNoteIds;
  bool append = false;    // the flags word's bit 0x0004
  std::string typedName;  // platform text, as typed: the file name and its switches
};

// Calls `plugin`'s ExportView for `entry` and returns once it has returned. Ctrl+C does not end
// the client meanwhile: during the run it is the progress dialog's Cancel. Throws ClientError when
// the host cannot make the ID table.
void CallExportView(const PluginLibrary& plugin, const ExportEntry& entry, const ExportCall& call);

}  // namespace client
