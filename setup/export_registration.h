// Registering the plug-in's two export entries in notes.ini, and removing them together with the
// plug-in's settings. `notesIni` is the full platform path of the file; every other line of the
// file stays as it is.
#pragma once

#include <string>

namespace setup {

// Every change of a registration or a removal reaches notes.ini in one replacement of the file: a
// run stopped at any moment leaves the file as it was or with every change made.

enum class Registration {
  Written,
  NoFreeSlot,  // nothing written
  NotWritten,  // notes.ini cannot be written (read-only, no permission): left as it was
};

// Writes the CSV and the XML entry, each over its existing slot or else into the first empty one
// (the CSV entry first, so the two never share a slot). When either entry has neither, nothing is
// written.
Registration RegisterExportEntries(const std::string& notesIni);

// Deletes the entries that are present, then the plug-in's settings keys of sections "Vorpel" and
// "VorpelXml"; the section headers and any other keys stay. False, with nothing deleted, when
// notes.ini cannot be written.
bool RemoveExportEntries(const std::string& notesIni);

}  // namespace setup
