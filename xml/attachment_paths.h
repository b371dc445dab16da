// Where the XML export detaches attachments: a folder beside the output file, one subfolder per
// document named by its note ID. Platform paths (code page 932, "\" between directories).
#pragma once

#include <string>
#include <string_view>

#include "host/lntypes.h"

// The output file's path with its last extension replaced by "files": "K:\out\view.xml" gives
// "K:\out\view.files", "K:\out\a.b.xml" gives "K:\out\a.b.files", and a name without an extension
// gets ".files" appended.
std::string AttachmentFolder(std::string_view outputPath);

// `name`, as an attachment's name from the database, made into a single file name that stays
// inside the folder it is written to: every "\", "/" and ":" becomes "_", and a name that is
// empty or only periods ("." or "..") has each period, or its emptiness, replaced by "_".
std::string AttachmentOutputName(std::string_view name);

// "<folder>\<note ID as 8 upper-case hexadecimal digits>\<outputName>".
std::string AttachmentTargetPath(std::string_view folder, NOTEID noteId, std::string_view outputName);
