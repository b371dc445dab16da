// The export entries of notes.ini: keys "VIEWEXP1" ... "VIEWEXP31" of section "Notes", each a
// line of comma-separated fields such as "Export CSV File,1,_Vorpel,,.CSV,.TXT,,1,".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace client {

struct ExportEntry {
  std::string key;    // "VIEWEXP5"
  std::string line;   // the whole value, platform text
  std::string label;  // first field: the name the export dialog shows
  std::string library;  // third field: the library to load ("_Vorpel")
  std::string option;   // fourth field: the option word handed to ExportView
  std::string extension;  // fifth field: the extension of the files it writes (".CSV")
};

// Every non-empty entry of `notesIni` (a platform path), in key order.
std::vector<ExportEntry> ReadExportEntries(const std::string& notesIni);

// The first entry whose label is `label` (platform text, compared exactly), or null.
const ExportEntry* FindExportEntry(const std::vector<ExportEntry>& entries, std::string_view label);

// The file name of the library an entry names: a leading "_" stands for the platform's letter "n",
// and the name is wrapped as a shared library ("_Vorpel" gives "libnVorpel.so").
std::string LibraryFileName(std::string_view library);

}  // namespace client
