// LNFormula: a formula of the platform's formula language.
#pragma once

#include <cstdint>
#include <memory>

#include "host/lnitems.h"
#include "host/lnstring.h"

class LNNote;

class LNAPI LNFormula {
 public:
  LNFormula() = default;  // empty: evaluates to ""
  // Assigning text compiles it; bad syntax, an unknown or unsupported @function or a wrong
  // argument count throws the formula status (whatever the mode) and leaves the formula as it was.
  LNFormula(const LNString& text);  // NOLINT: implicit, formulas are assigned texts
  LNFormula(const char* platformText);  // NOLINT
  LNFormula& operator=(const LNString& text);
  LNFormula& operator=(const char* platformText);

  LNString GetText() const;
  bool IsNull() const;  // no text

  // Evaluates the formula on `note` (a null note: every field is missing) into `result`, a new
  // text, numbers or date/times item. `selects`, when given, gets 1 when the value would select
  // the document (a non-zero number), else 0. A formula taken from a design that does not
  // compile fails here with its status.
  LNSTATUS Evaluate(const LNNote& note, LNItem* result, std::uint16_t* selects = nullptr) const;

 private:
  std::shared_ptr<const host::FormulaData> data_;
  friend struct host::Access;
};
