// CoreListViews: the views and folders of a database, for the client's view listing.
#include <memory>
#include <string>

#include "host/core.h"
#include "index/handles.h"

extern "C" STATUS CoreListViews(CoreDatabaseHandle database, CoreViewVisitor visit, void* context) {
  const std::shared_ptr<host::model::Database> found = host::handles::FindDatabase(database);
  if (!found) return host::kErrInvalidHandle;
  if (!visit) return host::kErrInvalidArgument;
  for (const auto& [id, note] : found->notes) {
    if (note.deleted || !note.view) continue;
    std::string nameAndAliases = note.view->name;
    for (const std::string& alias : note.view->aliases) nameAndAliases += "|" + alias;
    visit(context, id, note.noteClass == host::model::NoteClass::Folder, nameAndAliases.c_str());
  }
  return host::kNoError;
}
