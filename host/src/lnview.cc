// LNViewFolder and LNVFColumn.
#include "host/lnview.h"

#include "access.h"
#include "errors.h"
#include "formats.h"

using host::Access;

namespace {

const host::model::ViewDesign& OpenView(const host::NoteData* data) {
  const host::model::Note& note = host::OpenNote(data);
  if (!note.view) host::Raise(host::kErrNotViewOrFolder);
  return *note.view;
}

}  // namespace

namespace host {

const model::Column& Access::Column(const LNVFColumn& c) {
  if (!c.view_) Raise(kErrNullObject);
  return c.view_->note->view->columns[static_cast<std::size_t>(c.index_)];
}

}  // namespace host

LNString LNViewFolder::GetName() const {
  return host::GuardValue(LNString(), [&] {
    if (!data_) host::Raise(host::kErrNullObject);
    if (!data_->note->view) host::Raise(host::kErrNotViewOrFolder);
    return Access::String(data_->note->view->name);
  });
}

LNINT LNViewFolder::GetColumnCount() const {
  return host::GuardValue(LNINT{0}, [&] { return static_cast<LNINT>(OpenView(data_.get()).columns.size()); });
}

LNSTATUS LNViewFolder::GetColumn(LNINT index, LNVFColumn* column) const {
  return host::Guard([&] {
    const host::model::ViewDesign& view = OpenView(data_.get());
    if (!column || index < 0 || static_cast<std::size_t>(index) >= view.columns.size())
      host::Raise(host::kErrInvalidArgument);
    Access::Set(*column, data_, index);
  });
}

namespace {

template <class T, class Get>
T ColumnValue(const LNVFColumn& column, T fallback, Get get) {
  return host::GuardValue(fallback, [&] { return get(Access::Column(column)); });
}

}  // namespace

LNString LNVFColumn::GetTitle() const {
  return ColumnValue(*this, LNString(), [](const auto& c) { return Access::String(c.title.value_or("")); });
}
LNString LNVFColumn::GetInternalName() const {
  return ColumnValue(*this, LNString(), [](const auto& c) { return Access::String(c.itemName); });
}
LNBOOL LNVFColumn::GetHideColumn() const {
  return ColumnValue(*this, FALSE, [](const auto& c) { return c.hidden ? TRUE : FALSE; });
}
LNBOOL LNVFColumn::GetDisplayValuesAsIcons() const {
  return ColumnValue(*this, FALSE, [](const auto& c) { return c.showAsIcons ? TRUE : FALSE; });
}
LNBOOL LNVFColumn::GetIsCategorized() const {
  return ColumnValue(*this, FALSE, [](const auto& c) { return c.categorized ? TRUE : FALSE; });
}
LNINT LNVFColumn::GetColumnNumber() const {
  return ColumnValue(*this, LNINT{0}, [this](const auto&) { return index_; });
}
LNFormula LNVFColumn::GetFormula() const {
  return ColumnValue(*this, LNFormula(), [](const auto& c) {
    return Access::DesignFormula(c.formula.empty() ? c.itemName : c.formula);
  });
}
LNNumberFormat LNVFColumn::GetNumberFormat() const {
  return ColumnValue(*this, LNNumberFormat(), [](const auto& c) { return host::FromModel(c.numberFormat); });
}
LNDatetimeFormat LNVFColumn::GetDatetimeFormat() const {
  return ColumnValue(*this, LNDatetimeFormat(), [](const auto& c) { return host::FromModel(c.datetimeFormat); });
}
LNNUMBER LNVFColumn::GetWidth() const {
  return ColumnValue(*this, host::model::Column{}.width, [](const auto& c) { return c.width; });
}
LNVFSEPARATOR LNVFColumn::GetSeparator() const {
  return ColumnValue(*this, LNVFSEPARATOR_NONE, [](const auto& c) { return static_cast<LNVFSEPARATOR>(c.separator); });
}
