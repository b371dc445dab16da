// Rich text: a sequence of objects (text, attachments, form fields, subform references) that a
// cursor walks in document order.
#pragma once

#include <memory>
#include <vector>

#include "host/lnformula.h"
#include "host/lnitems.h"
#include "host/lnstring.h"

class LNRTCursor;
class LNSubform;

class LNAPI LNRichText : public LNItem {
 public:
  LNRichText();  // a new, empty rich-text item
  LNRichText(const LNItem& item);  // NOLINT
  LNRichText& operator=(const LNItem& item);

  LNSTATUS GetCursor(LNRTCursor* cursor) const;  // a cursor before the first object
  LNBOOL IsEmpty() const;
};

// One object of a rich text. Copies refer to the same object.
class LNAPI LNRTObject {
 public:
  LNRTObject() = default;
  bool IsNull() const { return item_ == nullptr; }
  LNRTTYPE GetType() const;
  // A text object's characters (line feeds included); "" for other objects.
  LNString GetText() const;

 protected:
  // For the kinds below: this object when it is of `type`, else host::kErrWrongItemType and null.
  void Adopt(const LNRTObject& object, LNRTTYPE type);

  std::shared_ptr<const host::ItemData> item_;
  LNINT index_ = -1;
  friend struct host::Access;
};

class LNAPI LNRTCursor {
 public:
  LNRTCursor() = default;
  // Moves to the first object of `type` (or the next one after the cursor) and gives it in
  // `object` (which may be null): 0, or host::kNotFound (never thrown) when there is none, the
  // cursor staying where it was.
  LNSTATUS GotoFirst(LNRTTYPE type, LNRTObject* object);
  LNSTATUS GotoNext(LNRTTYPE type, LNRTObject* object);

 private:
  LNSTATUS GotoFrom(LNINT start, LNRTTYPE type, LNRTObject* object);

  std::shared_ptr<const host::ItemData> item_;
  LNINT position_ = -1;
  friend struct host::Access;
};

class LNAPI LNRTAttachment : public LNRTObject {
 public:
  LNRTAttachment() = default;
  LNRTAttachment(const LNRTObject& object);  // NOLINT
  LNString GetAttachmentName() const;
  LNString GetFilename() const;  // the file name shown
  // As LNAttachment::Detach, for the attachment this object refers to.
  LNSTATUS Detach(const LNString& platformPath) const;
};

class LNAPI LNRTSubform : public LNRTObject {
 public:
  LNRTSubform() = default;
  LNRTSubform(const LNRTObject& object);  // NOLINT
  LNString GetName() const;  // the subform name as referenced
  // The subform of that name or alias; host::kErrNoteNotFound when the database has none.
  LNSTATUS GetSubform(LNSubform* subform) const;
};

class LNAPI LNFormField : public LNRTObject {
 public:
  LNFormField() = default;
  LNFormField(const LNRTObject& object);  // NOLINT
  LNString GetName() const;
  LNCOMPUTEOPTION GetComputeOption() const;
  // The default-value formula of the computed kinds; empty when the field has none. It compiles
  // when evaluated.
  LNFormula GetValueFormula() const;
  LNString GetHelpDescription() const;
};

class LNAPI LNFormFieldArray {
 public:
  LNINT GetCount() const { return static_cast<LNINT>(fields_.size()); }
  LNFormField operator[](LNINT index) const;

 private:
  std::vector<LNFormField> fields_;
  friend struct host::Access;
};
