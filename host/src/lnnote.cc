// LNNote, LNDocument and LNNoteArray.
#include "host/lnnote.h"

#include "access.h"
#include "design_lookup.h"
#include "errors.h"
#include "item_values.h"

using host::Access;
using host::model::NoteClass;

namespace host {

const model::Note& OpenNote(const NoteData* data) {
  if (!data) Raise(kErrNullObject);
  if (!data->open) Raise(kErrNotOpen);
  return *data->note;
}

LNItem MakeItem(const model::Item& item, std::shared_ptr<const NoteData> note) {
  auto data = host::MakeItemData();
  data->item = item;
  data->note = std::move(note);
  return Access::Item(std::move(data));
}

}  // namespace host

LNSTATUS LNNote::Open(std::uint32_t /*flags*/) {
  return host::Guard([&] {
    if (!data_) host::Raise(host::kErrNullObject);
    data_->open = true;
  });
}

LNSTATUS LNNote::Close() {
  return host::Guard([&] {
    if (!data_) host::Raise(host::kErrNullObject);
    data_->open = false;
  });
}

LNBOOL LNNote::IsOpen() const { return data_ && data_->open ? TRUE : FALSE; }

NOTEID LNNote::GetNoteID() const { return data_ ? data_->note->noteId : 0; }

LNNOTETYPE LNNote::GetNoteType() const {
  if (!data_) return LNNOTETYPE_UNKNOWN;
  switch (data_->note->noteClass) {
    case NoteClass::Document: return LNNOTETYPE_DOCUMENT;
    case NoteClass::View: return LNNOTETYPE_VIEW;
    case NoteClass::Folder: return LNNOTETYPE_FOLDER;
    case NoteClass::Form: return LNNOTETYPE_FORM;
    case NoteClass::Subform: return LNNOTETYPE_SUBFORM;
  }
  return LNNOTETYPE_UNKNOWN;
}

LNSTATUS LNNote::GetItems(LNITEMTYPE filter, LNItemArray* items) const {
  return host::Guard([&] {
    const host::model::Note& note = host::OpenNote(data_.get());
    if (!items) host::Raise(host::kErrInvalidArgument);
    LNItemArray result;
    for (const host::model::Item& item : host::ItemsOf(note))
      if (filter == LNITEMTYPE_ANY || host::TypeOf(item.value) == filter)
        Access::Items(result).push_back(host::MakeItem(item, data_));
    *items = std::move(result);
  });
}

LNSTATUS LNNote::GetItem(const LNString& name, LNItem* item) const {
  return host::Guard([&] {
    const host::model::Note& note = host::OpenNote(data_.get());
    if (!item) host::Raise(host::kErrInvalidArgument);
    const auto found = host::ShownItem(note, Access::Text(name));
    if (!found) host::Raise(host::kErrNoSuchItem);
    *item = host::MakeItem(*found, data_);
  });
}

LNITEMTYPE LNNote::GetItemType(const LNString& name) const {
  return host::GuardValue(LNITEMTYPE_UNSUPPORTED, [&] {
    const auto found = host::ShownItem(host::OpenNote(data_.get()), Access::Text(name));
    return found ? host::TypeOf(found->value) : LNITEMTYPE_UNSUPPORTED;
  });
}

LNSTATUS LNNote::GetAttachments(LNAttachmentArray* attachments) const {
  return host::Guard([&] {
    const host::model::Note& note = host::OpenNote(data_.get());
    if (!attachments) host::Raise(host::kErrInvalidArgument);
    LNAttachmentArray result;
    for (const host::model::Attachment& a : note.Attachments())
      Access::Attachments(result).push_back(Access::Attachment(data_, a.name));
    *attachments = std::move(result);
  });
}

LNSTATUS LNDocument::GetFormNote(LNForm* form) const {
  return host::Guard([&] {
    const host::model::Note& note = host::OpenNote(data_.get());
    if (!form) host::Raise(host::kErrInvalidArgument);
    const std::optional<host::model::Item> formItem = note.FindItem("Form");
    const auto* names = formItem ? std::get_if<host::model::Text>(&formItem->value) : nullptr;
    if (!names || names->values.empty()) host::Raise(host::kErrFormNotFound);
    const host::model::Note* found = host::FindDesign(*data_->database, NoteClass::Form, names->values.front());
    if (!found) host::Raise(host::kErrFormNotFound);
    Access::SetData(*form, std::make_shared<host::NoteData>(host::NoteData{data_->database, found, false}));
  });
}

NOTEID LNNoteArray::GetNoteID(LNINT index) const {
  return host::GuardValue(NOTEID{0}, [&] {
    if (index < 0 || index >= GetCount()) host::Raise(host::kErrListIndex);
    return ids_[static_cast<std::size_t>(index)];
  });
}
