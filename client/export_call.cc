#include "client/export_call.h"

#include <csignal>

#include "client/host_objects.h"

namespace client {
namespace {

// While it exists, SIGINT does not end the process. The plug-in's progress dialog installs its own
// handler (Ctrl+C as Cancel) while it is shown and restores this one afterwards.
class InterruptsIgnored {
 public:
  InterruptsIgnored() { previous_ = std::signal(SIGINT, SIG_IGN); }
  InterruptsIgnored(const InterruptsIgnored&) = delete;
  InterruptsIgnored& operator=(const InterruptsIgnored&) = delete;
  ~InterruptsIgnored() {
    if (previous_ != SIG_ERR) std::signal(SIGINT, previous_);
  }

 private:
  void (*previous_)(int);
};

}  // namespace

void CallExportView(const PluginLibrary& plugin, const ExportEntry& entry, const ExportCall& call) {
  const IdTable selected(call.selectedNoteIds);
  ExportViewParams params;
  params.SetDatabaseHandle(call.database);
  params.SetViewNoteId(call.viewNoteId);
  params.SetCollectionHandle(call.collection);
  params.SetSelectedIdTable(selected.Handle());
  const std::uint16_t flags = call.append ? kAppendToFile : 0;

  const InterruptsIgnored interrupts;
  plugin.ExportView()(&params, flags, 0, entry.option.c_str(), call.typedName.c_str());
}

}  // namespace client
