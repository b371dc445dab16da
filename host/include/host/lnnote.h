// Notes: documents and design notes, and the attachments of a document.
//
// An LNNote is a smart pointer to a note of a database: copies share the note and its open state.
// A default-constructed note is null. Identity (note ID, type) can be read at any time; items and
// attachments only while the note is open (otherwise host::kErrNotOpen).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/lnitems.h"
#include "host/lnstring.h"
#include "host/lntypes.h"

class LNForm;
class LNAttachmentArray;

class LNAPI LNNote {
 public:
  LNNote() = default;
  bool IsNull() const { return data_ == nullptr; }

  LNSTATUS Open(std::uint32_t flags = 0);  // the flags are the caller's; every note opens the same
  LNSTATUS Close();
  LNBOOL IsOpen() const;

  NOTEID GetNoteID() const;         // 0 for a null note
  LNNOTETYPE GetNoteType() const;   // LNNOTETYPE_UNKNOWN for a null note

  // The items whose type is `filter` (LNITEMTYPE_ANY: all), in the note's order. A form or
  // subform has one item, "$BODY", its rich-text body.
  LNSTATUS GetItems(LNITEMTYPE filter, LNItemArray* items) const;
  // The first item named `name` (ASCII letters without regard to case); host::kErrNoSuchItem when
  // there is none.
  LNSTATUS GetItem(const LNString& name, LNItem* item) const;
  // The type of the item named `name`; LNITEMTYPE_UNSUPPORTED when there is none.
  LNITEMTYPE GetItemType(const LNString& name) const;
  LNSTATUS GetAttachments(LNAttachmentArray* attachments) const;

 protected:
  std::shared_ptr<host::NoteData> data_;
  friend struct host::Access;
};

class LNAPI LNDocument : public LNNote {
 public:
  LNDocument() = default;
  // The form named by the document's "Form" item (by name or alias); host::kErrFormNotFound when
  // the document names none or one the database lacks.
  LNSTATUS GetFormNote(LNForm* form) const;
};

// Note IDs, as LNDatabase::GetForms and GetSubforms give them.
class LNAPI LNNoteArray {
 public:
  LNINT GetCount() const { return static_cast<LNINT>(ids_.size()); }
  NOTEID GetNoteID(LNINT index) const;  // host::kErrListIndex outside the array (0 when not throwing)

 private:
  std::vector<NOTEID> ids_;
  friend struct host::Access;
};

// A file attached to a document.
class LNAPI LNAttachment {
 public:
  LNAttachment() = default;
  bool IsNull() const { return note_ == nullptr; }
  LNBOOL IsInRichText() const;
  LNString GetAttachmentName() const;
  LNString GetFilepath() const;  // the file name recorded with the attachment
  // Writes the file's bytes to `platformPath` (code page 932, "\" separators), replacing an
  // existing file only once the new one is complete. host::kErrAttachment for an attachment the
  // host cannot expand, host::kErrFileWrite when the file cannot be written.
  LNSTATUS Detach(const LNString& platformPath) const;

 private:
  std::shared_ptr<const host::NoteData> note_;
  std::string name_;
  friend struct host::Access;
};

class LNAPI LNAttachmentArray {
 public:
  LNINT GetCount() const { return static_cast<LNINT>(attachments_.size()); }
  LNAttachment operator[](LNINT index) const;

 private:
  std::vector<LNAttachment> attachments_;
  friend struct host::Access;
};
