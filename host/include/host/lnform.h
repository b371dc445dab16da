// Forms and subforms. Built on a note of the right kind; built on another note they fail with
// host::kErrWrongNoteType (thrown whatever the mode) and are null. Their fields and window title
// are read while the note is open.
#pragma once

#include "host/lnformula.h"
#include "host/lnnote.h"
#include "host/lnrichtext.h"

class LNAPI LNForm : public LNNote {
 public:
  LNForm() = default;
  explicit LNForm(const LNNote& note);
  LNString GetName() const;
  LNString GetAlias() const;  // the aliases joined by "|"; "" without any
  LNString GetComment() const;
  // The window-title formula; empty when the form has none.
  LNSTATUS GetWindowTitleFormula(LNFormula* formula) const;
  // The form fields of the body, in document order (not those of its subforms).
  LNSTATUS GetFormFields(LNFormFieldArray* fields) const;
};

class LNAPI LNSubform : public LNNote {
 public:
  LNSubform() = default;
  explicit LNSubform(const LNNote& note);
  LNString GetName() const;
  LNString GetComment() const;
  LNSTATUS GetFormFields(LNFormFieldArray* fields) const;
};
