// Attachments left in the DXL file they were read from: their bytes are read again when a run
// needs them, and only while the file is as it was read.
//
// Internal to the host library.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "model.h"

namespace host::dxl {

// Attachments up to this size are held in memory; larger ones stay in their file.
inline constexpr std::uint64_t kHeldAttachmentBytes = 64 * 1024;

// The file at `path` as it is now (size and time of modification); null when it cannot be examined.
std::shared_ptr<const model::StoredFile> StoredFileOf(const std::string& path);

// The attachment's bytes: its own, or those in its file. Throws StatusError kErrFileChanged, its
// detail naming the file, when the file's size or time of modification differs from when it was
// read, and kErrDatabaseRead when it cannot be read or no longer holds the bytes there.
std::string AttachmentBytes(const model::Attachment& attachment);

}  // namespace host::dxl
