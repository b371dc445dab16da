// Reads databases kept as DXL (Domino XML) files into the host's in-memory database.
//
// Internal to the host library.
#pragma once

#include <string>
#include <vector>

#include "model.h"

namespace host::dxl {

// Reads one database from DXL files (several files together form one database: their notes are
// joined, and the first file whose root is <database> gives the title, path and replica ID).
// Throws host::StatusError{kErrDatabaseRead, "<file>: <line>: <message>"} (the line only for XML
// errors); nothing is returned half-loaded. Warnings (note-format design skipped) go to `warnings`,
// one line each, naming the file.
model::Database ReadFiles(const std::vector<std::string>& fileSystemPaths, std::vector<std::string>& warnings);

}  // namespace host::dxl
