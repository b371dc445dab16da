// LNAttachment and LNAttachmentArray.
#include "access.h"
#include "attachment_files.h"
#include "errors.h"

using host::Access;

namespace host {

const model::Attachment* Access::Find(const LNAttachment& a) {
  if (!a.note_) return nullptr;
  for (const model::Attachment& candidate : a.note_->note->Attachments())
    if (candidate.name == a.name_) return &candidate;
  return nullptr;
}

}  // namespace host

namespace {

const host::model::Attachment& Attached(const LNAttachment& a) {
  const host::model::Attachment* found = Access::Find(a);
  if (!found) host::Raise(host::kErrNullObject);
  return *found;
}

}  // namespace

LNBOOL LNAttachment::IsInRichText() const {
  return host::GuardValue(FALSE, [&] { return Attached(*this).inRichText ? TRUE : FALSE; });
}

LNString LNAttachment::GetAttachmentName() const {
  return host::GuardValue(LNString(), [&] { return Access::String(Attached(*this).name); });
}

LNString LNAttachment::GetFilepath() const {
  return host::GuardValue(LNString(), [&] { return Access::String(Attached(*this).fileName); });
}

LNSTATUS LNAttachment::Detach(const LNString& platformPath) const {
  return host::Guard([&] { host::DetachTo(Attached(*this), platformPath); });
}

LNAttachment LNAttachmentArray::operator[](LNINT index) const {
  return host::GuardValue(LNAttachment(), [&] {
    if (index < 0 || index >= GetCount()) host::Raise(host::kErrListIndex);
    return attachments_[static_cast<std::size_t>(index)];
  });
}
