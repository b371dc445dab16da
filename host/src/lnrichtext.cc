// LNRichText, its cursor and its objects.
#include "host/lnrichtext.h"

#include "access.h"
#include "attachment_files.h"
#include "design_lookup.h"
#include "errors.h"
#include "item_values.h"

using host::Access;
using host::model::RichText;
using host::model::RTElement;

namespace {

const RTElement& Element(const LNRTObject& object) {
  const auto& item = Access::Item(object);
  if (!item) host::Raise(host::kErrNullObject);
  return std::get<RichText>(item->item.value).elements[static_cast<std::size_t>(Access::Index(object))];
}

}  // namespace

LNRichText::LNRichText() { data_ = host::NewItem<RichText>(); }
LNRichText::LNRichText(const LNItem& item) { *this = item; }
LNRichText& LNRichText::operator=(const LNItem& item) {
  data_ = host::Adopt<RichText>(item);
  return *this;
}

LNSTATUS LNRichText::GetCursor(LNRTCursor* cursor) const {
  return host::Guard([&] {
    if (!data_) host::Raise(host::kErrNullObject);
    if (!cursor) host::Raise(host::kErrInvalidArgument);
    Access::Set(*cursor, data_);
  });
}

LNBOOL LNRichText::IsEmpty() const {
  return !data_ || host::ValueOf<RichText>(*this).elements.empty() ? TRUE : FALSE;
}

LNRTTYPE LNRTObject::GetType() const {
  return host::GuardValue(LNRTTYPE_TEXT, [&] { return static_cast<LNRTTYPE>(Element(*this).type); });
}

LNString LNRTObject::GetText() const {
  return host::GuardValue(LNString(), [&] {
    const RTElement& e = Element(*this);
    return e.type == host::model::RTType::Text ? Access::String(e.text) : LNString();
  });
}

void LNRTObject::Adopt(const LNRTObject& object, LNRTTYPE type) {
  if (object.IsNull()) return;
  if (object.GetType() != type) host::ThrowStatus(host::kErrWrongItemType);
  item_ = object.item_;
  index_ = object.index_;
}

LNSTATUS LNRTCursor::GotoFirst(LNRTTYPE type, LNRTObject* object) { return GotoFrom(0, type, object); }
LNSTATUS LNRTCursor::GotoNext(LNRTTYPE type, LNRTObject* object) { return GotoFrom(position_ + 1, type, object); }

LNSTATUS LNRTCursor::GotoFrom(LNINT start, LNRTTYPE type, LNRTObject* object) {
  if (!item_) return host::Fail(host::kErrNullObject);
  const auto& elements = std::get<RichText>(item_->item.value).elements;
  for (auto i = static_cast<std::size_t>(start < 0 ? 0 : start); i < elements.size(); ++i) {
    if (static_cast<LNRTTYPE>(elements[i].type) != type) continue;
    position_ = static_cast<LNINT>(i);
    if (object) Access::Set(*object, item_, position_);
    return host::kNoError;
  }
  return host::kNotFound;
}

LNRTAttachment::LNRTAttachment(const LNRTObject& object) { Adopt(object, LNRTTYPE_ATTACHMENT); }

LNString LNRTAttachment::GetAttachmentName() const {
  return host::GuardValue(LNString(), [&] { return Access::String(Element(*this).attachmentName); });
}

LNString LNRTAttachment::GetFilename() const {
  return host::GuardValue(LNString(), [&] { return Access::String(Element(*this).fileName); });
}

LNSTATUS LNRTAttachment::Detach(const LNString& platformPath) const {
  return host::Guard([&] {
    const RTElement& e = Element(*this);
    if (item_->note)
      for (const host::model::Attachment& a : item_->note->note->Attachments())
        if (a.name == e.attachmentName) return host::DetachTo(a, platformPath);
    host::Raise(host::kErrAttachment, e.attachmentName);
  });
}

LNRTSubform::LNRTSubform(const LNRTObject& object) { Adopt(object, LNRTTYPE_SUBFORM); }

LNString LNRTSubform::GetName() const {
  return host::GuardValue(LNString(), [&] { return Access::String(Element(*this).subformName); });
}

LNSTATUS LNRTSubform::GetSubform(LNSubform* subform) const {
  return host::Guard([&] {
    const RTElement& e = Element(*this);
    if (!subform) host::Raise(host::kErrInvalidArgument);
    const host::model::Note* found =
        item_->note ? host::FindDesign(*item_->note->database, host::model::NoteClass::Subform, e.subformName) : nullptr;
    if (!found) host::Raise(host::kErrNoteNotFound, e.subformName);
    Access::SetData(*subform, std::make_shared<host::NoteData>(host::NoteData{item_->note->database, found, false}));
  });
}

LNFormField::LNFormField(const LNRTObject& object) { Adopt(object, LNRTTYPE_FORM_FIELD); }

LNString LNFormField::GetName() const {
  return host::GuardValue(LNString(), [&] { return Access::String(Element(*this).fieldName); });
}

LNCOMPUTEOPTION LNFormField::GetComputeOption() const {
  return host::GuardValue(LNCOMPUTEOPTION_EDITABLE,
                          [&] { return static_cast<LNCOMPUTEOPTION>(Element(*this).computeOption); });
}

LNFormula LNFormField::GetValueFormula() const {
  return host::GuardValue(LNFormula(), [&] { return Access::DesignFormula(Element(*this).valueFormula); });
}

LNString LNFormField::GetHelpDescription() const {
  return host::GuardValue(LNString(), [&] { return Access::String(Element(*this).description); });
}

LNFormField LNFormFieldArray::operator[](LNINT index) const {
  return host::GuardValue(LNFormField(), [&] {
    if (index < 0 || index >= GetCount()) host::Raise(host::kErrListIndex);
    return fields_[static_cast<std::size_t>(index)];
  });
}
