#include "host/lndatabase.h"

#include "access.h"
#include "errors.h"
#include "item_values.h"

using host::Access;
using host::model::NoteClass;

namespace {

const host::model::Database& Open(const std::shared_ptr<host::model::Database>& database) {
  if (!database) host::Raise(host::kErrNullObject);
  return *database;
}

const host::model::Note& LiveNote(const host::model::Database& database, NOTEID id) {
  const host::model::Note* note = database.FindLiveNote(id);
  if (!note) host::Raise(host::kErrNoteNotFound);
  return *note;
}

LNSTATUS IdsOf(const std::shared_ptr<host::model::Database>& database, NoteClass noteClass, LNNoteArray* ids) {
  return host::Guard([&] {
    const host::model::Database& db = Open(database);
    if (!ids) host::Raise(host::kErrInvalidArgument);
    LNNoteArray result;
    for (const auto& [id, note] : db.notes)
      if (!note.deleted && note.noteClass == noteClass) Access::Ids(result).push_back(id);
    *ids = std::move(result);
  });
}

}  // namespace

LNSTATUS LNDatabase::GetViewFolder(NOTEID id, LNViewFolder* view) const {
  return host::Guard([&] {
    const host::model::Note& note = LiveNote(Open(database_), id);
    if (!note.view) host::Raise(host::kErrNotViewOrFolder);
    if (!view) host::Raise(host::kErrInvalidArgument);
    Access::SetData(*view, std::make_shared<host::NoteData>(host::NoteData{database_, &note, false}));
  });
}

LNSTATUS LNDatabase::GetNote(NOTEID id, LNNote* note) const {
  return host::Guard([&] {
    const host::model::Note& found = LiveNote(Open(database_), id);
    if (!note) host::Raise(host::kErrInvalidArgument);
    // An export gets a note for every row: the blocks are recycled.
    Access::SetData(*note, std::allocate_shared<host::NoteData>(host::RecyclingAllocator<host::NoteData>(),
                                                                host::NoteData{database_, &found, false}));
  });
}

LNSTATUS LNDatabase::GetForms(LNNoteArray* forms) const { return IdsOf(database_, NoteClass::Form, forms); }
LNSTATUS LNDatabase::GetSubforms(LNNoteArray* subforms) const { return IdsOf(database_, NoteClass::Subform, subforms); }

LNString LNDatabase::GetTitle() const {
  return host::GuardValue(LNString(), [&] { return Access::String(Open(database_).title); });
}
LNString LNDatabase::GetServer() const {
  return host::GuardValue(LNString(), [&] { return Access::String(Open(database_).server); });
}
LNString LNDatabase::GetFilepath() const {
  return host::GuardValue(LNString(), [&] { return Access::String(Open(database_).filePath); });
}

DBHANDLE LNDatabase::GetDatabaseHandle(LNINT /*reserved*/) const {
  return host::GuardValue(DBHANDLE{0}, [&] {
    Open(database_);
    return handle_;
  });
}
