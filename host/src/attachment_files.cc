#include "attachment_files.h"

#include "dxl/stored_attachment.h"
#include "errors.h"
#include "index/notices.h"
#include "platform/files.h"

namespace host {

void DetachTo(const model::Attachment& attachment, const LNString& platformPath) {
  if (!attachment.supported) Raise(kErrAttachment, attachment.name);
  const std::string path = platform::ToFileSystemPath(platformPath.GetPlatformTextPtr());
  if (path.empty()) Raise(kErrFileWrite, path);
  std::string bytes;
  try {
    bytes = dxl::AttachmentBytes(attachment);
  } catch (const StatusError& error) {
    // Nothing is written from a file that is no longer the one read; the user learns which it is.
    index::Notify(error.status == kErrFileChanged
                      ? "「" + error.detail + "」は読み込んだ後に変更されています。添付ファイル「" + attachment.fileName + "」は切り離せません。"
                      : "「" + error.detail + "」から添付ファイル「" + attachment.fileName + "」を読めません。");
    throw;
  }
  if (!platform::ReplaceWholeFile(path, bytes)) Raise(kErrFileWrite, path);
}

}  // namespace host
