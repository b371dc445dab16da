// The typed target of an export: the file name, then switches behind it.
#pragma once

#include "host/lnstring.h"

struct TargetName {
  LNString fileName;    // with "\" between directories and an extension
  LNString switchText;  // from the first " \" on, with " \" appended; " \" when there is none
};

// Splits the name typed in the client's Export dialog. Every "/" becomes "\" first, so
// "list.csv /X" and "list.csv \X" are the same; the first blank followed by "\" starts the
// switches. `defaultExtension` (".csv", ".xml") is appended when the last path element has no
// dot. The name itself is not checked.
TargetName SplitTargetName(const LNString& typedName, const LNString& defaultExtension);
