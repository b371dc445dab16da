// LNForm and LNSubform.
#include "host/lnform.h"

#include "access.h"
#include "errors.h"
#include "item_values.h"

using host::Access;
using host::model::NoteClass;

namespace {

// Shares `note` when it is of `noteClass`; a null note stays null.
std::shared_ptr<host::NoteData> Design(const LNNote& note, NoteClass noteClass) {
  const auto& data = Access::Data(note);
  if (data && data->note->noteClass != noteClass) host::ThrowStatus(host::kErrWrongNoteType);
  return data;
}

const host::model::FormDesign& DesignOf(const LNNote& note, NoteClass noteClass) {
  const host::model::Note& n = host::OpenNote(Access::Data(note).get());
  if (n.noteClass != noteClass || !n.form) host::Raise(host::kErrWrongNoteType);
  return *n.form;
}

const host::model::FormDesign* NamedDesign(const LNNote& note, NoteClass noteClass) {
  const auto& data = Access::Data(note);
  if (!data) host::Raise(host::kErrNullObject);
  if (data->note->noteClass != noteClass || !data->note->form) host::Raise(host::kErrWrongNoteType);
  return &*data->note->form;
}

LNSTATUS FieldsOf(const LNNote& note, NoteClass noteClass, LNFormFieldArray* fields) {
  return host::Guard([&] {
    const host::model::FormDesign& design = DesignOf(note, noteClass);
    if (!fields) host::Raise(host::kErrInvalidArgument);
    auto body = std::make_shared<host::ItemData>();
    body->item = host::model::Item{"$BODY", design.body, 0};
    body->note = Access::Data(note);
    LNFormFieldArray result;
    for (std::size_t i = 0; i < design.body.elements.size(); ++i) {
      if (design.body.elements[i].type != host::model::RTType::FormField) continue;
      LNFormField field;
      Access::Set(field, body, static_cast<LNINT>(i));
      Access::Fields(result).push_back(field);
    }
    *fields = std::move(result);
  });
}

}  // namespace

LNForm::LNForm(const LNNote& note) { data_ = Design(note, NoteClass::Form); }

LNString LNForm::GetName() const {
  return host::GuardValue(LNString(), [&] { return Access::String(NamedDesign(*this, NoteClass::Form)->name); });
}

LNString LNForm::GetAlias() const {
  return host::GuardValue(LNString(), [&] {
    std::string joined;
    for (const std::string& alias : NamedDesign(*this, NoteClass::Form)->aliases)
      joined += (joined.empty() ? "" : "|") + alias;
    return Access::String(joined);
  });
}

LNString LNForm::GetComment() const {
  return host::GuardValue(LNString(), [&] { return Access::String(NamedDesign(*this, NoteClass::Form)->comment); });
}

LNSTATUS LNForm::GetWindowTitleFormula(LNFormula* formula) const {
  return host::Guard([&] {
    const host::model::FormDesign& design = DesignOf(*this, NoteClass::Form);
    if (!formula) host::Raise(host::kErrInvalidArgument);
    *formula = Access::DesignFormula(design.windowTitleFormula);
  });
}

LNSTATUS LNForm::GetFormFields(LNFormFieldArray* fields) const { return FieldsOf(*this, NoteClass::Form, fields); }

LNSubform::LNSubform(const LNNote& note) { data_ = Design(note, NoteClass::Subform); }

LNString LNSubform::GetName() const {
  return host::GuardValue(LNString(), [&] { return Access::String(NamedDesign(*this, NoteClass::Subform)->name); });
}

LNString LNSubform::GetComment() const {
  return host::GuardValue(LNString(),
                          [&] { return Access::String(NamedDesign(*this, NoteClass::Subform)->comment); });
}

LNSTATUS LNSubform::GetFormFields(LNFormFieldArray* fields) const {
  return FieldsOf(*this, NoteClass::Subform, fields);
}
