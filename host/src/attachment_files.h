// Detaching an attachment: writing its bytes to a file.
#pragma once

#include "host/lnstring.h"
#include "model.h"

namespace host {

// Writes the attachment's bytes to `platformPath` (code page 932, "\" separators), replacing an
// existing file only once the new one is complete. Throws StatusError: kErrAttachment for an
// attachment the host cannot expand, kErrFileWrite when the file cannot be written,
// kErrFileChanged (and a notice naming the database's file) when the attachment was left in a
// file that has changed since it was read; nothing is written then.
void DetachTo(const model::Attachment& attachment, const LNString& platformPath);

}  // namespace host
