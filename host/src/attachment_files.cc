#include "attachment_files.h"

#include "errors.h"
#include "platform/files.h"

namespace host {

void DetachTo(const model::Attachment& attachment, const LNString& platformPath) {
  if (!attachment.supported) Raise(kErrAttachment, attachment.name);
  const std::string path = platform::ToFileSystemPath(platformPath.GetPlatformTextPtr());
  if (path.empty() || !platform::ReplaceWholeFile(path, attachment.data)) Raise(kErrFileWrite, path);
}

}  // namespace host
