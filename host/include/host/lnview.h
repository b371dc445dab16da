// Views and folders, and their columns. The columns are read while the view is open.
#pragma once

#include "host/lnformats.h"
#include "host/lnformula.h"
#include "host/lnnote.h"

class LNVFColumn;

class LNAPI LNViewFolder : public LNNote {
 public:
  LNViewFolder() = default;
  LNString GetName() const;
  LNINT GetColumnCount() const;
  // Column `index` (0 ... count - 1); host::kErrInvalidArgument outside.
  LNSTATUS GetColumn(LNINT index, LNVFColumn* column) const;
};

class LNAPI LNVFColumn {
 public:
  LNVFColumn() = default;
  LNString GetTitle() const;  // null for a column without a title
  LNString GetInternalName() const;
  LNBOOL GetHideColumn() const;
  LNBOOL GetDisplayValuesAsIcons() const;
  LNBOOL GetIsCategorized() const;
  // The width the view gives the column, in average characters of its font (10 by default).
  LNNUMBER GetWidth() const;
  LNINT GetColumnNumber() const;  // the index of the column's value in an entry's summary values
  // The column's formula (its item name when the design has none). It compiles when evaluated.
  LNFormula GetFormula() const;
  LNNumberFormat GetNumberFormat() const;
  LNDatetimeFormat GetDatetimeFormat() const;
  LNVFSEPARATOR GetSeparator() const;

 private:
  std::shared_ptr<const host::NoteData> view_;
  LNINT index_ = -1;
  friend struct host::Access;
};
