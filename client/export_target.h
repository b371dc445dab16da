// The export dialog's file name box: what it hands to ExportView, and the file that names.
#pragma once

#include <string>

namespace client {

// The text handed to ExportView for `typed` (the name and any switches behind it, as typed): a
// name that is not absolute lies in `folder`, which is put in front of it.
std::string TypedNameInFolder(const std::string& typed, const std::string& folder);

// The file `typedName` names: the text before its switches (which begin at the first blank
// followed by "/" or "\"), with `extension` (".csv") appended when its last element has no dot.
std::string TargetFile(const std::string& typedName, const std::string& extension);

}  // namespace client
