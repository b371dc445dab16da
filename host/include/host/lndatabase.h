// LNDatabase: an open database. Copies refer to the same database.
#pragma once

#include <memory>

#include "host/lnnote.h"
#include "host/lnstring.h"
#include "host/lnview.h"

class LNAPI LNDatabase {
 public:
  LNDatabase() = default;
  bool IsNull() const { return database_ == nullptr; }

  // The view or folder with that note ID: host::kErrNoteNotFound for a missing or deleted note,
  // host::kErrNotViewOrFolder for another kind of note.
  LNSTATUS GetViewFolder(NOTEID id, LNViewFolder* view) const;
  // The note with that note ID, not yet open: host::kErrNoteNotFound for a missing or deleted note.
  LNSTATUS GetNote(NOTEID id, LNNote* note) const;
  // The note IDs of the forms, and of the subforms, in note-ID order.
  LNSTATUS GetForms(LNNoteArray* forms) const;
  LNSTATUS GetSubforms(LNNoteArray* subforms) const;

  LNString GetTitle() const;
  LNString GetServer() const;  // "" for a local database
  LNString GetFilepath() const;
  // The core library's handle of the database; `reserved` is 0.
  DBHANDLE GetDatabaseHandle(LNINT reserved) const;

 private:
  std::shared_ptr<host::model::Database> database_;
  DBHANDLE handle_ = 0;
  friend struct host::Access;
};
