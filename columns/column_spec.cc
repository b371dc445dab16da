#include "columns/column_spec.h"

#include "columns/host_call.h"
#include "columns/view_entry.h"

void ColumnSpec::SetFromViewColumn(const LNVFColumn& column) {
  title = column.GetTitle();
  if (title.IsNull()) title = column.GetInternalName();
  kind = ColumnKind::ViewColumn;
  hidden = column.GetHideColumn() != FALSE;
  icon = column.GetDisplayValuesAsIcons() != FALSE;
  categorized = column.GetIsCategorized() != FALSE;
  output = !hidden && !icon;
  columnNumber = static_cast<std::uint32_t>(column.GetColumnNumber());
  formula = column.GetFormula();
  datetimeFormat = column.GetDatetimeFormat();
  numberFormat = column.GetNumberFormat();
  designSeparator = column.GetSeparator();
}

void ColumnSpec::SetFormula(const LNString& text, std::uint32_t separator) {
  LNFormula compiled = text;  // throws before anything changes
  hidden = false;
  icon = false;
  categorized = false;
  output = false;
  kind = ColumnKind::Formula;
  columnNumber = kNoColumnNumber;
  formula = compiled;
  designSeparator = separator;
}

const LNItem& ColumnSpec::GetEntryValue(const ViewEntry& entry) const {
  static const LNItem kNone;
  if (categorized != entry.IsCategory()) return kNone;
  if (columnNumber >= entry.GetValueCount()) return kNone;
  return entry.GetValue(columnNumber);
}

LNItem ColumnSpec::EvaluateFormula(const LNNote& document) const {
  LNItem result;
  ThrowIfFailed(formula.Evaluate(document, &result));
  return result;
}

void ColumnSpecList::SetAtGrow(std::size_t index, const ColumnSpec& spec) {
  if (index >= specs_.size()) specs_.resize(index + 1);
  specs_[index] = spec;
}
